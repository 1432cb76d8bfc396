#pragma once
// Where a graph screen sends its printed page. The desktop asks the print dialog, which lists the
// printers and, on a machine without one, printing to a PDF file; tests print straight to a PDF file
// through the same printer class, so no dialog opens.
#include <memory>
#include <string>

#include "graph/PrintPage.h"
#include "graph/RecordingSurface.h"

class QWidget;

namespace ornivo::ui {

class GraphPrinter {
public:
    virtual ~GraphPrinter() = default;
    // Prints the page with the graph's picture. Returns false when nothing was printed: `error` holds
    // the reason, or stays empty when the user cancelled the printer choice.
    virtual bool print(QWidget* parent, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
                       std::string& error) = 0;
};

// The print dialog, then the chosen printer (or PDF file).
std::unique_ptr<GraphPrinter> DialogPrinter();
enum class Paper { A4, Letter };
// A printer whose output is the PDF file at `path` on `paper` with half-inch margins, without a dialog.
std::unique_ptr<GraphPrinter> PdfFilePrinter(const std::string& path, Paper paper = Paper::A4);

}  // namespace ornivo::ui
