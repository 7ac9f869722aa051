#pragma once

#include "dialogs/FileOpenDialog.h"
#include "support/SystemDrives.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TAppIcons;
class TCheckGroupBox;
class TDosBoxApp;
class TSelectFromListDialog;
class TShellDirDialog;
struct TBasicSettings;

// Edits one catalogue entry: drives and media, program and commands, icon,
// manual, run options, configuration choice, console, keymapper, mixer,
// cycles and memory. Created once and reused; works on a copy of the entry
// and writes it back only on OK.
class TAppSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // settings are the global settings (text editor, root folder, primary
    // configuration, console default), read at every use. The directory
    // chooser and the list editor are the program's shared ones.
    TAppSettingsDialog(const TBasicSettings &settings, TShellDirDialog *dirDialog,
                       TSelectFromListDialog *listDialog, QWidget *parent = nullptr);
    ~TAppSettingsDialog() override;

    // Shows DosBoxApp modally; on OK its values are replaced. Categories are
    // the names offered in the category box; IsStaging picks the DOSBox
    // Staging variant of the emulation controls. True for OK.
    bool Execute(const QStringList &Categories, TDosBoxApp &DosBoxApp, bool IsStaging);
    // OK refuses an entry without a name.
    void accept() override;

    // The steps of Execute around the modal loop, for tests that drive the
    // window without one: make the working copy and fill the controls;
    // write the controls back into the entry (OK); drop the working copy.
    void LoadControls(const QStringList &Categories, const TDosBoxApp &DosBoxApp, bool IsStaging);
    void StoreControls(TDosBoxApp &DosBoxApp);
    void Finish();

    // The working copies while the dialog is in use.
    TDosBoxApp *WorkingCopy() const { return FDosBoxApp.get(); }
    TAppIcons *WorkingIcons() const { return NewIcons.get(); }
    const QString &LastDriveLetter() const { return LastDrive; }

    void ShowIcon(const TAppIcons &picture);
    bool EditCommandList(const QString &title, QString &text);
    void FillCdDriveList();
    void ShowMediaMode(bool Iso);
    void ShowMixerEntry(int Index);
    void ShowEmulationSettings();

    // Event handlers.
    void btPathClick();
    void cbHardDriveCloseUp();
    void btExeFileClick();
    void btCommandsClick();
    void btExitCommandsClick();
    void btIconFileClick();
    bool AcceptTypedIcon();
    void btManFileClick();
    void btMapperClick();
    void rgConfigClick();
    void bbEditConfigClick();
    void bbResetClick();
    void cxAutoEndClick();
    void cbNoConsoleClick();
    void rbDriveClick();
    void rbIsoIMageClick();
    void btRebuildClick();
    void btIsoFileClick();
    void tbLeftChange();
    void tbRightChange();
    void lbMixerSettingsClick();
    void bbAddMixerClick();
    void bbRemMixerClick();
    void bbClearMixerClick();
    void bbUpClick();
    void bbDownClick();

    // Index of the configuration choice: 0 global, 1 application specific.
    int ConfigIndex() const;
    void SetConfigIndex(int index);
    // The mixer entries as the list shows them.
    QStringList MixerItems() const;

    // The window's parts, open to the tests.
    QLabel *imgIcon;
    QLineEdit *edAppName;
    QComboBox *cbCategory;
    QGroupBox *gbHardDrive;
    QComboBox *cbHardDrive;
    QLineEdit *edAppPath;
    QToolButton *btPath;
    TCheckGroupBox *gbCdDrive;
    QComboBox *cbCdRomDrive;
    QRadioButton *rbDrive;
    QRadioButton *rbIsoIMage;
    QWidget *pnDrive;
    QComboBox *cbDrive;
    QToolButton *btRebuild;
    QWidget *pnIsoFile;
    QLineEdit *edIsoFile;
    QToolButton *btIsoFile;
    QTabWidget *pcSettings;
    QWidget *tsGeneral;
    QLineEdit *edExeFile;
    QToolButton *btExeFile;
    QLineEdit *edParam;
    QLineEdit *edCommands;
    QToolButton *btCommands;
    QLineEdit *edExitCommands;
    QToolButton *btExitCommands;
    QLineEdit *edIconFile;
    QToolButton *btIconFile;
    QLineEdit *edManFile;
    QToolButton *btManFile;
    QLineEdit *edDescription;
    QWidget *tsAudio;
    QComboBox *cbChannels;
    QGroupBox *gbVolume;
    QSlider *tbLeft;
    QSlider *tbRight;
    QCheckBox *cbConnect;
    QListWidget *lbMixerSettings;
    QPushButton *bbAddMixer;
    QPushButton *bbRemMixer;
    QToolButton *bbUp;
    QToolButton *bbDown;
    QToolButton *bbClearMixer;
    QWidget *tsEmulation;
    QGroupBox *gbCpu;
    QStackedWidget *pcCycles;
    QWidget *tsNormal;
    QWidget *tsStaging;
    QComboBox *cbCycles;
    QComboBox *cbRealSpeed;
    QComboBox *cbProtSpeed;
    QComboBox *cbThrottling;
    QGroupBox *gbMemory;
    QComboBox *cbMemSize;
    QWidget *pnMemMan;
    QComboBox *cbXms;
    QComboBox *cbEms;
    QComboBox *cbUmb;
    QWidget *tsOther;
    QGroupBox *gbConsole;
    QCheckBox *cbNoConsole;
    QCheckBox *cbDelConFiles;
    QLineEdit *edMapperFile;
    QToolButton *btMapper;
    QGroupBox *rgConfig;
    QRadioButton *rbGlobalConfig;
    QRadioButton *rbAppConfig;
    QGroupBox *gbOptions;
    QCheckBox *cxFullScreen;
    QCheckBox *cxAutoEnd;
    QCheckBox *cxAutoClose;
    QPushButton *bbReset;
    QPushButton *bbEditConfig;
    QPushButton *btbOK;
    QPushButton *btbCancel;

protected:
    void showEvent(QShowEvent *event) override;

    // The shared dialogs and the editor, replaced by tests.
    virtual bool ChooseDirectory(const QString &title, const QString &homeDir, QString &dir);
    virtual bool ExecuteListEditor(QPoint pos, const QString &title, const QString &description,
                                   QStringList &list);
    virtual void StartTextEditor(const QString &editor, const QString &file);
    // The machine's CD-ROM drives, in drive order.
    virtual QList<TDriveProperties> ReadCdDrives() const;

private:
    void CreateControls();
    QWidget *CreateGeneralPage();
    QWidget *CreateAudioPage();
    QWidget *CreateEmulationPage();
    QWidget *CreateOtherPage();
    void ConnectHandlers();

    void LoadCategory(const QStringList &categories);
    void LoadCdControls();
    void StoreCdControls(TDosBoxApp &app) const;
    void StoreEmulationControls(TDosBoxApp &app) const;
    void ShowStagingHints();
    QString AppConfigFile() const;
    QString ChooseFile(const TFileOpenRequest &request);
    void SetIsoText(const QString &text);
    void SelectMixerRow(int row);

    const TBasicSettings &FSettings;
    TShellDirDialog *FDirDialog;
    TSelectFromListDialog *FListDialog;
    QButtonGroup *FConfigGroup = nullptr;
    QList<QLabel *> FMemoryLabels;
    std::unique_ptr<TDosBoxApp> FDosBoxApp;
    QString FIconText; // the icon file NewIcons shows, as the field names it
    std::unique_ptr<TAppIcons> NewIcons;
    QString LastDrive;
    bool FIsStaging = false;
    // Set while the controls are filled in code: handlers of user changes
    // stay quiet.
    bool FLoading = false;
    // Set while the mixer list's selection is moved in code.
    bool FSelectingMixer = false;
};
