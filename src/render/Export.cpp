#include "render/Export.h"

#include <QGuiApplication>
#include <QImage>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

#include "graph/PolarGraph.h"
#include "graph/PowerGraph.h"
#include "render/ImageSurface.h"
#include "render/Painting.h"
#include "render/QtFonts.h"
#include "render/SaveThrough.h"

namespace ornivo::render {

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ornivo";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);  // lives until the program ends
    (void)app;
}

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos) return std::nullopt;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == "png") return PictureFormat::Png;
    if (ext == "svg") return PictureFormat::Svg;
    if (ext == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

namespace {

QImage rasterOf(const graph::RecordingSurface& drawing) {
    if (auto* image = dynamic_cast<const ImageSurface*>(&drawing)) return image->Image();
    QImage img(drawing.PixelWidth(), drawing.PixelHeight(), QImage::Format_RGB32);
    const int dpm = static_cast<int>(drawing.LogPixelsY() / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter p(&img);
    PaintRecording(p, drawing, QRectF(0, 0, img.width(), img.height()));
    return img;
}

// A picture of w x h pixels at dpi, painted by `paint` in those pixels; the PNG has `pngScale` times as
// many pixels in each direction, painted from the same calls, so it stays sharp.
bool writePicture(int w, int h, int dpi, double pngScale, const std::function<void(QPainter&)>& paint,
                  PictureFormat format, QSaveFile& file) {
    switch (format) {
    case PictureFormat::Png: {
        QImage img(int(std::lround(w * pngScale)), int(std::lround(h * pngScale)), QImage::Format_RGB32);
        const int dpm = static_cast<int>(dpi * pngScale / 0.0254 + 0.5);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(pngScale, pngScale);
        paint(p);
        p.end();
        return img.save(&file, "PNG");
    }
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(w, h));
        svg.setViewBox(QRect(0, 0, w, h));
        svg.setResolution(dpi);
        svg.setTitle("Ornivo graph");
        QPainter p;
        if (!p.begin(&svg)) return false;
        paint(p);
        return p.end();
    }
    case PictureFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(dpi);
        pdf.setPageSize(QPageSize(QSizeF(w * 72.0 / dpi, h * 72.0 / dpi), QPageSize::Point, "Graph",
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        pdf.setTitle("Ornivo graph");
        pdf.setCreator("Ornivo");
        QPainter p;
        if (!p.begin(&pdf)) return false;
        p.scale(double(pdf.width()) / w, double(pdf.height()) / h);
        paint(p);
        return p.end();
    }
    }
    return false;
}

bool writePicture(const graph::RecordingSurface& drawing, PictureFormat format, QSaveFile& file) {
    const int w = drawing.PixelWidth(), h = drawing.PixelHeight();
    if (format == PictureFormat::Png) return rasterOf(drawing).save(&file, "PNG");
    return writePicture(w, h, drawing.LogPixelsY(), 1,
                        [&](QPainter& p) { PaintRecording(p, drawing, QRectF(0, 0, w, h)); }, format, file);
}

const char* const PictureFailed = "Cannot write the picture ";

bool unknownFormat(const std::string& path, std::string& error) {
    error = "A picture is saved as a .png, .svg or .pdf file: " + path;
    return false;
}

}  // namespace

bool SavePicture(const graph::RecordingSurface& drawing, const std::string& path, std::string& error) {
    const auto format = PictureFormatOf(path);
    if (!format) return unknownFormat(path, error);
    return SaveThrough(
        path, error, [&](QSaveFile& file) { return writePicture(drawing, *format, file); }, PictureFailed);
}

bool SaveGraphPicture(const graph::RecordingSurface& drawing, const std::string& heading, const std::string& path,
                      double pngScale, std::string& error) {
    const auto format = PictureFormatOf(path);
    if (!format) return unknownFormat(path, error);
    EnsureGuiApplication();
    const int w = drawing.PixelWidth(), h = drawing.PixelHeight(), dpi = drawing.LogPixelsY();
    // The heading's font as the screen shows it, measured on an image of the drawing's resolution.
    QImage probe(1, 1, QImage::Format_RGB32);
    const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
    probe.setDotsPerMeterX(dpm);
    probe.setDotsPerMeterY(dpm);
    graph::SurfaceFont headingFont;
    headingFont.Size = HeadingPointSize;
    const QFont font = QtFont(headingFont, dpi, probe);
    const QString text = QString::fromStdString(heading);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QFontMetricsF fm(font, &probe);
    const double pad = fm.height() / 3;
    const QRectF textRoom(pad, pad, w - 2 * pad, 1e6);
    const int band = int(std::ceil(fm.boundingRect(textRoom, flags, text).height() + 2 * pad));
    auto paint = [&](QPainter& p) {
        p.fillRect(QRectF(0, 0, w, band + h), Qt::white);
        p.setFont(QtFont(headingFont, dpi, *p.device()));  // the same size on every device
        p.setPen(Qt::black);
        p.drawText(QRectF(pad, pad, w - 2 * pad, band - pad), flags, text);
        PaintRecording(p, drawing, QRectF(0, band, w, h));
    };
    return SaveThrough(
        path, error, [&](QSaveFile& file) { return writePicture(w, band + h, dpi, pngScale, paint, *format, file); },
        PictureFailed);
}

bool SavePowerGraph(ProgramState& s, const std::string& path, bool bands, std::string& error) {
    if (!PictureFormatOf(path)) return unknownFormat(path, error);
    if (bands && !s.Flap.UncertDone) {
        error = "The uncertainty bands have not been computed";
        return false;
    }
    EnsureGuiApplication();
    ImageSurface surface(TwipsToPixels96(graph::PowerGraphWidthTwips), TwipsToPixels96(graph::PowerGraphHeightTwips));
    graph::Rotator rotator;
    try {
        graph::DrawPowerGraph(s, surface, rotator);
        if (bands) graph::DrawUncertaintyBands(s, surface);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return SavePicture(surface, path, error);
}

bool SavePolarGraph(const ProgramState& s, const std::string& path, std::string& error) {
    if (!PictureFormatOf(path)) return unknownFormat(path, error);
    EnsureGuiApplication();
    ImageSurface surface(TwipsToPixels96(graph::PolarGraphWidthTwips), TwipsToPixels96(graph::PolarGraphHeightTwips));
    graph::Rotator rotator;
    try {
        graph::DrawPolarGraph(s, surface, rotator);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return SavePicture(surface, path, error);
}

}  // namespace ornivo::render
