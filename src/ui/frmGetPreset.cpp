#include "ui/frmGetPreset.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {

frmGetPreset::frmGetPreset(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onEntered)
    : Screen(ctx, ctl::frmGetPreset, "Get preset bird", scaling::ResizePattern::ScaleAndCentre, opener),
      logic_(ctx.s, ctx.d), onEntered_(std::move(onEntered)) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblHeading = heading(ctl::lblHeading, "Get bird from Preset database");
    top->addWidget(lblHeading);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    fraListBy = optionFrame(ctl::fraListBy, "List birds by:",
                            {{optSciName, ctl::optSciName, "Scientific Name"},
                             {optShortName, ctl::optShortName, "Short Name"}},
                            Qt::Horizontal);
    left->addWidget(fraListBy);
    lstGetBird = new QListWidget(this);
    lstGetBird->setObjectName(ctl::lstGetBird);
    lstGetBird->setMinimumSize(240, 260);
    left->addWidget(lstGetBird, 1);
    auto* count = new QHBoxLayout;
    lblRecordCount = label(ctl::lblRecordCount, "Number of birds available:");
    txtRecordCount = derived(ctl::txtRecordCount);
    txtRecordCount->setMaximumWidth(80);
    count->addWidget(lblRecordCount);
    count->addWidget(txtRecordCount);
    count->addStretch();
    left->addLayout(count);
    middle->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* g = new QGridLayout;
    lblScientificName = label(ctl::lblScientificName, "Scientific name");
    lblShortName = label(ctl::lblShortName, "Short name");
    lblComment = label(ctl::lblComment, "Comment");
    txtScientificName = derived(ctl::txtScientificName);
    txtShortName = derived(ctl::txtShortName);
    txtComment = derived(ctl::txtComment);
    for (CommitEdit* e : {txtScientificName, txtShortName, txtComment}) {
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        e->setMinimumWidth(240);
    }
    txtComment->setFreeText();
    row(g, 0, lblScientificName, txtScientificName);
    row(g, 1, lblShortName, txtShortName);
    row(g, 2, lblComment, txtComment);
    right->addLayout(g);
    right->addStretch();
    cmdExit = button(ctl::cmdExit, "&Enter bird into program");
    cmdCancel = button(ctl::cmdCancel, "&Return to Enter Bird Screen");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    for (QPushButton* b : {cmdExit, cmdCancel, cmdShowDefs}) right->addWidget(b);
    middle->addLayout(right, 1);
    top->addLayout(middle);

    connect(optSciName, &QRadioButton::clicked, this, [this] { guarded([this] { optSciName_MouseUp(); }); });
    connect(optShortName, &QRadioButton::clicked, this, [this] { guarded([this] { optShortName_MouseUp(); }); });
    // The entry shown highlighted is the one chosen, whether the mouse or the arrow keys moved there;
    // Return (or a double click) on it enters it, as "Enter bird into program" does.
    connect(lstGetBird, &QListWidget::itemClicked, this, [this] { guarded([this] { lstGetBird_Click(); }); });
    connect(lstGetBird, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) guarded([this] { lstGetBird_Click(); });
    });
    connect(lstGetBird, &QListWidget::itemActivated, this, [this] {
        guarded([this] {
            lstGetBird_Click();
            if (cmdExit->isEnabled()) cmdExit_Click();
        });
    });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    ScreenUpdate u;
    loaded_ = logic_.load(&u);
    if (loaded_) {
        apply(u);
        showList();
    }
    placeWindow();
}

void frmGetPreset::showList() {
    lstGetBird->clear();
    for (const std::string& name : logic_.entries()) lstGetBird->addItem(QString::fromStdString(name));
}

void frmGetPreset::optSciName_MouseUp() {
    apply(logic_.listBy(birddb::ListBy::ScientificName));
    showList();
}

void frmGetPreset::optShortName_MouseUp() {
    apply(logic_.listBy(birddb::ListBy::ShortName));
    showList();
}

void frmGetPreset::lstGetBird_Click() { apply(logic_.choose(lstGetBird->currentRow())); }

void frmGetPreset::cmdExit_Click() {
    ScreenUpdate u = logic_.enterBird();
    if (logic_.isOpen()) return;  // no bird chosen: the screen stays
    if (onEntered_) onEntered_(u);
    close();
}

void frmGetPreset::cmdCancel_Click() { close(); }

void frmGetPreset::closeEvent(QCloseEvent* e) {
    if (logic_.isOpen()) logic_.cancel();
    e->accept();
}

}  // namespace ornivo::ui
