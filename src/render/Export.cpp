#include "render/Export.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

#include "graph/PolarGraph.h"
#include "graph/PowerGraph.h"
#include "render/ImageSurface.h"
#include "render/Painting.h"

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

bool writePicture(const graph::RecordingSurface& drawing, PictureFormat format, QSaveFile& file) {
    const int w = drawing.PixelWidth(), h = drawing.PixelHeight(), dpi = drawing.LogPixelsY();
    switch (format) {
    case PictureFormat::Png:
        return rasterOf(drawing).save(&file, "PNG");
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(w, h));
        svg.setViewBox(QRect(0, 0, w, h));
        svg.setResolution(dpi);
        svg.setTitle("Ornivo graph");
        QPainter p;
        if (!p.begin(&svg)) return false;
        PaintRecording(p, drawing, QRectF(0, 0, w, h));
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
        PaintRecording(p, drawing, QRectF(0, 0, pdf.width(), pdf.height()));
        return p.end();
    }
    }
    return false;
}

bool unknownFormat(const std::string& path, std::string& error) {
    error = "A picture is saved as a .png, .svg or .pdf file: " + path;
    return false;
}

}  // namespace

bool SavePicture(const graph::RecordingSurface& drawing, const std::string& path, std::string& error) {
    const auto format = PictureFormatOf(path);
    if (!format) return unknownFormat(path, error);
    EnsureGuiApplication();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    if (!writePicture(drawing, *format, file)) {
        file.cancelWriting();
        error = "Cannot write the picture " + path;
        return false;
    }
    if (!file.commit()) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool SavePowerGraph(ProgramState& s, const std::string& path, bool bands, std::string& error) {
    if (!PictureFormatOf(path)) return unknownFormat(path, error);
    if (bands && !s.UncertDone) {
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
