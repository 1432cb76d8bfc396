#pragma once
// What the three results screens share: the bird's names, the save frame with its file name and the
// 4-digit choice, and one road out: "Return to Setup" and the title bar's close button save the run when
// the save box is ticked (hiding cmdOK and showing lblWait while it writes) and clear the edit marks.
#include "ui/Screen.h"

class QCheckBox;

namespace ornivo::ui {

class ResultsScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;

    CommitEdit *txtSpName = nullptr, *txtShortName = nullptr;
    QLabel* lblFileName = nullptr;
    CommitEdit* txtFileName = nullptr;
    QCheckBox* chk4Digit = nullptr;

    void chk4Digit_LostFocus();
    void cmdOK_Click() { close(); }

protected:
    // The bird's species and short names, left-aligned at fixed widths, for the heading line.
    void nameFields(int speciesWidth, int shortWidth);
    // The "Save results" frame: the save box, the file name it saves to (hidden until a save names it)
    // and the 4-digit choice, down the frame or along one line.
    QGroupBox* saveFrame(QCheckBox*& saveBox, int fileNameWidth, bool oneLine);
    virtual QCheckBox* saveBox() const = 0;
    // Writes the run to the output chosen on the start screen (a text block or a workbook sheet).
    virtual void writeRun() = 0;
    void closeEvent(QCloseEvent* e) override;

private:
    void returnToSetup();
};

}  // namespace ornivo::ui
