#pragma once
// What the setup screens share: the heading line with the bird's names, and the two roads out.
// "Get New Bird" and "Exit Program" (and the title bar's close button, which takes the Exit road)
// first save the open result workbook of the screen's calculation; a save that fails keeps the
// screen open with its runs. The exit then shows where the last output went, or ends the program.
#include "ui/Screen.h"

class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;

namespace ornivo::ui {

class SetupScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;

    CommitEdit *txtSpName = nullptr, *txtShortName = nullptr, *txtTaxon = nullptr;

    void cmdNewBird_Click();
    void cmdExit_Click();

protected:
    // The screen's heading in bold with the species, short name and group fields beside it.
    QHBoxLayout* headingWithNames(const QString& heading);
    // A frame of field rows added to a column: caption, field, with the given row spacing and margin.
    QGridLayout* frameGrid(const QString& name, const QString& title, QVBoxLayout* column, int rowSpacing,
                           int margin);
    // A row of such a frame: a caption that wraps at captionWidth pixels, so that three columns of fields
    // fit an 800 by 600 display, and a 60-pixel field (an editable one, or a derived one).
    CommitEdit* fieldRow(QGridLayout* g, const QString& name, const QString& caption, int captionWidth,
                         const QString& tip, bool derivedValue, QLabel** captionOut = nullptr);
    // Saves the open result workbook of the calculation; false when it could not be saved.
    virtual bool saveOpenWorkbook() = 0;
    void closeEvent(QCloseEvent* e) override;

private:
    bool leaving_ = false;
};

}  // namespace ornivo::ui
