#pragma once
// "Output File": where the last output was saved, shown as the program ends.
#include "ui/Screen.h"

namespace ornivo::ui {

class frmOutputFile : public Screen {
    Q_OBJECT
public:
    frmOutputFile(UiContext& ctx, QWidget* setup);
    QLabel* lblOutFile;
    CommitEdit* txtOutFile;
    QPushButton* cmdOK;
    void cmdOK_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};

}  // namespace ornivo::ui
