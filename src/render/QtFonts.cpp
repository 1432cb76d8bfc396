#include "render/QtFonts.h"

#include <QFontMetricsF>

namespace ornivo::render {

QString FontFamily(const std::string& faceName) {
    const QString name = QString::fromStdString(faceName);
    if (name.compare("Times New Roman", Qt::CaseInsensitive) == 0) return "Liberation Serif";
    if (name.compare("Arial", Qt::CaseInsensitive) == 0) return "Liberation Sans";
    if (name.compare("Courier New", Qt::CaseInsensitive) == 0) return "Liberation Mono";
    return name;
}

QFont QtFont(const graph::SurfaceFont& font, double pixelsPerInch, const QPaintDevice& device) {
    QFont f(FontFamily(font.Name));
    // Points at the recording's resolution, expressed in the device's points.
    f.setPointSizeF(font.Size * pixelsPerInch / device.logicalDpiY());
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.Strikethrough);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QFont QtFont(const graph::LogFont& font, const QPaintDevice& device) {
    QFont f(FontFamily(font.FaceName()));
    const double toPoints = 72.0 / device.logicalDpiY();
    const double height = font.lfHeight > 0 ? font.lfHeight : 16;
    f.setPointSizeF(height * toPoints);
    f.setWeight(font.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(font.lfItalic != 0);
    f.setUnderline(font.lfUnderline != 0);
    f.setStrikeOut(font.lfStrikeOut != 0);
    f.setStyleStrategy(QFont::PreferOutline);
    if (font.lfHeight > 0) {
        // A positive height is the cell height: shrink the em until ascent + descent fit it.
        const double cell = QFontMetricsF(f, &device).height();
        if (cell > 0) f.setPointSizeF(height * toPoints * height / cell);
    } else if (font.lfHeight < 0) {
        f.setPointSizeF(-font.lfHeight * toPoints);  // a negative height is the em
    }
    return f;
}

}  // namespace ornivo::render
