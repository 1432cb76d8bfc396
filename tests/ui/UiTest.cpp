#include "UiTest.h"
#include "platform/Folders.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QScreen>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QFont>
#include <QGroupBox>
#include <map>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace ornivo::test {

ScreenTest::ScreenTest() { ui::MissingControls().clear(); }

ScreenTest::~ScreenTest() {
    ctx.ending = true;
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    Settle();
    EXPECT_TRUE(ui::MissingControls().empty()) << "a rule named a control its screen lacks: "
                                               << ui::MissingControls().front();
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void TypeInto(QWidget* screen, const char* name, const QString& text) {
    auto* f = screen->findChild<QLineEdit*>(name);
    ASSERT_NE(f, nullptr) << name;
    QWidget* win = f->window();
    win->activateWindow();
    QApplication::setActiveWindow(win);
    QTest::mouseClick(f, Qt::LeftButton);
    f->setFocus(Qt::MouseFocusReason);
    f->selectAll();
    QTest::keyClicks(f, text);
    QTest::keyClick(f, Qt::Key_Tab);
    Settle();
}

QString TextOf(QWidget* screen, const char* name) {
    QWidget* w = screen->findChild<QWidget*>(name);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    ADD_FAILURE() << "no control " << name;
    return {};
}

std::vector<std::string> ClashingAccessKeys(QWidget* screen) {
    std::map<QChar, QStringList> byKey;
    auto note = [&](const QString& text) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != '&') continue;
            if (text[i + 1] == '&') {
                ++i;
                continue;
            }
            byKey[text[i + 1].toLower()].push_back(text);
            return;
        }
    };
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (w->window() != screen || !w->isVisibleTo(screen)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) note(b->text());
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) note(l->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w)) note(g->title());
    }
    std::vector<std::string> clashes;
    for (const auto& [key, texts] : byKey)
        if (texts.size() > 1) clashes.push_back(QString("%1: %2").arg(key).arg(texts.join(", ")).toStdString());
    return clashes;
}

std::vector<std::string> ClippedFields(QWidget* screen) {
    std::vector<std::string> clipped;
    for (QLineEdit* e : screen->findChildren<QLineEdit*>()) {
        if (!e->isVisibleTo(screen) || e->text().isEmpty()) continue;
        // A free text (a comment) may be longer than any field: it scrolls, and its tip shows it whole.
        if (e->property("freeText").toBool()) continue;
        // The text part of an up-down control that shows only its arrows.
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(e->parentWidget()); spin && spin->width() <= 24) continue;
        // The frame and the text margins take a few pixels of the field's width.
        const int room = e->width() - 8;
        if (e->fontMetrics().horizontalAdvance(e->text()) > room)
            clipped.push_back(e->objectName().toStdString() + " \"" + e->text().toStdString() + "\"");
    }
    return clipped;
}

std::vector<std::string> ClippedControls(QWidget* screen) {
    std::vector<std::string> clipped = ClippedFields(screen);
    auto inScrolledArea = [screen](QWidget* w) {
        for (QWidget* p = w->parentWidget(); p && p != screen; p = p->parentWidget())
            if (auto* area = qobject_cast<QAbstractScrollArea*>(p); area && area->viewport() != w && w != area)
                return true;
        return false;
    };
    auto name = [](QWidget* w) {
        return (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName()).toStdString();
    };
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (w->window() != screen || !w->isVisibleTo(screen) || inScrolledArea(w)) continue;
        QWidget* parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()))
            clipped.push_back(name(w) + " lies partly outside " + name(parent));
        const QSize need = w->minimumSizeHint();
        const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w);
        if (text && need.isValid() && (w->width() < need.width() || w->height() < need.height()))
            clipped.push_back(name(w) + " is smaller than its text needs");
    }
    return clipped;
}

void ExpectFitsDisplay(QWidget* w, const std::string& name) {
    ASSERT_NE(w, nullptr) << name;
    w->show();
    Settle();
    QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
    const QRect room = w->screen()->availableGeometry();
    const QString path = QString("%1/fit-%2x%3-%4.png").arg(ORNIVO_UI_PICTURES_DIR).arg(room.width()).arg(room.height())
                             .arg(QString::fromStdString(name));
    EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
    const QRect frame = w->frameGeometry();
    EXPECT_TRUE(room.contains(frame)) << name << ": frame " << frame.x() << "," << frame.y() << " " << frame.width()
                                      << "x" << frame.height() << " on a display of " << room.width() << "x"
                                      << room.height() << " (its controls need at least "
                                      << w->minimumSizeHint().width() << "x" << w->minimumSizeHint().height() << ")";
    for (const std::string& c : ClippedControls(w)) ADD_FAILURE() << name << ": " << c;
}

void Picture(QWidget* w, const char* name) {
    ASSERT_NE(w, nullptr) << name;
    w->show();
    Settle();
    QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
    const QString path = QString(ORNIVO_UI_PICTURES_DIR) + "/" + name + ".png";
    ASSERT_TRUE(w->grab().save(path)) << path.toStdString();
    EXPECT_LE(w->width(), 800) << name << " is wider than an 800 by 600 display";
    EXPECT_LE(w->height(), 600) << name << " is taller than an 800 by 600 display";
    for (const std::string& clash : ClashingAccessKeys(w)) ADD_FAILURE() << name << " " << clash;
    for (const std::string& field : ClippedFields(w)) ADD_FAILURE() << name << " clips " << field;
}

namespace {

// Ends the test program when one test takes far too long (a dialog nobody answers, a loop).
class Watchdog : public ::testing::EmptyTestEventListener {
public:
    Watchdog() {
        thread_ = std::thread([this] {
            while (!stop_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                if (deadline_.load() != 0 && now() > deadline_.load()) {
                    std::fprintf(stderr, "watchdog: a screen test hung for more than 60 s\n");
                    std::fflush(stderr);
                    _exit(124);
                }
            }
        });
    }
    ~Watchdog() override {
        stop_ = true;
        thread_.join();
    }
    void OnTestStart(const ::testing::TestInfo&) override { deadline_ = now() + 60; }
    void OnTestEnd(const ::testing::TestInfo&) override { deadline_ = 0; }

private:
    static long now() {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    std::atomic<long> deadline_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace
}  // namespace ornivo::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings go to a temporary folder, never the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    // The track folder ("Ornivo Tracks" in the documents) too, never the user's own.
    QTemporaryDir documents;
    ornivo::platform::SetDocumentsFolder(documents.path().toStdString());
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QFont font("Liberation Sans");
    font.setPointSizeF(9.5);
    QApplication::setFont(font);
    ::testing::InitGoogleTest(&argc, argv);
    auto* watchdog = new ornivo::test::Watchdog;
    ::testing::UnitTest::GetInstance()->listeners().Append(watchdog);
    // A real dialog must never open in a screen test: close it and fail instead of waiting for a person.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<QDialog*>(w); dlg && dlg->isVisible()) {
                ADD_FAILURE() << "a real dialog opened: " << dlg->windowTitle().toStdString();
                dlg->reject();
            }
    });
    closer.start(200);
    return RUN_ALL_TESTS();
}
