#include "ui/frmGoalDist.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include "state/ControlNames.h"


namespace ornivo::ui {

frmGoalDist::frmGoalDist(UiContext& ctx, QWidget* setup, std::function<void(const ScreenUpdate&)> onAccepted)
    : Screen(ctx, ctl::frmGoalDist, "Find Goal Distance", scaling::ResizePattern::ScaleAndCentre, setup),
      onAccepted_(std::move(onAccepted)) {
    QVBoxLayout* top = layoutWithHeading("Find goal distance from start and finish coordinates");

    QGroupBox* fraCoords = frame(ctl::fraCoords, "Coordinates");
    auto* g = new QGridLayout(fraCoords);
    g->setHorizontalSpacing(6);
    const char* heads[] = {"", "Latitude\nDegrees", "Minutes", "", "Longitude\nDegrees", "Minutes", ""};
    for (int c = 1; c < 7; ++c) {
        if (!*heads[c]) continue;
        QLabel* l = label(QString("lblHead%1").arg(c), heads[c], fraCoords);
        l->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        g->addWidget(l, 0, c);
    }
    auto box = [&](const QString& name, int r, int c, bool hemisphere, const QString& tip = {}) {
        CommitEdit* f = hemisphere ? derived(name, tip, fraCoords) : field(name, tip, fraCoords);
        f->setFixedWidth(hemisphere ? 60 : 56);
        if (hemisphere) {
            f->setAlignment(Qt::AlignCenter);
            f->setCursor(Qt::PointingHandCursor);
        }
        g->addWidget(f, r, c);
        return f;
    };
    const QString ns = "Click to toggle between N and S", ew = "Click to toggle between E and W";
    g->addWidget(label(ctl::lblStart, "Start", fraCoords), 1, 0);
    txtLatDeg1 = box(ctl::txtLatDeg1, 1, 1, false);
    txtLatMin1 = box(ctl::txtLatMin1, 1, 2, false);
    txtLatNS1 = box(ctl::txtLatNS1, 1, 3, true, ns);
    txtLongDeg1 = box(ctl::txtLongDeg1, 1, 4, false);
    txtLongMin1 = box(ctl::txtLongMin1, 1, 5, false);
    txtLongEW1 = box(ctl::txtLongEW1, 1, 6, true, ew);
    g->addWidget(label(ctl::lblFinish, "Finish", fraCoords), 2, 0);
    txtLatDeg2 = box(ctl::txtLatDeg2, 2, 1, false);
    txtLatMin2 = box(ctl::txtLatMin2, 2, 2, false);
    txtLatNS2 = box(ctl::txtLatNS2, 2, 3, true, ns);
    txtLongDeg2 = box(ctl::txtLongDeg2, 2, 4, false);
    txtLongMin2 = box(ctl::txtLongMin2, 2, 5, false);
    txtLongEW2 = box(ctl::txtLongEW2, 2, 6, true, ew);
    top->addWidget(fraCoords);

    QLabel* lblDistance = label(ctl::lblDistance, "Great circle distance (km)");
    txtDistance = derived(ctl::txtDistance);
    txtDistance->setFixedWidth(80);
    lblDistance->setBuddy(txtDistance);
    top->addLayout(line({Stretch, lblDistance, txtDistance}));

    cmdUpdate = button(ctl::cmdUpdate, "&Update distance");
    cmdUpdate->setDefault(true);
    cmdAccept = button(ctl::cmdAccept, "&Accept");
    cmdCancel = button(ctl::cmdCancel, "&Cancel");
    top->addLayout(line({cmdUpdate, Stretch, cmdAccept, cmdCancel}));

    QWidget* order[] = {txtLatDeg1, txtLatMin1, txtLongDeg1, txtLongMin1, txtLatDeg2, txtLatMin2,
                        txtLongDeg2, txtLongMin2, cmdUpdate, cmdAccept, cmdCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (CommitEdit* f : {txtLatDeg1, txtLatMin1, txtLongDeg1, txtLongMin1, txtLatDeg2, txtLatMin2, txtLongDeg2,
                          txtLongMin2})
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
    for (CommitEdit* h : {txtLatNS1, txtLongEW1, txtLatNS2, txtLongEW2})
        connect(h, &CommitEdit::clickedInto, this, [this, h] { guarded([&] { txtHemisphere_Click(h); }); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { guarded([this] { cmdUpdate_Click(); }); });
    connect(cmdAccept, &QPushButton::clicked, this, [this] { guarded([this] { cmdAccept_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([this] { cmdCancel_Click(); }); });

    Form_Load();
    placeWindow();
}

void frmGoalDist::Form_Load() {
    form_ = migrate::LoadGoalDistance();
    for (CommitEdit* h : {txtLatNS1, txtLatNS2}) h->setText("North");
    for (CommitEdit* h : {txtLongEW1, txtLongEW2}) h->setText("West");
    for (CommitEdit* m : {txtLatMin1, txtLongMin1, txtLatMin2, txtLongMin2}) m->setText("0");
    cmdAccept->setEnabled(false);
    txtLatDeg1->setFocus();
}

void frmGoalDist::txtField_LostFocus(CommitEdit* f, const QString& text) {
    migrate::GoalDistanceEdit(form_, f->objectName().toStdString(), text.toStdString());
}

void frmGoalDist::txtHemisphere_Click(CommitEdit* box) {
    box->setText(QString::fromStdString(migrate::ToggleHemisphere(form_, box->objectName().toStdString())));
}

void frmGoalDist::cmdUpdate_Click() {
    commitPending();
    ScreenUpdate u;
    migrate::UpdateDistance(ctx_.s, form_, ctx_.d, &u);
    apply(u);
}

void frmGoalDist::cmdAccept_Click() {
    commitPending();
    ScreenUpdate setup;
    if (!migrate::AcceptGoalDistance(ctx_.s, form_, ctx_.d, &setup)) return;
    if (onAccepted_) onAccepted_(setup);
    close();
}

void frmGoalDist::cmdCancel_Click() { close(); }

}  // namespace ornivo::ui
