#include "render/PrintedPage.h"

#include <QFontMetricsF>
#include <algorithm>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "render/Export.h"
#include "render/Painting.h"
#include "render/QtFonts.h"
#include "render/SaveThrough.h"

namespace ornivo::render {

namespace {

using Row = PrintedLayout::Row;

// The rows of a range of page lines. A piece that would run past the right edge of the printable
// area (a long bird name in the heading, a long comment) goes on at its column in the rows below,
// broken between words.
std::vector<Row> rowsOf(const graph::PrintedPage& page, std::size_t from, std::size_t to, double column, double right,
                        const QFontMetricsF& normal, const QFontMetricsF& bold) {
    std::vector<Row> rows;
    for (std::size_t i = from; i < to && i < page.lines.size(); ++i) {
        const graph::PrintLine& line = page.lines[i];
        const QFontMetricsF& fm = line.bold ? bold : normal;
        Row row{{}, line.bold};
        std::vector<Row> more;
        for (const graph::PrintPiece& piece : line.pieces) {
            const double x = (piece.column - 1) * column;
            QString rest = QString::fromStdString(piece.text);
            std::size_t below = 0;
            while (x + fm.horizontalAdvance(rest) > right) {
                // The longest start of the text that fits and ends before a space.
                qsizetype cut = rest.lastIndexOf(' ');
                while (cut > 0 && x + fm.horizontalAdvance(rest.left(cut)) > right) cut = rest.lastIndexOf(' ', cut - 1);
                if (cut <= 0 || rest.left(cut).trimmed().isEmpty()) break;  // one word too long: left as it is
                (below == 0 ? row : more[below - 1]).pieces.push_back({x, rest.left(cut)});
                rest = rest.mid(cut + 1);
                if (more.size() <= below) more.push_back(Row{{}, line.bold});
                ++below;
            }
            (below == 0 ? row : more[below - 1]).pieces.push_back({x, rest});
        }
        rows.push_back(std::move(row));
        for (Row& r : more) rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace

PrintedLayout LayOutPrintedPage(const QPaintDevice& device, const graph::PrintedPage& page,
                                const graph::RecordingSurface& picture) {
    PrintedLayout out;
    const double dpi = device.logicalDpiY();
    const double twips = dpi / 1440.0;  // device units per twip
    graph::SurfaceFont normal;
    normal.Name = page.fontName;
    normal.Size = page.fontSize;
    graph::SurfaceFont bold = normal;
    bold.Bold = true;
    out.normalFont = QtFont(normal, dpi, device);
    out.boldFont = QtFont(bold, dpi, device);
    const QFontMetricsF fm(out.normalFont, &device), bm(out.boldFont, &device);
    out.lineHeight = fm.lineSpacing();
    const double column = fm.averageCharWidth();
    const double right = device.width();

    const std::size_t total = page.lines.size();
    const bool hasRoom = page.pictureFirstLine >= 0;
    const std::size_t first = hasRoom ? std::size_t(page.pictureFirstLine) : total;
    const std::size_t after = hasRoom ? std::min(total, first + std::size_t(page.pictureLineCount)) : total;
    out.head = rowsOf(page, 0, first, column, right, fm, bm);
    out.tail = rowsOf(page, after, total, column, right, fm, bm);

    // The picture at its own size where it fits; a picture wider than the page, or so tall that the
    // values below it would not fit on the page, is made smaller, keeping its proportions.
    const double headBottom = out.head.size() * out.lineHeight;
    const double left = std::min(page.pictureLeftTwips * twips, right / 4);
    const double top = std::max(page.pictureTopTwips * twips, headBottom + out.lineHeight / 2);
    const double w = picture.PixelWidth() * 1440.0 / picture.LogPixelsX() * twips;
    const double h = picture.PixelHeight() * 1440.0 / picture.LogPixelsY() * twips;
    const double roomW = right - left;
    const double roomH = device.height() - top - (out.tail.size() + 1) * out.lineHeight;
    double k = 1;
    if (w > 0 && w > roomW) k = std::min(k, roomW / w);
    if (h > 0 && h * k > roomH) k = std::min(k, std::max(roomH, 0.25 * device.height()) / h);
    out.picture = QRectF(left, top, w * k, h * k);

    // The values start below the room the page leaves for the picture, or below the picture when it
    // is taller than that room.
    const double roomBottom = headBottom + (after - first) * out.lineHeight;
    out.tailTop = std::max(roomBottom, out.picture.bottom() + out.lineHeight / 2);
    return out;
}

bool PaintPrintedPage(QPagedPaintDevice& device, const graph::PrintedPage& page, const graph::RecordingSurface& picture) {
    const PrintedLayout layout = LayOutPrintedPage(device, page, picture);
    QPainter p;
    if (!p.begin(&device)) return false;
    PaintRecording(p, picture, layout.picture);

    const double bottom = device.height();
    p.setPen(Qt::black);
    auto paintRows = [&](const std::vector<PrintedLayout::Row>& rows, double y) {
        for (const PrintedLayout::Row& row : rows) {
            if (y + layout.lineHeight > bottom) {
                device.newPage();
                y = 0;
            }
            p.setFont(row.bold ? layout.boldFont : layout.normalFont);
            const QFontMetricsF lm(p.font(), &device);
            for (const auto& [x, text] : row.pieces) p.drawText(QPointF(x, y + lm.ascent()), text);
            y += layout.lineHeight;
        }
    };
    paintRows(layout.head, 0);
    paintRows(layout.tail, layout.tailTop);
    return p.end();
}

bool PrintPageToPdf(const std::string& path, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
                    std::string& error) {
    auto print = [&](QSaveFile& file) {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        pdf.setTitle("Ornivo graph");
        pdf.setCreator("Ornivo");
        return PaintPrintedPage(pdf, page, picture);
    };
    return SaveThrough(path, error, print, "Cannot print the page to ");
}

}  // namespace ornivo::render
