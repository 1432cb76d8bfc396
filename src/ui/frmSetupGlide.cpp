#include "ui/frmSetupGlide.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "output/WorkbookRunOutput.h"
#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/frmSummaryGlide.h"

namespace ornivo::ui {

frmSetupGlide::frmSetupGlide(UiContext& ctx)
    : SetupScreen(ctx, ctl::frmSetupGlide, "Set up Glide Polar calculation", scaling::ResizePattern::ControlsOnly) {
    look_ = {.captionWidth = 190};
    auto [top, c1, c2, c3] = threeColumns("Set up glide polar calculation");
    using P = Param;
    massesFrame(c1, "Fat + Protein energy ht (km)", "Click for fat-only energy ht (km)");
    c1->addStretch();

    addRows(frameGrid(ctl::fraWings, "Wings and air", c2),
            {{txtSpan, P::Span}, {txtArea, P::Area}, {txtAR, P::AR}, {txtRho, P::Rho},
             FieldRow(txtAlt, P::Alt).tip("Set zero to get Sea Level density in Standard Atmosphere")});
    addRows(frameGrid(ctl::fraBody, "Body drag, metabolism and gravity", c2),
            {FieldRow(txtSbody, P::Sbody).derived(),
             FieldRow(txtFrontalAreaFactor, P::FrontalAreaFactor).caption("Frontal area factor"), {txtCdb, P::Cdb},
             {txtPayDragFactor, P::PayDragFactor}, FieldRow(txtPbmr, P::Pbmr).derived(),
             {txtPbmrFactor, P::PbmrFactor}, {txtMetSink, P::MetSink}, {txtGravity, P::Gravity}});
    c2->addStretch();

    addRows(frameGrid(ctl::fraGlide, "Gliding", c3),
            {{txtKGlide, P::KGlide}, {txtCdw, P::Cdw}, {txtClMax, P::ClMax}, {txtPlanformSlope, P::PlanformSlope},
             {txtTonicMuscFrac, P::TonicMuscFrac}});
    c3->addWidget(spanLawFrame());
    c3->addStretch();
    top->addLayout(buttonRow(cmdGlidePolar, ctl::cmdGlidePolar, "&Compute Glide Polar"));

    tabOrder({txtShortName, txtEmptyMass, txtCropMass, txtMuscleMass, txtMuscleFrac, txtFatMass, txtFatFrac, txtSpan,
              txtArea, txtAR, txtRho, txtAlt, txtFrontalAreaFactor, txtCdb, txtPayDragFactor, txtPbmrFactor,
              txtGravity, txtKGlide, txtCdw, txtClMax, txtPlanformSlope, txtTonicMuscFrac, optLinear, optMinDrag,
              txtBstop, cmdGlidePolar, cmdNewBird, cmdExit});

    wireFields();
    connect(cmdGlidePolar, &QPushButton::clicked, this, [this] { guarded([this] { cmdGlidePolar_Click(); }); });

    Form_Load();
    placeWindow();
}

QGroupBox* frmSetupGlide::spanLawFrame() {
    fraBeta = frame(ctl::fraBeta, "Wing span reduction");
    auto* fb = new QGridLayout(fraBeta);
    optLinear = option(ctl::optLinear, "&Linear", {}, fraBeta);
    optMinDrag = option(ctl::optMinDrag, "&Minimum drag", {}, fraBeta);
    fb->addWidget(optLinear, 0, 0, 1, 2);
    fb->addWidget(optMinDrag, 1, 0, 1, 2);
    addRows(fb, {FieldRow(txtBstop, Param::Bstop).caption("Set Bstop:").oneLine().captionInto(lblBstop)});
    fb->setColumnStretch(0, 1);
    return fraBeta;
}

void frmSetupGlide::Form_Load() {
    apply(glide::LoadSetupGlide(ctx_.s, ctx_.d));
    optLinear->setChecked(ctx_.s.Glide.SpanLaw == glide::SpanLawLinear);
    optMinDrag->setChecked(ctx_.s.Glide.SpanLaw == glide::SpanLawMinDrag);
    txtEmptyMass->setFocus();
}

ScreenUpdate frmSetupGlide::edit(const std::string& control, const Edit& e) {
    return glide::SetupGlideEdit(ctx_.s, ctx_.d, control, e);
}

void frmSetupGlide::cmdGlidePolar_Click() {
    commitPending();
    if (!glide::ComputeGlidePolar(ctx_.s, ctx_.d)) return;
    auto* results = new frmSummaryGlide(ctx_, this);
    results->show();
}

bool frmSetupGlide::saveOpenWorkbook() {
    return output::MayLeaveSetup(output::SaveGlideWorkbook(ctx_.s, ctx_.d));
}

}  // namespace ornivo::ui
