#include "ui/frmPowerUncert.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <charconv>

#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/frmGraphPcurve.h"

namespace ornivo::ui {
namespace {

// The captions of the eight fields, in the order of flap::UncertVar.
const char* const kCaptions[flap::UCount] = {"Mass",
                                             "Wing span",
                                             "Wing area",
                                             "Body frontal area",
                                             "Body drag coefficient",
                                             "Induced power factor",
                                             "Gravity",
                                             "Air Density"};

// An uncertainty as the shortest text that reads back as the same single ("0.15", "0.005").
QString uncertaintyText(float u) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, u);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

}  // namespace

frmPowerUncert* frmPowerUncert::Show(UiContext& ctx, frmGraphPcurve* graph) {
    auto* screen = new frmPowerUncert(ctx, graph);
    if (!flap::LoadUncertaintyModel(ctx.s, ctx.d, screen->model_)) {
        delete screen;
        return nullptr;
    }
    graph->setEnabled(false);
    screen->showSet(flap::WildPopulation());
    screen->placeWindow();
    screen->show();
    screen->fields[flap::UMass]->setFocus();
    return screen;
}

frmPowerUncert::frmPowerUncert(UiContext& ctx, frmGraphPcurve* graph)
    : Screen(ctx, ctl::frmPowerUncert, "Uncertainty limits for power curve", scaling::ResizePattern::ScaleAndCentre),
      graph_(graph) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(10, 10, 10, 10);
    lblHeading = heading(ctl::lblHeading, "Uncertainty estimates for mechanical power curve");
    top->addWidget(lblHeading);
    lblNote = label(ctl::lblNote, "Set proportional uncertainty for each variable, by amending default values");
    top->addWidget(lblNote);

    auto* middle = new QHBoxLayout;
    QGroupBox* fraVariables = frame(ctl::fraVariables, "");
    auto* g = new QGridLayout(fraVariables);
    g->setVerticalSpacing(3);
    g->addWidget(bold(label(ctl::lblVariable, "Variable", fraVariables)), 0, 0);
    g->addWidget(bold(label(ctl::lblUncertainty, "Uncertainty", fraVariables)), 0, 1);
    const auto& names = flap::UncertaintyFieldNames();
    for (int i = 0; i < flap::UCount; ++i) {
        const QString name = QString::fromStdString(names[i]);
        fields[i] = field(name, QStringLiteral("Proportional uncertainty, 0 to %1")
                                    .arg(uncertaintyText(flap::UncertaintyLimits()[i])),
                          fraVariables);
        fields[i]->setFixedWidth(80);
        QLabel* caption = label("lbl" + name.mid(3), kCaptions[i], fraVariables);
        row(g, i + 1, caption, fields[i]);
        connect(fields[i], &CommitEdit::committed, this,
                [this, i](const QString& t) { guarded([&] { field_LostFocus(i, t); }); });
    }
    middle->addWidget(fraVariables);

    auto* side = new QVBoxLayout;
    QGroupBox* fraDefaults = frame(ctl::fraDefaults, "Start with defaults for:");
    auto* dv = new QVBoxLayout(fraDefaults);
    optWild = option(ctl::optWild, "&Wild population", {}, fraDefaults);
    optWT = option(ctl::optWT, "&Measured individual", {}, fraDefaults);
    optNearZero = option(ctl::optNearZero, "&All zero", {}, fraDefaults);
    optWild->setChecked(true);
    cmdSetDefaults = button(ctl::cmdSetDefaults, "Set &Defaults", fraDefaults);
    for (QWidget* w : {static_cast<QWidget*>(optWild), static_cast<QWidget*>(optWT),
                       static_cast<QWidget*>(optNearZero), static_cast<QWidget*>(cmdSetDefaults)})
        dv->addWidget(w);
    side->addWidget(fraDefaults);
    lblAmend = label(ctl::lblAmend, "Amend default values as necessary");
    lblAmend->setWordWrap(true);
    side->addWidget(lblAmend);
    side->addStretch();
    middle->addLayout(side);
    top->addLayout(middle);

    cmdProceed = button(ctl::cmdProceed, "&Plot uncertainty bands");
    cmdProceed->setDefault(true);
    cmdCancel = button(ctl::cmdCancel, "&Forget it");
    top->addLayout(line({Stretch, cmdProceed, cmdCancel}));

    connect(cmdSetDefaults, &QPushButton::clicked, this, [this] { guarded([this] { cmdSetDefaults_Click(); }); });
    connect(cmdProceed, &QPushButton::clicked, this, [this] { guarded([this] { cmdProceed_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    // The graph closes with its results screen; its uncertainty screen goes with it.
    if (graph) connect(graph, &QObject::destroyed, this, &QWidget::close);
}

void frmPowerUncert::showSet(const flap::UncertaintySet& set) {
    set_ = set;
    for (int i = 0; i < flap::UCount; ++i) fields[i]->setText(uncertaintyText(set.u[i]));
}

void frmPowerUncert::field_LostFocus(int variable, const QString& text) {
    set_.u[variable] = static_cast<float>(LeadingNumber(text.toStdString()));
}

void frmPowerUncert::cmdSetDefaults_Click() {
    if (optWT->isChecked()) showSet(flap::MeasuredIndividual());
    else if (optNearZero->isChecked()) showSet(flap::AllZero());
    else showSet(flap::WildPopulation());
}

void frmPowerUncert::cmdProceed_Click() {
    commitPending();
    if (!graph_) {
        close();
        return;
    }
    if (!flap::ComputePowerUncertainty(ctx_.s, ctx_.d, model_, set_)) return;
    graph_->setEnabled(true);
    graph_->DrawUncertainty();
    close();
}

void frmPowerUncert::closeEvent(QCloseEvent* e) {
    if (graph_) graph_->setEnabled(true);
    e->accept();
}

}  // namespace ornivo::ui
