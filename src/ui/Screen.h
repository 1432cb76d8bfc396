#pragma once
// The common ground of every screen: the shared context, showing what a rule asks (texts, visibility,
// enabled state, checks, focus) by the controls' names, the rescaling on load, and opening a tool
// screen that blocks its opener until it closes.
#include <QGridLayout>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "scaling/ResizeControls.h"
#include "state/ScreenUpdate.h"
#include "ui/CommitEdit.h"
#include "ui/UiContext.h"

class QAbstractButton;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class QRadioButton;
class QCheckBox;
class QGroupBox;

namespace ornivo::ui {

class Screen : public QWidget {
    Q_OBJECT
public:
    // A top-level screen, or (with an opener) a tool screen that blocks its opener while open.
    Screen(UiContext& ctx, const QString& objectName, const QString& caption, scaling::ResizePattern pattern,
           QWidget* opener = nullptr);

    // Shows what a rule asked for. Names the screen does not have are recorded (see MissingControls).
    void apply(const ScreenUpdate& u);
    // Commits the field being typed into before a button acts: a shortcut key does not move the focus.
    void commitPending();
    // Runs a handler; an unexpected failure is shown as a message instead of ending the program.
    void guarded(const std::function<void()>& handler);

    UiContext& context() { return ctx_; }

protected:
    // Fonts scaled as the rescaling rule says (when ResizeScreens) and the window sized and placed by
    // the screen's pattern. Called by each screen at the end of its construction.
    void placeWindow();
    // The display's area for windows (of the opener's display, or the main one) and the room the
    // window system's frame takes around a window.
    QRect displayRoom() const;
    // Sets a control's font size and changes the widths the screen set in pixels by `ratio`.
    static void scaleControl(QWidget* w, double pointSize, double ratio);
    QMargins frameAllowance() const;

    // Builders: every control is named as the screen's own (object name = member name).
    QLabel* label(const QString& name, const QString& text, QWidget* parent = nullptr);
    CommitEdit* field(const QString& name, const QString& tip = {}, QWidget* parent = nullptr);
    CommitEdit* derived(const QString& name, const QString& tip = {}, QWidget* parent = nullptr);
    QPushButton* button(const QString& name, const QString& caption, QWidget* parent = nullptr);
    QRadioButton* option(const QString& name, const QString& caption, const QString& tip = {},
                         QWidget* parent = nullptr);
    QCheckBox* check(const QString& name, const QString& caption, QWidget* parent = nullptr);
    QGroupBox* frame(const QString& name, const QString& title, QWidget* parent = nullptr);
    // A row of a form grid: caption, field, unit text.
    void row(QGridLayout* g, int r, QLabel* caption, QWidget* field, const QString& unit = {}, int col = 0);
    // A screen's heading: bold, a quarter larger than the screen's text.
    QLabel* heading(const QString& name, const QString& text);
    // The screen's layout, 8 pixels in from its edges, headed by lblHeading in bold.
    QVBoxLayout* layoutWithHeading(const QString& text);
    // The heading of a grid's column of values: bold, standing right above the values.
    QLabel* columnHeading(const QString& name, const QString& text, QWidget* parent = nullptr);
    // An option of an option frame, and the member that holds it.
    struct Choice {
        QRadioButton*& member;
        const char* name;
        const char* caption;
    };
    // A frame of options, one under another (or side by side).
    QGroupBox* optionFrame(const QString& name, const QString& title, std::initializer_list<Choice> options,
                           Qt::Orientation orientation = Qt::Vertical);
    // A line of controls from left to right, where `Stretch` takes up the room left over.
    static constexpr QWidget* Stretch = nullptr;
    static QHBoxLayout* line(std::initializer_list<QWidget*> controls);
    static QLabel* bold(QLabel* l);
    // The order in which TAB visits the controls, from the first to the last.
    void tabOrder(std::initializer_list<QWidget*> chain);

    UiContext& ctx_;
    scaling::ResizePattern pattern_;
    int unitLabels_ = 0;
};

// The control names a rule asked for that no screen had (empty when every rule matched its screen).
std::vector<std::string>& MissingControls();

}  // namespace ornivo::ui
