#include "ui/GraphPrinter.h"

#include <QPrintDialog>
#include <QPrinter>

#include "render/PrintedPage.h"

namespace ornivo::ui {
namespace {

bool printOn(QPrinter& printer, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
             std::string& error) {
    if (render::PaintPrintedPage(printer, page, picture)) return true;
    error = printer.outputFileName().isEmpty()
                ? std::string("The printer could not print the graph")
                : "The graph could not be printed to " + printer.outputFileName().toStdString();
    return false;
}

class PrintDialogPrinter : public GraphPrinter {
public:
    bool print(QWidget* parent, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
               std::string& error) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName("Ornivo graph");
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle("Print graph");
        if (dialog.exec() != QDialog::Accepted) return false;
        return printOn(printer, page, picture, error);
    }
};

class PdfPrinter : public GraphPrinter {
public:
    PdfPrinter(std::string path, Paper paper) : path_(std::move(path)), paper_(paper) {}
    bool print(QWidget*, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
               std::string& error) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName("Ornivo graph");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path_));
        printer.setPageSize(QPageSize(paper_ == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
        printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        return printOn(printer, page, picture, error);
    }

private:
    std::string path_;
    Paper paper_;
};

}  // namespace

std::unique_ptr<GraphPrinter> DialogPrinter() { return std::make_unique<PrintDialogPrinter>(); }
std::unique_ptr<GraphPrinter> PdfFilePrinter(const std::string& path, Paper paper) {
    return std::make_unique<PdfPrinter>(path, paper);
}

}  // namespace ornivo::ui
