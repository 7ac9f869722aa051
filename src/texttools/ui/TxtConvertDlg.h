#pragma once

#include "dialogs/DialogScript.h"
#include "dialogs/FileOpenDialog.h"

#include <QDialog>
#include <QList>
#include <QString>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// "Convert Unicode text": writes a copy of a text file (UTF-8, UTF-16 or
// ANSI) re-encoded into one of the DOS code pages. Created once at start,
// shown modally for each use; it stays open after a conversion.
class TTxtConvertDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TTxtConvertDialog(QWidget *parent = nullptr);

    // ARootPath: where the file chooser starts; ACodePage: the code page
    // selected at first (437 when the table lacks it).
    void Execute(const QString &ARootPath, int ACodePage);
    // Execute up to showing the window, for tests.
    void LoadControls(const QString &ARootPath, int ACodePage);

    // The code page of the selected radio item.
    int TargetCodePage() const;

    void btTextFileClick();
    void btbConvertClick();

    QString FRootPath;
    QString LastFile;

    QLineEdit *edTextfile;
    QToolButton *btTextFile;
    QGroupBox *rgCodePages;
    QButtonGroup *CodePageButtons;
    QPushButton *btbConvert;
    QPushButton *btbCancel;

private:
    void CreateControls();
    QString ChooseTargetFile(const TFileSaveRequest &request);
};
