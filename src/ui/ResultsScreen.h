#pragma once
// What the three results screens share: "Return to Setup" and the title bar's close button take one
// road, which saves the run when the save box is ticked (hiding cmdOK and showing lblWait while it
// writes) and clears the edit marks.
#include "ui/Screen.h"

class QCheckBox;

namespace ornivo::ui {

class ResultsScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    virtual QCheckBox* saveBox() const = 0;
    // Writes the run to the output chosen on the start screen (a text block or a workbook sheet).
    virtual void writeRun() = 0;
    void closeEvent(QCloseEvent* e) override;

private:
    void returnToSetup();
};

}  // namespace ornivo::ui
