#pragma once
// The screens whose fields are rows of the parameter table (Enter Bird, the three setup screens and the
// migration settings), and what the setup screens share: the heading line with the bird's names, the
// three columns of frames, the row of buttons, and the two roads out. "Get New Bird" and "Exit
// Program" (and the title bar's close button, which takes the Exit road) first save the open result
// workbook of the screen's calculation; a save that fails keeps the screen open with its runs. The
// exit then shows where the last output went, or ends the program.
#include <initializer_list>

#include "state/Edit.h"
#include "state/Parameters.h"
#include "ui/Screen.h"

class QGridLayout;
class QHBoxLayout;
class QRadioButton;
class QVBoxLayout;

namespace ornivo::ui {

// A field of the parameter table as one screen shows it in a row of caption and field, held in the
// screen's member. Caption and tip are the table's unless the screen words them differently. The field
// shows a derived value (read-only) where the table gives it a number with no edit mark to set, or where
// the screen says so.
class FieldRow {
public:
    FieldRow(CommitEdit*& member, Param p) : member_(&member), param_(p) {}

    FieldRow& caption(const char* text) { caption_ = text; return *this; }
    FieldRow& tip(const char* text) { tip_ = text; return *this; }
    FieldRow& noTip() { return tip(""); }
    FieldRow& derived() { derived_ = true; return *this; }
    // A unit shown after the field.
    FieldRow& unit(const char* text) { unit_ = text; return *this; }
    // A caption kept to one line, on a screen whose captions wrap.
    FieldRow& oneLine() { oneLine_ = true; return *this; }
    // A text field: left-aligned, as wide as the field and unit columns together.
    FieldRow& wide() { wide_ = true; return *this; }
    FieldRow& captionInto(QLabel*& label) { captionOut_ = &label; return *this; }

private:
    friend class ParamScreen;
    CommitEdit** member_;
    Param param_;
    const char* caption_ = nullptr;
    const char* tip_ = nullptr;
    const char* unit_ = nullptr;
    bool derived_ = false, oneLine_ = false, wide_ = false;
    QLabel** captionOut_ = nullptr;
};

// How a screen lays out its frames of field rows.
struct RowLook {
    int rowSpacing = 3, margin = 6;  // a frame grid's space between rows, and above and below them
    int columnSpacing = 6;           // between caption and field; -1: the style's
    int fieldWidth = 60;             // 0: the field's own
    int captionWidth = 0;            // captions wrap at this width (so that three columns of fields fit
                                     // an 800 by 600 display); 0: each keeps to one line
    bool tips = true;                // false: the screen's fields show no tool tips
};

// A screen whose fields are rows of the parameter table: each named by the table, with its caption
// beside it named "lbl" and the field's name without its "txt".
class ParamScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    // A frame of field rows added to a column.
    QGridLayout* frameGrid(const QString& name, const QString& title, QVBoxLayout* column);
    // Adds the rows below those the grid has (a frame's, or a grid of the screen's own).
    void addRows(QGridLayout* g, std::initializer_list<FieldRow> rows);
    // The field of the table's row, or null when the screen has none.
    CommitEdit* fieldOf(Param p) const;

    RowLook look_;
};

class SetupScreen : public ParamScreen {
    Q_OBJECT
public:
    using ParamScreen::ParamScreen;

    CommitEdit *txtSpName = nullptr, *txtShortName = nullptr, *txtTaxon = nullptr;
    // The fields every setup screen has: the masses, energy heights, wings and air, and body drag and BMR.
    CommitEdit *txtEmptyMass = nullptr, *txtCropMass = nullptr, *txtAllUpMass = nullptr, *txtCropFrac = nullptr,
               *txtMuscleMass = nullptr, *txtMuscleFrac = nullptr, *txtFatMass = nullptr, *txtFatFrac = nullptr,
               *txtAirframeMass = nullptr, *txtAirframeFrac = nullptr, *txtFatProtHeight = nullptr,
               *txtFatHeight = nullptr;
    CommitEdit *txtSpan = nullptr, *txtArea = nullptr, *txtAR = nullptr, *txtRho = nullptr, *txtAlt = nullptr;
    CommitEdit *txtSbody = nullptr, *txtFrontalAreaFactor = nullptr, *txtCdb = nullptr, *txtPayDragFactor = nullptr,
               *txtPbmr = nullptr, *txtPbmrFactor = nullptr;
    QPushButton *cmdNewBird = nullptr, *cmdShowDefs = nullptr, *cmdHelp = nullptr, *cmdExit = nullptr;

    // The rules of the screen's calculation, for every field. A read-only field takes no typing, and a
    // name or a derived value takes no click.
    virtual void txtField_LostFocus(CommitEdit* field, const QString& text);
    void txtField_Click(CommitEdit* field);
    void txtTaxon_DblClick();
    // Opens the air density calculator.
    virtual void txtRho_DblClick();
    void opt_Click(QRadioButton* option);
    void cmdNewBird_Click();
    void cmdExit_Click();

protected:
    // What an edit of one of the screen's controls shows, by the rules of the screen's calculation.
    // Throws UnknownControl for a control the calculation does not know.
    virtual ScreenUpdate edit(const std::string& control, const Edit& e) = 0;
    void applyEdit(QWidget* control, const Edit& e) { apply(edit(control->objectName().toStdString(), e)); }
    // The Masses frame of the glide and migration screens: the masses and fractions, the derived ones
    // without tips, and the two energy heights in the screen's words.
    void massesFrame(QVBoxLayout* column, const char* fatProtCaption, const char* fatHeightCaption);
    struct Columns {
        QVBoxLayout *top, *c1, *c2, *c3;
    };
    // The screen's layout: its heading with the bird's names (none when empty) and three columns for the
    // frames; the screen adds its buttons below them.
    Columns threeColumns(const QString& heading);
    // The screen's heading in bold with the species, short name and group fields beside it.
    QHBoxLayout* headingWithNames(const QString& heading);
    // The row of buttons: the calculation's own (bold, the default) and "Get New Bird" on the left, the
    // definitions, the manual and "Exit Program" on the right.
    QHBoxLayout* buttonRow(QPushButton*& calculate, const QString& name, const QString& caption);
    // Connects every field and option to the field rules, the group's and the air density's
    // double-clicks, and the two roads out.
    void wireFields();
    // Saves the open result workbook of the calculation; false when it could not be saved.
    virtual bool saveOpenWorkbook() = 0;
    void closeEvent(QCloseEvent* e) override;

private:
    bool leaving_ = false;
};

}  // namespace ornivo::ui
