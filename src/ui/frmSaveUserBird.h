#pragma once
// How to save a User Bird: read-only instructions and the way back to the Enter Bird screen.
#include <QTextEdit>

#include "ui/Screen.h"

namespace ornivo::ui {

class frmSaveUserBird : public Screen {
    Q_OBJECT
public:
    frmSaveUserBird(UiContext& ctx, QWidget* opener);

    QTextEdit* txtInstructions;
    QPushButton* cmdExit;

    void Form_Load();
    void cmdExit_Click();
};

}  // namespace ornivo::ui
