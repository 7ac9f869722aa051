#pragma once

#include "catalogue/Catalogue.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TShellDirDialog;

// The first start: says in one window what Ravelin is, which emulator it
// found and which folder it proposes for the DOS applications. Start takes
// both (creating the folder when the user agrees); Cancel ends the program.
class TFirstStartDialog : public QDialog
{
    Q_OBJECT
public:
    // dirChooser chooses the folders; not owned, may be null.
    TFirstStartDialog(QWidget *parent, TShellDirDialog *dirChooser);

    // Shows the proposals of choice; true and the confirmed choice on Start.
    bool Execute(TFirstStartChoice &choice);
    // Execute's parts, for tests: fill the controls, check and take them
    // (false when the window has to stay open), write them back.
    void LoadControls(const TFirstStartChoice &choice);
    bool AcceptControls();
    void StoreControls(TFirstStartChoice &choice) const;

    void btDosBoxPathClick();
    void btRootPathClick();

    QLabel *laEmulator;
    QLineEdit *edDosBoxPath;
    QToolButton *btDosBoxPath;
    QLineEdit *edRootPath;
    QToolButton *btRootPath;
    QCheckBox *cbCreateRoot;
    QPushButton *btStart;
    QPushButton *btCancel;

private:
    void CreateControls();
    void UpdateEmulator();
    void UpdateRoot();

    TShellDirDialog *FDirChooser;
    QString FProgPath;
};
