#pragma once
// The graph screens' drawing area (pbxGraph): a white box of the surface's size that shows the
// surface's persistent image, so that what was drawn stays until the screen closes.
#include <QWidget>
#include <memory>

#include "render/ImageSurface.h"

namespace ornivo::ui {

class GraphBox : public QWidget {
    Q_OBJECT
public:
    // A surface of widthTwips x heightTwips at 15 twips a pixel.
    GraphBox(const QString& objectName, int widthTwips, int heightTwips, QWidget* parent);

    render::ImageSurface& surface() { return *surface_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::unique_ptr<render::ImageSurface> surface_;
};

}  // namespace ornivo::ui
