#include "render/PrintedPage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "render/Export.h"
#include "render/Painting.h"
#include "render/QtFonts.h"

namespace ornivo::render {

bool PaintPrintedPage(QPagedPaintDevice& device, const graph::PrintedPage& page, const graph::RecordingSurface& picture) {
    QPainter p;
    if (!p.begin(&device)) return false;
    const double dpi = device.logicalDpiY();
    const double twips = dpi / 1440.0;  // device units per twip

    // The picture first: the text that follows may reach into its white lower margin.
    const QRectF target(page.pictureLeftTwips * twips, page.pictureTopTwips * twips,
                        picture.PixelWidth() * 1440.0 / picture.LogPixelsX() * twips,
                        picture.PixelHeight() * 1440.0 / picture.LogPixelsY() * twips);
    PaintRecording(p, picture, target);

    graph::SurfaceFont normal;
    normal.Name = page.fontName;
    normal.Size = page.fontSize;
    graph::SurfaceFont bold = normal;
    bold.Bold = true;
    const QFont normalFont = QtFont(normal, dpi, device);
    const QFont boldFont = QtFont(bold, dpi, device);
    const QFontMetricsF fm(normalFont, &device);
    const double column = fm.averageCharWidth();
    const double lineHeight = fm.lineSpacing();
    const double bottom = device.height();

    double y = 0;
    p.setPen(Qt::black);
    for (const graph::PrintLine& line : page.lines) {
        if (y + lineHeight > bottom) {
            device.newPage();
            y = 0;
        }
        p.setFont(line.bold ? boldFont : normalFont);
        const QFontMetricsF lm(p.font(), &device);
        for (const graph::PrintPiece& piece : line.pieces)
            p.drawText(QPointF((piece.column - 1) * column, y + lm.ascent()), QString::fromStdString(piece.text));
        y += lineHeight;
    }
    return p.end();
}

bool PrintPageToPdf(const std::string& path, const graph::PrintedPage& page, const graph::RecordingSurface& picture,
                    std::string& error) {
    EnsureGuiApplication();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    bool ok;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        pdf.setTitle("Ornivo graph");
        pdf.setCreator("Ornivo");
        ok = PaintPrintedPage(pdf, page, picture);
    }
    if (!ok) {
        file.cancelWriting();
        error = "Cannot print the page to " + path;
        return false;
    }
    if (!file.commit()) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace ornivo::render
