#pragma once
// About the data: where the preset, user and wings tables come from, and their credits.
#include <QTextBrowser>

#include "ui/Screen.h"

namespace ornivo::ui {

class frmAboutData : public Screen {
    Q_OBJECT
public:
    frmAboutData(UiContext& ctx, QWidget* opener);

    QTextBrowser* txtAbout;
    QPushButton* cmdExit;

    void cmdExit_Click();
};

}  // namespace ornivo::ui
