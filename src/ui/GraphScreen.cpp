#include "ui/GraphScreen.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <cctype>
#include <filesystem>
#include <optional>

#include "render/Export.h"
#include "render/QtFonts.h"
#include "scaling/ResizeControls.h"
#include "state/ControlNames.h"

namespace ornivo::ui {
namespace {

// The drawing area after the screen's controls were rescaled (as designed when they are not): its size
// in twips and its font size, which the graph uses until it sets 12 points for the axis titles.
scaling::ControlGeometry rescaledSurface(const ProgramState& s, int widthTwips, int heightTwips, float fontSize) {
    std::vector<scaling::ControlGeometry> g{{"pbxGraph", 0, 0, double(widthTwips), double(heightTwips), fontSize}};
    if (s.ResizeScreens) scaling::ResizeControls(s, g);
    return g[0];
}

// A file name made of the bird's short name: letters, digits, '-' and '_' kept, others as '_'.
std::string safeName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) out += (std::isalnum(c) || c == '-' || c == '_' || c >= 0x80) ? char(c) : '_';
    return out;
}

// Where the picture dialog opens: the folder of the current output file, else this calculation's
// folder of the output tree (made when missing), else the output root.
std::string pictureFolder(const ProgramState& s, const std::string& calculation) {
    namespace fs = std::filesystem;
    if (!s.LastOutputFolder.empty() && fs::is_directory(s.LastOutputFolder)) return s.LastOutputFolder;
    if (s.OutDrive.empty()) return {};
    const fs::path folder = fs::path(s.OutDrive) / "OrnivoOutput" / (s.UseTextFiles ? "TextFiles" : "ExcelFiles") /
                            calculation;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return (fs::is_directory(folder, ec) ? folder.string() : s.OutDrive) + "/";
}

bool hasExtension(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

}  // namespace

GraphScreen::GraphScreen(UiContext& ctx, const QString& objectName, const QString& caption, int widthTwips,
                         int heightTwips, const QString& exitCaption, PictureFiles pictures, QWidget* opener)
    : Screen(ctx, objectName, caption, scaling::ResizePattern::ControlsOnly, opener), pictures_(pictures),
      printer_(DialogPrinter()) {
    // Opened without blocking: its own window beside the results screen, closed when that closes.
    setWindowFlags(Qt::Window);
    setWindowModality(Qt::NonModal);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    top->setSpacing(4);
    lblHeading = label(ctl::lblHeading, "Heading");
    QFont hf(render::FontFamily("Times New Roman"));
    hf.setPointSizeF(14.25);
    lblHeading->setFont(hf);
    lblHeading->setAlignment(Qt::AlignCenter);
    lblHeading->setVisible(false);
    top->addWidget(lblHeading);

    const graph::SurfaceFont designed;  // Times New Roman 12, the screen's font
    const scaling::ControlGeometry box = rescaledSurface(ctx.s, widthTwips, heightTwips, designed.Size);
    pbxGraph = new GraphBox("pbxGraph", int(box.width), int(box.height), this);
    pbxGraph->surface().Font.Size = static_cast<float>(box.fontSize);
    top->addWidget(pbxGraph, 0, Qt::AlignHCenter);

    buttons_ = new QHBoxLayout;
    cmdPrint = button(ctl::cmdPrint, "&Print graph");
    cmdSavePicture = button(ctl::cmdSavePicture, "&Save picture...");
    cmdExit = button(ctl::cmdExit, exitCaption);
    cmdExit->setDefault(true);
    buttons_->addWidget(cmdPrint);
    buttons_->addWidget(cmdSavePicture);
    buttons_->addStretch();
    buttons_->addWidget(cmdExit);
    top->addLayout(buttons_);

    connect(cmdPrint, &QPushButton::clicked, this, [this] { guarded([this] { cmdPrint_Click(); }); });
    connect(cmdSavePicture, &QPushButton::clicked, this, [this] { guarded([this] { cmdSavePicture_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

bool GraphScreen::Form_Load() {
    try {
        heading_ = drawGraph(pbxGraph->surface(), rotator_);
    } catch (const std::exception& e) {
        ctx_.d.error({e.what()});
        return false;
    }
    lblHeading->setText(QString::fromStdString(heading_));
    lblHeading->setVisible(true);
    pbxGraph->update();
    cmdExit->setFocus();
    return true;
}

void GraphScreen::cmdPrint_Click() {
    std::string comment;
    if (!graph::AskToPrint(ctx_.s, ctx_.d, comment)) return;
    comment_ = comment;
    std::string error;
    if (!printer_->print(this, printedPage(heading_, comment_), pbxGraph->surface(), error) && !error.empty())
        ctx_.d.error({error});
}

void GraphScreen::cmdSavePicture_Click() {
    const std::string name = (ctx_.s.ShortName.empty() ? std::string("Bird") : ctx_.s.ShortName) + " " +
                             pictures_.subject;
    const platform::FileDialogRequest req{"Save picture of the graph", pictureFolder(ctx_.s, pictures_.folder),
                                          "Pictures (*.png *.svg *.pdf)", safeName(name) + ".png"};
    std::optional<std::string> path = ctx_.d.saveFile(req);
    if (!path || path->empty()) return;
    // A name typed without an extension becomes a PNG picture.
    if (!hasExtension(*path)) *path += ".png";
    std::string error;
    // With the heading the screen shows; a PNG at twice the screen's size, sharp enough to print.
    if (!render::SaveGraphPicture(pbxGraph->surface(), heading_, *path, 2, error))
        ctx_.d.error({"The picture was not saved.", error});
}

}  // namespace ornivo::ui
