#include "ui/frmImportTrack.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/Folders.h"
#include "state/ControlNames.h"
#include "track/ImportForm.h"
#include "track/TrackWriters.h"

namespace ornivo::ui {

frmImportTrack::frmImportTrack(UiContext& ctx, QWidget* setup, std::function<void(const std::string&)> onUseTrack)
    : Screen(ctx, ctl::frmImportTrack, "Import GPS fixes as a track", scaling::ResizePattern::ScaleAndCentre, setup),
      onUseTrack_(std::move(onUseTrack)) {
    QVBoxLayout* top = layoutWithHeading("Import raw GPS fixes as the track of a GPS run");

    auto* file = new QHBoxLayout;
    QLabel* lblFixFile = label(ctl::lblFixFile, "Fixes file (Movebank CSV or GPX)");
    txtFixFile = derived(ctl::txtFixFile);
    txtFixFile->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtFixFile->setMinimumWidth(360);
    lblFixFile->setBuddy(txtFixFile);
    cmdChooseFile = button(ctl::cmdChooseFile, "&Choose fixes file...");
    file->addWidget(lblFixFile);
    file->addWidget(txtFixFile, 1);
    file->addWidget(cmdChooseFile);
    top->addLayout(file);

    auto* middle = new QHBoxLayout;
    fraOptions = frame(ctl::fraOptions, "Import options");
    auto* g = new QGridLayout(fraOptions);
    g->setVerticalSpacing(2);
    g->setContentsMargins(8, 4, 8, 4);
    g->setColumnStretch(0, 1);
    int r = 0;
    for (const track::ImportField& f : track::ImportFields()) {
        const QString name = QString::fromStdString(f.control);
        CommitEdit* e = field(name, QString::fromStdString("As " + f.flag + " of ornivo-cli track import"), fraOptions);
        const bool wide = f.control == ctl::txtAnimal || f.control == ctl::txtStart || f.control == ctl::txtEnd;
        e->setFixedWidth(wide ? 130 : 70);
        if (wide) e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        row(g, r++, label("lbl" + name.mid(3), QString::fromStdString(f.caption), fraOptions), e);
        options[name] = e;
    }
    middle->addWidget(fraOptions);

    QGroupBox* fraSummary = frame(ctl::fraSummary, "Summary of the track");
    auto* sl = new QVBoxLayout(fraSummary);
    txtSummary = new QPlainTextEdit(fraSummary);
    txtSummary->setObjectName(ctl::txtSummary);
    txtSummary->setReadOnly(true);
    txtSummary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtSummary->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtSummary->setMinimumWidth(300);
    sl->addWidget(txtSummary);
    middle->addWidget(fraSummary, 1);
    top->addLayout(middle, 1);

    cmdImport = button(ctl::cmdImport, "&Import");
    cmdImport->setDefault(true);
    lblWait = label(ctl::lblWait, "WAIT ..");
    lblWait->setVisible(false);
    cmdSave = button(ctl::cmdSave, "&Save track workbook...");
    cmdReturn = button(ctl::cmdReturn, "&Return to Migration Setup");
    top->addLayout(line({cmdImport, lblWait, cmdSave, Stretch, cmdReturn}));

    QWidget* prev = cmdChooseFile;
    for (const track::ImportField& f : track::ImportFields()) {
        QWidget* w = options[QString::fromStdString(f.control)];
        setTabOrder(prev, w);
        prev = w;
    }
    for (QWidget* w : {static_cast<QWidget*>(cmdImport), static_cast<QWidget*>(txtSummary),
                       static_cast<QWidget*>(cmdSave), static_cast<QWidget*>(cmdReturn)}) {
        setTabOrder(prev, w);
        prev = w;
    }

    connect(cmdChooseFile, &QPushButton::clicked, this, [this] { guarded([this] { cmdChooseFile_Click(); }); });
    connect(cmdImport, &QPushButton::clicked, this, [this] { guarded([this] { cmdImport_Click(); }); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { guarded([this] { cmdSave_Click(); }); });
    connect(cmdReturn, &QPushButton::clicked, this, [this] { guarded([this] { cmdReturn_Click(); }); });
    // A changed option makes the summary shown out of date: the track is imported again before a save.
    for (auto& [name, e] : options)
        connect(e, &QLineEdit::textEdited, this, [this] {
            result_.reset();
            cmdSave->setEnabled(false);
        });

    Form_Load();
    placeWindow();
}

void frmImportTrack::Form_Load() {
    for (const track::ImportField& f : track::ImportFields())
        options[QString::fromStdString(f.control)]->setText(QString::fromStdString(f.defaultText));
    cmdImport->setEnabled(false);
    cmdSave->setEnabled(false);
    cmdChooseFile->setFocus();
}

void frmImportTrack::cmdChooseFile_Click() {
    platform::EnsureFolder(ctx_.s.Gps.TrackFolder);
    auto path = ctx_.d.openFile({"Choose a file of GPS fixes", ctx_.s.Gps.TrackFolder,
                                 "GPS fixes (*.csv *.gpx)", ""});
    if (!path) return;  // cancelled: nothing changes
    // The field shows the file's name; its tip and fixPath_ hold the whole path.
    fixPath_ = *path;
    // The next track dialog opens where this file was.
    if (const auto folder = std::filesystem::path(*path).parent_path(); !folder.empty())
        ctx_.s.Gps.TrackFolder = folder.string();
    txtFixFile->setText(QString::fromStdString(std::filesystem::path(*path).filename().string()));
    txtFixFile->setToolTip(QString::fromStdString(*path));
    result_.reset();
    txtSummary->clear();
    cmdImport->setEnabled(true);
    cmdSave->setEnabled(false);
    cmdImport->setFocus();
}

void frmImportTrack::cmdImport_Click() {
    commitPending();
    std::map<std::string, std::string> texts;
    for (auto& [name, e] : options) texts[name.toStdString()] = e->text().toStdString();
    std::string error;
    auto o = track::ReadImportForm(texts, error);
    if (!o) {
        ctx_.d.error({error});
        return;
    }
    lblWait->setVisible(true);
    lblWait->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    track::ImportResult r = track::ImportTrack(fixPath_, *o);
    QApplication::restoreOverrideCursor();
    lblWait->setVisible(false);
    if (!r.ok()) {
        result_.reset();
        txtSummary->clear();
        cmdSave->setEnabled(false);
        std::vector<std::string> lines = {"The fixes could not be made into a track:"};
        lines.insert(lines.end(), r.message.begin(), r.message.end());
        ctx_.d.error(lines);
        return;
    }
    QStringList summary;
    for (const std::string& l : track::SummaryLines(r.summary)) summary << QString::fromStdString(l);
    txtSummary->setPlainText(summary.join('\n'));
    result_ = std::move(r);
    cmdSave->setEnabled(true);
    cmdSave->setFocus();
}

void frmImportTrack::cmdSave_Click() {
    if (!result_) return;
    const std::filesystem::path fixes(fixPath_);
    const std::string proposed = fixes.stem().string() + "_ProcessedToAirSpeed.xlsx";
    auto path = ctx_.d.saveFile({"Save track workbook", fixes.parent_path().string(), "Track workbooks (*.xlsx)",
                                 proposed});
    if (!path) return;  // cancelled: the imported track stays on the screen
    std::string target = *path;
    if (std::filesystem::path(target).extension().empty()) target += ".xlsx";
    if (std::string e = track::SaveTrackWorkbook(*result_, target); !e.empty()) {
        ctx_.d.error({"The track workbook was not saved:", e});
        return;
    }
    if (const auto folder = std::filesystem::path(target).parent_path(); !folder.empty())
        ctx_.s.Gps.TrackFolder = folder.string();
    if (ctx_.d.askYesNo({"The track workbook was saved as", target,
                         "Use it as the track of the next GPS run (\"Start with GPS Track\")?"})) {
        if (onUseTrack_) onUseTrack_(target);
        close();
    }
}

void frmImportTrack::cmdReturn_Click() { close(); }

}  // namespace ornivo::ui
