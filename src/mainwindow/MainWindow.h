#pragma once

#include "catalogue/InitProg.h"

#include <QMainWindow>

class QShowEvent;

// The program's main window.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);

    QString AppDataPath;
    QString UserPath;
    QString ProgPath;
    QString LocPath;
    QString IniName;
    QString ProgVersName;
    QString ProgVersDate;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void ReadPlacement();

    TProgramVersion FVersion;
    bool FShown = false;
};
