#include "ui/GraphBox.h"

#include <QPainter>

namespace ornivo::ui {

GraphBox::GraphBox(const QString& objectName, int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent),
      surface_(std::make_unique<render::ImageSurface>(render::TwipsToPixels96(widthTwips),
                                                      render::TwipsToPixels96(heightTwips))) {
    setObjectName(objectName);
    // Held at the surface's size by its size policy (the screens' rescaling already chose that size).
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize GraphBox::sizeHint() const { return {surface_->PixelWidth(), surface_->PixelHeight()}; }

void GraphBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), surface_->Image());
}

}  // namespace ornivo::ui
