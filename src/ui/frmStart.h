#pragma once
// The start screen: version, what the program calculates, the output folder and output type
// (remembered between runs), screen rescaling, and the way to Enter Bird.
#include <QComboBox>

#include "ui/Screen.h"

namespace ornivo::ui {

class frmStart : public Screen {
    Q_OBJECT
public:
    explicit frmStart(UiContext& ctx);

    QLabel* lblHeading;
    QLabel* lblVersion;
    QLabel* lblInfo;
    QLabel* lblCommaWarning;
    QLabel* lblDownloadNotice;
    QLabel* lblOutDrive;
    QComboBox* drvOutDefault;
    QLabel* lblSaveMethod;
    QRadioButton* optExcel;
    QRadioButton* optTextFiles;
    QCheckBox* chkResizeScreen;
    QPushButton* cmdEnterNewBird;
    QPushButton* cmdInfo;
    QPushButton* cmdExit;

    void Form_Load();
    void chkResizeScreen_Click();
    void drvOutDefault_Change();
    void optExcel_Click();
    void optTextFiles_Click();
    void cmdEnterNewBird_Click();
    void cmdExit_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void selectOutputRoot(const QString& path);
    bool goingOn_ = false;
};

}  // namespace ornivo::ui
