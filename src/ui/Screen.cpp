#include "ui/Screen.h"

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <exception>

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
            const double ratio = geo[i].fontSize / before;
            QFont f = w->font();
            f.setPointSizeF(geo[i].fontSize);
            w->setFont(f);
            const int minW = w->minimumWidth(), maxW = w->maximumWidth();
            auto scaled = [ratio](int px) { return int(std::lround(px * ratio)); };
            if (minW > 0 && minW == maxW) {
                w->setFixedWidth(scaled(minW));
                continue;
            }
            // Growing, the limit above moves first so the one below never passes it (and the other
            // way round when shrinking).
            auto setMin = [&] { if (minW > 0) w->setMinimumWidth(scaled(minW)); };
            auto setMax = [&] { if (maxW < QWIDGETSIZE_MAX) w->setMaximumWidth(scaled(maxW)); };
            if (ratio > 1) { setMax(); setMin(); }
            else { setMin(); setMax(); }
        }
        adjustSize();
    }
    const double tw = scaling::TwipsPerPixel;
    scaling::WindowGeometry g = scaling::PlaceWindow(
        s, pattern_, {0, 0, designed.width() * tw, designed.height() * tw});
    const QSize want(std::max(int(g.width / tw), sizeHint().width()), std::max(int(g.height / tw), sizeHint().height()));
    resize(want);
    if (pattern_ == scaling::ResizePattern::ScaleAndCentre) {
        const QPoint origin = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                                               : QPoint();
        // Centred on the display by the rule, but never pushed off its top-left corner. A window that
        // its scaled text made larger than the rule's size is centred by the size it has.
        const int left = int(g.left / tw) - std::max(0, want.width() - int(g.width / tw)) / 2;
        const int top = int(g.top / tw) - std::max(0, want.height() - int(g.height / tw)) / 2;
        move(origin + QPoint(std::max(0, left), std::max(0, top)));
    } else if (!parentWidget() && QGuiApplication::primaryScreen()) {
        // The rule leaves these windows where the system puts them: a main screen starts centred so
        // that none of it is off the display (a tool screen opens over its opener).
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        move(room.topLeft() + QPoint(std::max(0, (room.width() - want.width()) / 2),
                                     std::max(0, (room.height() - want.height()) / 2)));
    }
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

void Screen::later(QPushButton* b) {
    b->setEnabled(false);
    b->setToolTip(QStringLiteral("Not available in this version"));
}

}  // namespace ornivo::ui
