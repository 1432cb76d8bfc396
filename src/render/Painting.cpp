#include "render/Painting.h"

#include <QFontMetricsF>

#include "render/QtFonts.h"

namespace ornivo::render {

void PaintCall(QPainter& painter, const graph::DrawCall& call, double pixelsPerInch) {
    QPaintDevice& device = *painter.device();
    switch (call.kind) {
    case graph::DrawCall::Line: {
        QPen pen(Qt::black);
        pen.setWidthF(1.0);
        pen.setStyle(call.style == graph::LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(call.px1, call.py1), QPointF(call.px2, call.py2));
        break;
    }
    case graph::DrawCall::Text: {
        const QFont font = QtFont(call.font, pixelsPerInch, device);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF fm(font, &device);
        painter.drawText(QPointF(call.px1, call.py1 + fm.ascent()), QString::fromStdString(call.text));
        break;
    }
    case graph::DrawCall::TextOut: {
        const QFont font = QtFont(call.logFont, device);
        painter.save();
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.translate(call.px1, call.py1);
        // Counter-clockwise on the screen is a negative angle for a y-down painter.
        painter.rotate(-call.logFont.lfEscapement / 10.0);
        const QFontMetricsF fm(font, &device);
        painter.drawText(QPointF(0, fm.ascent()), QString::fromStdString(call.text));
        painter.restore();
        break;
    }
    }
}

void PaintRecording(QPainter& painter, const graph::RecordingSurface& drawing, const QRectF& target) {
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.translate(target.topLeft());
    painter.scale(target.width() / drawing.PixelWidth(), target.height() / drawing.PixelHeight());
    painter.setClipRect(QRectF(0, 0, drawing.PixelWidth(), drawing.PixelHeight()));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const auto& call : drawing.Calls()) PaintCall(painter, call, drawing.LogPixelsY());
    painter.restore();
}

}  // namespace ornivo::render
