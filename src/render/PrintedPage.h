#pragma once
// The printed page of a graph on any paged device (a printer, a PDF file): the page's text lines in
// its font at the device's text columns, and the graph's picture at its own size.
#include <QFont>
#include <QPagedPaintDevice>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

#include "graph/PrintPage.h"
#include "graph/RecordingSurface.h"

namespace ornivo::render {

// Where the parts of a printed page go on a device: the header rows, the picture's rectangle and the
// rows of values below it, which never overlap and stay within the printable width.
struct PrintedLayout {
    struct Row {
        std::vector<std::pair<double, QString>> pieces;  // x of each piece, its text
        bool bold = false;
    };
    std::vector<Row> head, tail;  // the lines above the picture's room, the lines below it
    QRectF picture;
    double tailTop = 0;  // y of the first row below the picture
    double lineHeight = 0;
    QFont normalFont, boldFont;
};
PrintedLayout LayOutPrintedPage(const QPaintDevice& device, const graph::PrintedPage& page,
                                const graph::RecordingSurface& picture);

// Paints the page (further pages if the lines run past the bottom) and ends the document. Column n
// starts n - 1 average character widths from the left of the printable area; lines are the font's
// line spacing apart. Returns false when the device cannot be painted on.
bool PaintPrintedPage(QPagedPaintDevice& device, const graph::PrintedPage& page, const graph::RecordingSurface& picture);

// The page as a PDF file (A4, half-inch margins), replaced only when complete.
bool PrintPageToPdf(const std::string& path, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
                    std::string& error);

}  // namespace ornivo::render
