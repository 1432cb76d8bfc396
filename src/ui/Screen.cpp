#include "ui/Screen.h"

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <exception>

#include "state/ControlNames.h"

namespace ornivo::ui {

std::vector<std::string>& MissingControls() {
    static std::vector<std::string> missing;
    return missing;
}

void UiContext::endProgram() {
    if (ending) return;
    ending = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Screen*>(w)) w->close();
    if (onEnd) onEnd();
}

Screen::Screen(UiContext& ctx, const QString& objectName, const QString& caption, scaling::ResizePattern pattern,
               QWidget* opener)
    : QWidget(opener, opener ? Qt::Dialog : Qt::Window), ctx_(ctx), pattern_(pattern) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    if (opener) setWindowModality(Qt::WindowModal);
}

void Screen::apply(const ScreenUpdate& u) {
    auto find = [this](const std::string& name) -> QWidget* {
        QWidget* w = findChild<QWidget*>(QString::fromStdString(name));
        if (!w) MissingControls().push_back(objectName().toStdString() + "." + name);
        return w;
    };
    for (const auto& [name, text] : u.texts) {
        QWidget* w = find(name);
        const QString t = QString::fromStdString(text);
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(t);  // resets the typed mark
        else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(t);
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(t);
        else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(t);
    }
    for (const auto& [name, v] : u.visible)
        if (QWidget* w = find(name)) w->setVisible(v);
    for (const auto& [name, v] : u.enabled)
        if (QWidget* w = find(name)) w->setEnabled(v);
    for (const auto& [name, v] : u.checked)
        if (auto* b = qobject_cast<QAbstractButton*>(find(name))) b->setChecked(v);
    if (!u.focus.empty())
        if (QWidget* w = find(u.focus)) {
            w->setFocus(Qt::OtherFocusReason);
            if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
        }
}

void Screen::commitPending() {
    if (auto* e = qobject_cast<CommitEdit*>(focusWidget())) e->commit();
}

void Screen::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ctx_.d.error({"The program could not complete this step:", e.what()});
    }
}

void Screen::placeWindow() {
    ProgramState& s = ctx_.s;
    adjustSize();
    const QSize designed = size();
    if (s.ResizeScreens && pattern_ != scaling::ResizePattern::None) {
        std::vector<scaling::ControlGeometry> geo;
        std::vector<QWidget*> widgets;
        std::vector<double> designedFont;
        for (QWidget* w : findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->isWindow()) continue;
            const QRect r = w->geometry();
            const QSize hint = w->sizeHint();
            geo.push_back({w->objectName().toStdString(), r.x() * scaling::TwipsPerPixel,
                           r.y() * scaling::TwipsPerPixel, hint.width() * scaling::TwipsPerPixel,
                           hint.height() * scaling::TwipsPerPixel, w->font().pointSizeF()});
            widgets.push_back(w);
            designedFont.push_back(w->font().pointSizeF());
        }
        scaling::ResizeControls(s, geo);
        // Layouts place the controls; the scaled fonts make them grow by the same ratio.
        // Widths a screen set in pixels grow by the same ratio, so scaled text still fits its field.
        for (std::size_t i = 0; i < widgets.size(); ++i) {
            QWidget* w = widgets[i];
            // A child may already carry its parent's new font: the ratio is taken from the designed size.
            const double before = designedFont[i];
            if (geo[i].fontSize <= 0 || before <= 0 || geo[i].fontSize == before) continue;
            scaleControl(w, geo[i].fontSize, geo[i].fontSize / before);
        }
        adjustSize();
    }
    const double tw = scaling::TwipsPerPixel;
    scaling::WindowGeometry g = scaling::PlaceWindow(
        s, pattern_, {0, 0, designed.width() * tw, designed.height() * tw});
    // The rule's size, but never less than the controls need nor more than the display holds.
    // The window system's window, made now, tells the frame's size where it can.
    if (!windowHandle()) create();
    const QRect room = displayRoom();
    const QMargins frame = frameAllowance();
    const QSize most(room.width() - frame.left() - frame.right(), room.height() - frame.top() - frame.bottom());
    // A screen whose controls need more room than the display has (large fonts, a small display)
    // gets smaller text, in steps, until it fits; nothing is cut off or left off the display.
    for (int step = 0; step < 4; ++step) {
        const QSize need = minimumSizeHint();
        if (need.width() <= most.width() && need.height() <= most.height()) break;
        const double r = 0.98 * std::min(double(most.width()) / need.width(), double(most.height()) / need.height());
        for (QWidget* w : findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->isWindow()) continue;
            scaleControl(w, w->font().pointSizeF() * r, r);
        }
        adjustSize();
    }
    QSize want(std::max(int(g.width / tw), sizeHint().width()), std::max(int(g.height / tw), sizeHint().height()));
    want = want.boundedTo(most).expandedTo(minimumSizeHint());
    resize(want);
    QPoint at;
    if (pattern_ == scaling::ResizePattern::ScaleAndCentre) {
        const QPoint origin = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                                               : QPoint();
        // Centred on the display by the rule. A window that its scaled text made larger than the
        // rule's size is centred by the size it has.
        const int left = int(g.left / tw) - (want.width() - int(g.width / tw)) / 2;
        const int top = int(g.top / tw) - (want.height() - int(g.height / tw)) / 2;
        at = origin + QPoint(left, top);
    } else if (!parentWidget()) {
        // The rule leaves these windows where the system puts them: a main screen starts centred.
        at = room.topLeft() + QPoint((room.width() - want.width()) / 2, (room.height() - want.height()) / 2);
    } else {
        // A tool screen opens over its opener.
        const QRect over = parentWidget()->window()->geometry();
        at = over.topLeft() + QPoint((over.width() - want.width()) / 2, (over.height() - want.height()) / 2);
    }
    // Whatever the rule, the whole window with its frame stays on the display.
    const int x = std::clamp(at.x(), room.left() + frame.left(), std::max(room.left() + frame.left(), room.right() + 1 - frame.right() - want.width()));
    const int y = std::clamp(at.y(), room.top() + frame.top(), std::max(room.top() + frame.top(), room.bottom() + 1 - frame.bottom() - want.height()));
    // A window's position is its frame's top-left corner.
    move(x - frame.left(), y - frame.top());
}

void Screen::scaleControl(QWidget* w, double pointSize, double ratio) {
    if (pointSize > 0) {
        QFont f = w->font();
        f.setPointSizeF(pointSize);
        w->setFont(f);
    }
    // Widths a screen set in pixels change by the same ratio, so the text still fits its field.
    const int minW = w->minimumWidth(), maxW = w->maximumWidth();
    auto scaled = [ratio](int px) { return int(std::lround(px * ratio)); };
    if (minW > 0 && minW == maxW) {
        w->setFixedWidth(scaled(minW));
        return;
    }
    // Growing, the limit above moves first so the one below never passes it (and the other way
    // round when shrinking).
    auto setMin = [&] { if (minW > 0) w->setMinimumWidth(scaled(minW)); };
    auto setMax = [&] { if (maxW < QWIDGETSIZE_MAX) w->setMaximumWidth(scaled(maxW)); };
    if (ratio > 1) { setMax(); setMin(); }
    else { setMin(); setMax(); }
}

QRect Screen::displayRoom() const {
    const QWidget* opener = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* screen = opener && opener->screen() ? opener->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QMargins Screen::frameAllowance() const {
    // The window system's frame once the window has one; before, room for a title bar and borders.
    if (const QWindow* h = windowHandle(); h && !h->frameMargins().isNull()) return h->frameMargins();
    const int border = 4;
    return {border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

QLabel* Screen::label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent ? parent : this);
    l->setObjectName(name);
    return l;
}

CommitEdit* Screen::field(const QString& name, const QString& tip, QWidget* parent) {
    auto* e = new CommitEdit(name, parent ? parent : this);
    if (!tip.isEmpty()) e->setToolTip(tip);
    e->setMinimumWidth(80);
    return e;
}

CommitEdit* Screen::derived(const QString& name, const QString& tip, QWidget* parent) {
    CommitEdit* e = field(name, tip, parent);
    e->setDerived(true);
    return e;
}

QPushButton* Screen::button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent ? parent : this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* Screen::option(const QString& name, const QString& caption, const QString& tip, QWidget* parent) {
    auto* b = new QRadioButton(caption, parent ? parent : this);
    b->setObjectName(name);
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
}

QCheckBox* Screen::check(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QCheckBox(caption, parent ? parent : this);
    b->setObjectName(name);
    return b;
}

QGroupBox* Screen::frame(const QString& name, const QString& title, QWidget* parent) {
    auto* g = new QGroupBox(title, parent ? parent : this);
    g->setObjectName(name);
    return g;
}

void Screen::row(QGridLayout* g, int r, QLabel* caption, QWidget* f, const QString& unit, int col) {
    g->addWidget(caption, r, col);
    caption->setBuddy(f);
    g->addWidget(f, r, col + 1);
    if (!unit.isEmpty()) {
        QLabel* u = label(QStringLiteral("lblUnit%1").arg(++unitLabels_), unit, caption->parentWidget());
        u->setStyleSheet(QStringLiteral("color: palette(dark);"));
        g->addWidget(u, r, col + 2);
    }
}

QLabel* Screen::heading(const QString& name, const QString& text) {
    QLabel* l = label(name, text);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    l->setFont(f);
    return l;
}

QVBoxLayout* Screen::layoutWithHeading(const QString& text) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->addWidget(bold(label(ctl::lblHeading, text)));
    return top;
}

QLabel* Screen::columnHeading(const QString& name, const QString& text, QWidget* parent) {
    QLabel* l = bold(label(name, text, parent));
    l->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    return l;
}

QGroupBox* Screen::optionFrame(const QString& name, const QString& title, std::initializer_list<Choice> options,
                               Qt::Orientation orientation) {
    QGroupBox* box = frame(name, title);
    QBoxLayout* l = orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                                : static_cast<QBoxLayout*>(new QHBoxLayout(box));
    for (const Choice& c : options) {
        c.member = option(c.name, c.caption, {}, box);
        l->addWidget(c.member);
    }
    return box;
}

QHBoxLayout* Screen::line(std::initializer_list<QWidget*> controls) {
    auto* l = new QHBoxLayout;
    for (QWidget* w : controls) {
        if (w == Stretch) l->addStretch();
        else l->addWidget(w);
    }
    return l;
}

QLabel* Screen::bold(QLabel* l) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void Screen::tabOrder(std::initializer_list<QWidget*> chain) {
    for (auto w = chain.begin(); w + 1 < chain.end(); ++w) setTabOrder(w[0], w[1]);
}

}  // namespace ornivo::ui
