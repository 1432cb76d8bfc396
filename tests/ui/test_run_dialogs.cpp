// The dialogs of a long run: while the run computes, the screen shows its wait label with the start
// button disabled; each question of the run is asked with the screen as usual, and the screen is busy
// again after it. Every answer is the screen's dialogs' own.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "UiTest.h"
#include "ui/RunDialogs.h"

using namespace ornivo;
using namespace ornivo::ui;

namespace {

// Scripted answers that also note how the screen looked while each question was open.
class WatchingDialogs : public platform::ScriptedDialogs {
public:
    WatchingDialogs(QWidget* wait, QWidget* start) : wait_(wait), start_(start) {}
    struct Look {
        bool waitShown, startEnabled, busyCursor;
    };
    std::vector<Look> looks;

    void message(const std::vector<std::string>& lines, platform::Icon icon) override {
        note();
        ScriptedDialogs::message(lines, icon);
    }
    bool askYesNo(const std::vector<std::string>& lines) override {
        note();
        return ScriptedDialogs::askYesNo(lines);
    }
    std::string inputBox(const std::string& prompt, const std::string& initial) override {
        note();
        return ScriptedDialogs::inputBox(prompt, initial);
    }
    std::optional<std::string> openFile(const platform::FileDialogRequest& req) override {
        note();
        return ScriptedDialogs::openFile(req);
    }

private:
    void note() {
        looks.push_back({!wait_->isHidden(), start_->isEnabled(), QApplication::overrideCursor() != nullptr});
    }
    QWidget* wait_;
    QWidget* start_;
};

class RunDialogsTest : public test::ScreenTest {
protected:
    RunDialogsTest() {
        wait = new QLabel("WAIT ..", &window);
        start = new QPushButton("Start", &window);
        wait->setVisible(false);
    }
    bool busyLook() const { return !wait->isHidden() && !start->isEnabled() && QApplication::overrideCursor(); }
    bool usualLook() const { return wait->isHidden() && start->isEnabled() && !QApplication::overrideCursor(); }

    QWidget window;
    QLabel* wait;
    QPushButton* start;
};

TEST_F(RunDialogsTest, EveryQuestionIsAskedWithTheScreenAsUsualAndTheRunIsBusyAgainAfterIt) {
    WatchingDialogs inner(wait, start);
    inner.yesNo.push_back(true);
    inner.inputs.push_back("42");
    inner.files.push_back(std::string("/tracks/a.xlsx"));
    {
        RunDialogs run(inner, wait, start);
        EXPECT_TRUE(busyLook());
        run.message({"A note"}, platform::Icon::Information);
        EXPECT_TRUE(busyLook());
        EXPECT_TRUE(run.askYesNo({"Go on?"}));
        EXPECT_TRUE(busyLook());
        EXPECT_EQ(run.inputBox("How far?", ""), "42");
        EXPECT_TRUE(busyLook());
        EXPECT_EQ(run.openFile({"Track", "", "Tracks (*.xlsx)", ""}), std::optional<std::string>("/tracks/a.xlsx"));
        EXPECT_TRUE(busyLook());
        run.done();
        EXPECT_TRUE(usualLook());
        // After the run has ended a question leaves the screen as usual.
        run.message({"Finished"}, platform::Icon::Information);
        EXPECT_TRUE(usualLook());
    }
    EXPECT_TRUE(usualLook());
    ASSERT_EQ(inner.looks.size(), 5u);
    for (const auto& look : inner.looks) {
        EXPECT_FALSE(look.waitShown);
        EXPECT_TRUE(look.startEnabled);
        EXPECT_FALSE(look.busyCursor);
    }
}

TEST_F(RunDialogsTest, TheTrackDialogProposesTheOfferedTrackWorkbook) {
    platform::ScriptedDialogs inner;
    RunDialogs run(inner, wait, start, "/data/tracks/stork.xlsx");
    run.openFile({"Track", "/elsewhere", "Tracks (*.xlsx *.xls *.csv)", ""});
    run.openFile({"Sites", "/elsewhere", "Sites (*.csv)", ""});
    run.done();
    ASSERT_EQ(inner.shown.size(), 2u);
    EXPECT_EQ(inner.shown[0].request.initialFolder, "/data/tracks");
    EXPECT_EQ(inner.shown[0].request.initialName, "stork.xlsx");
    // A dialog that asks for something else opens where the run asked.
    EXPECT_EQ(inner.shown[1].request.initialFolder, "/elsewhere");
    EXPECT_EQ(inner.shown[1].request.initialName, "");
}

}  // namespace
