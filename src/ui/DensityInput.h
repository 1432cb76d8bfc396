#pragma once
// The common shape of the air density calculator's four input screens: fields that store what is
// typed, and an OK that finds the density by one method and hands it to the calculator.
#include "atmosphere/DensityCalculator.h"
#include "ui/frmAirDensity.h"

namespace ornivo::ui {

class DensityInput : public Screen {
    Q_OBJECT
public:
    DensityInput(UiContext& ctx, frmAirDensity* calculator, const QString& name, const QString& caption,
                 DensityMethod method);
    QPushButton* cmdOK;
    void cmdOK_Click();

protected:
    // A field whose committed text is stored in a state value (the input screens keep no state of their own).
    CommitEdit* storedField(const QString& name, float* target);
    void addRow(const QString& labelName, const QString& caption, CommitEdit* f, const QString& unit);
    void finish();
    // The typed density, for the direct method.
    virtual double directDensity() const { return 0; }

    QGridLayout* grid_;
    QVBoxLayout* top_;
    int rows_ = 0;

private:
    frmAirDensity* calculator_;
    DensityMethod method_;
};

// The input screens that start from the conditions measured at the observer: the heading, the air
// temperature and the barometric pressure; below the screen's own rows, the warning that the pressure
// is the one measured there.
class ObserverInput : public DensityInput {
    Q_OBJECT
public:
    QLabel *lblHeading, *lblNote;
    CommitEdit *txtAirTemp, *txtBaro;

protected:
    ObserverInput(UiContext& ctx, frmAirDensity* calculator, const QString& name, const QString& caption,
                  DensityMethod method);
    // The warning, the OK button, and the typing starting in the air temperature.
    void finishObserver();
};

}  // namespace ornivo::ui
