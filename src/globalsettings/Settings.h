#pragma once

#include "dialogs/FileOpenDialog.h"
#include "emulator/DosBoxVariant.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TShellDirDialog;
struct TBasicSettings;

// The DOS keyboard code for a Windows primary language number; empty for
// languages DOS has no layout for here.
QString KeyboardCodeOfLanguage(int primaryLanguage);

// The layouts offered in the keyboard box: the DOS code and the name of
// the layout (a design text, translated when shown).
struct TKeyboardLayout
{
    QString Code;
    QString Name;
};
QList<TKeyboardLayout> KeyboardLayouts();
// «GR – German» in the language in use.
QString KeyboardLayoutItem(const TKeyboardLayout &layout);
// The code in the box's text: its first word, without padding.
QString KeyboardLayoutCode(const QString &text);

// The message texts name the Windows program; the user sees the program of
// this platform.
QString WithProgramName(const QString &text);

// Edits the global settings: emulator folder and variant, root folder of the
// DOS applications, primary configuration, keymapper and language files,
// keyboard layout, code page, console default, text editor and automatic
// start. Created once at start and reused.
class TDosBoxSetDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TDosBoxSetDialog(QWidget *parent = nullptr);

    // The shared directory chooser; without one the dialog makes its own
    // when first needed.
    void SetDirDialog(TShellDirDialog *dirDialog) { FDirDialog = dirDialog; }

    // Folders of the main window, read at every use: program files (home of
    // the emulator and editor choice), documents (default root folder) and
    // the emulator's own settings folder.
    QString ProgPath;
    QString UserPath;
    QString LocPath;

    // Shows ASettings modally; on OK the edited values are written into it.
    // True for OK.
    bool Execute(TBasicSettings &ASettings);

    // The steps of Execute around the modal loop, for tests that drive the
    // window without one.
    void LoadControls(const TBasicSettings &ASettings);
    void StoreControls(TBasicSettings &ASettings) const;
    // The checks of closing with OK; true lets the dialog close.
    bool FormCloseQuery();

    bool Staging() const { return FStaging; }
    bool ChoosePrimaryConfig();
    bool SuggestPrimaryConfig();
    QString DefaultMapperFile() const;
    static QString DetectKeyboardLayout();

    // Event handlers.
    void btPathClick();
    void btRootPathClick();
    void btConfClick();
    void btLangClick();
    void btMapperClick();
    void btEditorClick();
    void btEditConfClick();
    void btEditMapperClick();
    void rbKeyLayoutClick();

    // The window's parts, open to the tests.
    QGroupBox *gbDosBox;
    QLineEdit *edRootPath;
    QToolButton *btRootPath;
    QLineEdit *edPath;
    QToolButton *btPath;
    QLabel *laVersion;
    QLineEdit *edConfFile;
    QToolButton *btEditConf;
    QToolButton *btConf;
    QLineEdit *edMapperFile;
    QToolButton *btEditMapper;
    QToolButton *btMapper;
    QLineEdit *edLangFile;
    QToolButton *btLang;
    QGroupBox *gbKeyLayout;
    QRadioButton *rbAutoKey;
    QRadioButton *rbKeyLayout;
    QComboBox *cbKeyLayout;
    QGroupBox *gbCodePage;
    QComboBox *cbCodePages;
    // What the emulator itself loads for the layout shown (classic DOSBox).
    QLabel *laLayoutCodePage;
    void UpdateLayoutCodePage();
    QCheckBox *cbConsole;
    QLineEdit *edEditor;
    QToolButton *btEditor;
    QCheckBox *cbAutoStart;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

public slots:
    void done(int r) override;

protected:
    void showEvent(QShowEvent *event) override;

    // The shared chooser and the editor, replaced by tests.
    virtual bool ChooseDirectory(const QString &title, const QString &homeDir, QString &dir);
    virtual void StartTextEditor(const QString &editor, const QString &file);

private:
    void CreateControls();
    void FormCreate();
    void ConnectHandlers();
    QString ChooseFile(const TFileOpenRequest &request);
    QString StartDirOf(const QString &file, const QString &whenEmpty) const;
    QString ConfigStartDir() const;
    void EditFile(const QString &file);
    void UpdateEditButtons();
    // Examines the emulator in edPath unless laVersion describes it already.
    void UpdateDosBoxDesc();

    TShellDirDialog *FDirDialog = nullptr;
    TShellDirDialog *FOwnDirDialog = nullptr;
    // The folder laVersion, FStaging and FVersion describe.
    QString FDescribedPath;
    // The emulator in the chosen folder is DOSBox Staging.
    bool FStaging = false;
    TDosBoxVersion FVersion;
};
