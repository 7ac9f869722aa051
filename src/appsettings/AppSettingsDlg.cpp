#include "appsettings/AppSettingsDlg.h"

#include "appsettings/AppSettingsRules.h"
#include "catalogue/AppSettings.h"
#include "catalogue/BasicSettings.h"
#include "catalogue/Catalogue.h"
#include "dialogs/CheckBoxes.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/WinUtils.h"
#include "emulator/DosBoxInterface.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

namespace {

// A stored program path names DOS folders with "\".
QString OutsideMessage(const QString &appPath)
{
    return SafeFormat(
        _("The executable file must be located beneath the root path:\r\n%s\r\nPlease "
          "try again!"),
        appPath);
}

QString NativeProgramPath(const QString &dosPath)
{
    QString path = dosPath;
    if (PathDelimiter() != u'\\')
        path.replace(u'\\', PathDelimiter());
    return path;
}

} // namespace

TAppSettingsDialog::TAppSettingsDialog(const TBasicSettings &settings, TShellDirDialog *dirDialog,
                                       TSelectFromListDialog *listDialog, QWidget *parent)
    : QDialog(parent), FSettings(settings), FDirDialog(dirDialog), FListDialog(listDialog)
{
    CreateControls();
    ConnectHandlers();
    const QList<QObject *> userData{cbCategory, cbHardDrive, cbCdRomDrive, cbDrive,
                                    lbMixerSettings};
    for (QObject *data : userData)
        MarkUserData(data);
    TranslateComponent(this);
    FillCdDriveList();
    LastDrive.clear();
    ScaleControlGlyphs(this, 96, MonitorPpi(screen()));
}

TAppSettingsDialog::~TAppSettingsDialog() = default;

void TAppSettingsDialog::showEvent(QShowEvent *event)
{
    // Labels of one column that live in different layouts line up only with
    // a common width, which depends on the language.
    int width = 0;
    for (QLabel *label : FMemoryLabels) {
        label->setMinimumWidth(0);
        width = qMax(width, label->sizeHint().width());
    }
    for (QLabel *label : FMemoryLabels)
        label->setMinimumWidth(width);
    QDialog::showEvent(event);
}

void TAppSettingsDialog::ConnectHandlers()
{
    const auto onClick = [this](QAbstractButton *button, void (TAppSettingsDialog::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    onClick(btPath, &TAppSettingsDialog::btPathClick);
    onClick(btExeFile, &TAppSettingsDialog::btExeFileClick);
    onClick(btCommands, &TAppSettingsDialog::btCommandsClick);
    onClick(btExitCommands, &TAppSettingsDialog::btExitCommandsClick);
    onClick(btIconFile, &TAppSettingsDialog::btIconFileClick);
    onClick(btManFile, &TAppSettingsDialog::btManFileClick);
    onClick(btMapper, &TAppSettingsDialog::btMapperClick);
    onClick(bbEditConfig, &TAppSettingsDialog::bbEditConfigClick);
    onClick(bbReset, &TAppSettingsDialog::bbResetClick);
    onClick(cxAutoEnd, &TAppSettingsDialog::cxAutoEndClick);
    onClick(rbDrive, &TAppSettingsDialog::rbDriveClick);
    onClick(rbIsoIMage, &TAppSettingsDialog::rbIsoIMageClick);
    onClick(btRebuild, &TAppSettingsDialog::btRebuildClick);
    onClick(btIsoFile, &TAppSettingsDialog::btIsoFileClick);
    onClick(bbAddMixer, &TAppSettingsDialog::bbAddMixerClick);
    onClick(bbRemMixer, &TAppSettingsDialog::bbRemMixerClick);
    onClick(bbClearMixer, &TAppSettingsDialog::bbClearMixerClick);
    onClick(bbUp, &TAppSettingsDialog::bbUpClick);
    onClick(bbDown, &TAppSettingsDialog::bbDownClick);
    onClick(btbOK, &QDialog::accept);
    onClick(btbCancel, &QDialog::reject);

    // Only a choice of the user counts, not the filling of the controls.
    connect(cbHardDrive, &QComboBox::activated, this, &TAppSettingsDialog::cbHardDriveCloseUp);
    // A click on the choice already made changes nothing.
    connect(FConfigGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            rgConfigClick();
    });
    connect(cbNoConsole, &QCheckBox::toggled, this, &TAppSettingsDialog::cbNoConsoleClick);
    connect(edIsoFile, &QLineEdit::textChanged, edIsoFile, &QLineEdit::setToolTip);
    connect(tbLeft, &QSlider::valueChanged, this, &TAppSettingsDialog::tbLeftChange);
    connect(tbRight, &QSlider::valueChanged, this, &TAppSettingsDialog::tbRightChange);
    connect(lbMixerSettings, &QListWidget::itemClicked, this,
            &TAppSettingsDialog::lbMixerSettingsClick);
    connect(lbMixerSettings, &QListWidget::currentRowChanged, this, [this] {
        if (!FSelectingMixer && !FLoading)
            lbMixerSettingsClick();
    });
    for (QComboBox *box : {cbRealSpeed, cbProtSpeed, cbThrottling, cbMemSize, cbXms, cbEms, cbUmb})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (FIsStaging && FDosBoxApp)
                ShowStagingHints();
        });
}

bool TAppSettingsDialog::Execute(const QStringList &Categories, TDosBoxApp &DosBoxApp,
                                 bool IsStaging)
{
    LoadControls(Categories, DosBoxApp, IsStaging);
    struct TFinish
    {
        TAppSettingsDialog *dialog;
        ~TFinish() { dialog->Finish(); }
    } finish{this};
    PlaceFormAt(this, CenterPos);
    const bool ok = exec() == QDialog::Accepted;
    if (ok)
        StoreControls(DosBoxApp);
    return ok;
}

// An entry without a name could be neither told apart in the list nor
// chosen again as the last application.
void TAppSettingsDialog::accept()
{
    if (edAppName->text().trimmed().isEmpty()) {
        pcSettings->setCurrentWidget(tsGeneral);
        edAppName->setFocus();
        ErrorDialog(_("Please enter a name for the application."));
        return;
    }
    // Typed paths get the checks the choosers make: the emulator would only
    // fail later, without a word.
    QString program = edExeFile->text().trimmed();
    switch (CheckTypedPaths(edAppPath->text(), program)) {
    case TTypedPathCheck::tpNoFolder:
        edAppPath->setFocus();
        ErrorDialogAt(BelowControl(edAppPath),
                      SafeFormat(_("Application path not found:\n%s"), edAppPath->text()));
        return;
    case TTypedPathCheck::tpProgramOutside:
        pcSettings->setCurrentWidget(tsGeneral);
        edExeFile->setFocus();
        ErrorDialogAt(BelowControl(edExeFile), OutsideMessage(edAppPath->text()));
        return;
    case TTypedPathCheck::tpOk:
        break;
    }
    edExeFile->setText(program);
    if (!AcceptTypedIcon())
        return;
    QDialog::accept();
}

void TAppSettingsDialog::LoadControls(const QStringList &Categories, const TDosBoxApp &DosBoxApp,
                                      bool IsStaging)
{
    FLoading = true;
    FIsStaging = IsStaging;
    FDosBoxApp = std::make_unique<TDosBoxApp>(DosBoxApp);
    const TDosBoxApp &app = *FDosBoxApp;

    edAppName->setText(app.AppName);
    LoadCategory(Categories);
    edAppPath->setText(app.AppPath);
    int drive = cbHardDrive->findText(QString(app.HardDrv.toUpper()));
    if (drive < 0)
        drive = cbHardDrive->findText(QStringLiteral("C"));
    cbHardDrive->setCurrentIndex(drive);
    LastDrive = cbHardDrive->currentText();
    LoadCdControls();
    edExeFile->setText(app.AppFile);
    edParam->setText(app.Parameters);
    edCommands->setText(app.Commands);
    edExitCommands->setText(app.ExitCommands);
    edIconFile->setText(app.IconFile);
    FIconText = app.IconFile;
    edManFile->setText(app.ManFile);
    edDescription->setText(app.Description);
    lbMixerSettings->clear();
    lbMixerSettings->addItems(MixerChannelsList(app.MixerChannels));
    ShowMixerEntry(0);
    ShowEmulationSettings();
    cbNoConsole->setChecked(app.ConsoleMode.contains(TConsoleMode::cmHide));
    cbDelConFiles->setChecked(app.ConsoleMode.contains(TConsoleMode::cmErase));
    cbNoConsoleClick();
    SetConfigIndex(app.AppConfig ? 1 : 0);

    bbEditConfig->setVisible(IsFile(FSettings.TextEditor));
    bbEditConfig->setEnabled(app.AppConfig);
    NewIcons = std::make_unique<TAppIcons>(app.Icons);
    ShowIcon(DosBoxApp.Icons);
    pcSettings->setCurrentWidget(tsGeneral);
    edAppName->setFocus();
    FLoading = false;
}

void TAppSettingsDialog::LoadCategory(const QStringList &categories)
{
    QStringList sorted;
    for (const QString &category : categories) {
        const bool known = std::any_of(sorted.cbegin(), sorted.cend(),
                                       [&](const QString &c) { return SameText(c, category); });
        if (!category.isEmpty() && !known)
            sorted.append(category);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const QString &a, const QString &b) { return CompareText(a, b) < 0; });
    cbCategory->clear();
    cbCategory->addItems(sorted);

    const QString &category = FDosBoxApp->Category;
    const auto found = std::find_if(sorted.cbegin(), sorted.cend(),
                                    [&](const QString &c) { return SameText(c, category); });
    // A category missing from the list stays as it is rather than being lost.
    if (found != sorted.cend())
        cbCategory->setCurrentIndex(int(found - sorted.cbegin()));
    else
        cbCategory->setCurrentIndex(-1);
    cbCategory->setEditText(found != sorted.cend() ? *found : category);
}

void TAppSettingsDialog::StoreControls(TDosBoxApp &DosBoxApp)
{
    TDosBoxApp &app = *FDosBoxApp;
    app.AppName = edAppName->text();
    app.Category = StoredCategory(cbCategory->currentText(), DefaultCategoryName());
    app.HardDrv = cbHardDrive->currentText().at(0);
    app.AppPath = edAppPath->text();
    StoreCdControls(app);
    app.AppFile = edExeFile->text();
    app.Parameters = edParam->text();
    app.Commands = edCommands->text();
    app.ExitCommands = edExitCommands->text();
    app.IconFile = edIconFile->text();
    app.ManFile = edManFile->text();
    app.Description = edDescription->text();
    app.AppMapper = edMapperFile->text();
    app.FullScreen = cxFullScreen->isChecked();
    app.AutoEnd = cxAutoEnd->isChecked();
    app.AutoClose = cxAutoClose->isChecked();
    app.ConsoleMode = {};
    if (cbNoConsole->isChecked())
        app.ConsoleMode.insert(TConsoleMode::cmHide);
    if (cbDelConFiles->isChecked())
        app.ConsoleMode.insert(TConsoleMode::cmErase);
    app.AppConfig = ConfigIndex() == 1;
    app.MixerChannels = MixerChannelsText(MixerItems());
    StoreEmulationControls(app);
    app.Icons.Assign(*NewIcons);
    DosBoxApp.Assign(app);
}

void TAppSettingsDialog::Finish()
{
    FDosBoxApp.reset();
    NewIcons.reset();
}

int TAppSettingsDialog::ConfigIndex() const
{
    return rbAppConfig->isChecked() ? 1 : 0;
}

void TAppSettingsDialog::SetConfigIndex(int index)
{
    (index == 1 ? rbAppConfig : rbGlobalConfig)->setChecked(true);
}

void TAppSettingsDialog::ShowIcon(const TAppIcons &picture)
{
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(imgIcon->size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(palette().color(QPalette::Window));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), imgIcon->size()), picture.Large());
    painter.end();
    imgIcon->setPixmap(pixmap);
}

QString TAppSettingsDialog::AppConfigFile() const
{
    if (FDosBoxApp && !FDosBoxApp->AppConfigFile.isEmpty())
        return FDosBoxApp->AppConfigFile;
    const QString dir = edAppPath->text();
    return dir.isEmpty() ? QString() : JoinPath(dir, DosBox::AppConfigName);
}

QString TAppSettingsDialog::ChooseFile(const TFileOpenRequest &request)
{
    const QStringList files = OpenFiles(this, request);
    return files.isEmpty() ? QString() : files.first();
}

void TAppSettingsDialog::btPathClick()
{
    QString dir = ExistingDirOrDefault(edAppPath->text(), FSettings.RootPath);
    const QString title =
        SafeFormat(_("Select path to be mounted as drive %s"), cbHardDrive->currentText());
    if (ChooseDirectory(title, FSettings.RootPath, dir))
        edAppPath->setText(dir);
}

void TAppSettingsDialog::cbHardDriveCloseUp()
{
    const QString drive = cbHardDrive->currentText();
    if (!LastDrive.isEmpty()) {
        edCommands->setText(ReplaceDriveLetter(edCommands->text(), LastDrive, drive));
        edExitCommands->setText(ReplaceDriveLetter(edExitCommands->text(), LastDrive, drive));
    }
    LastDrive = drive;
}

void TAppSettingsDialog::btExeFileClick()
{
    const QString appPath = edAppPath->text();
    QString start = appPath;
    if (!edExeFile->text().isEmpty()) {
        const QString folder = ExtractFilePath(NativeProgramPath(edExeFile->text()));
        start = ExistingDirOrDefault(JoinPath(appPath, folder), appPath);
    }
    const QString file = ChooseFile({_("Select executable for startup"),
                                     QStringLiteral("exe"),
                                     {{_("Programs"), QStringLiteral("*.exe;*.com;*.bat")},
                                      {_("Executables"), QStringLiteral("*.exe;*.com")},
                                      {_("Batch files"), QStringLiteral("*.bat")},
                                      {_("All"), QStringLiteral("*.*")}},
                                     start,
                                     false});
    if (file.isEmpty())
        return;
    QString program;
    if (ProgramPathBelow(appPath, file, program))
        edExeFile->setText(program);
    else
        ErrorDialog(OutsideMessage(appPath));
}

bool TAppSettingsDialog::EditCommandList(const QString &title, QString &text)
{
    QStringList commands = SplitCommands(text);
    if (!ExecuteListEditor(CurrentCursorPos(), title, _("List of commands"), commands))
        return false;
    text = JoinCommands(commands);
    return true;
}

void TAppSettingsDialog::btCommandsClick()
{
    QString text = edCommands->text();
    if (EditCommandList(_("Edit commands on startup"), text))
        edCommands->setText(text);
}

void TAppSettingsDialog::btExitCommandsClick()
{
    QString text = edExitCommands->text();
    if (EditCommandList(_("Edit commands before exit"), text))
        edExitCommands->setText(text);
}

// An icon file typed rather than chosen is loaded on OK, a bare name from
// the application's folder.
bool TAppSettingsDialog::AcceptTypedIcon()
{
    const QString typed = edIconFile->text().trimmed();
    if (typed == FIconText || typed.isEmpty())
        return true;
    const QString appPath = edAppPath->text();
    const QString file =
        IsAbsolutePath(typed) ? typed : MakeAbsolutePath(DirWithDelimiter(appPath), typed);
    QString message = SafeFormat(_("File not found: %s"), file);
    if (IsFile(file)) {
        try {
            NewIcons->LoadFromFile(file);
            FIconText = typed;
            ShowIcon(*NewIcons);
            return true;
        } catch (const EInvalidGraphic &error) {
            message = error.message();
        }
    }
    pcSettings->setCurrentWidget(tsGeneral);
    edIconFile->setFocus();
    ErrorDialogAt(BelowControl(edIconFile), message);
    return false;
}

void TAppSettingsDialog::btIconFileClick()
{
    const QString current = edIconFile->text();
    // The application's folder first: that is where its icons are.
    const QString appPath = edAppPath->text();
    const QString start =
        current.isEmpty()
            ? appPath
            : ExistingDirOrDefault(
                  ExtractFilePath(IsAbsolutePath(current)
                                      ? current
                                      : MakeAbsolutePath(DirWithDelimiter(appPath), current)),
                  IsDir(appPath) ? appPath : FSettings.RootPath);
    const QString file = ChooseFile({_("Select file with icon for this application"),
                                     QStringLiteral("ico"),
                                     {{_("Image"), QStringLiteral("*.ico;*.bmp;*.png;*.jpg")},
                                      {_("Executables"), QStringLiteral("*.exe;*.dll")},
                                      {_("All"), QStringLiteral("*.*")}},
                                     start,
                                     false});
    if (file.isEmpty())
        return;
    try {
        NewIcons->LoadFromFile(file);
    } catch (const EInvalidGraphic &error) {
        ErrorDialog(error.message());
        return;
    }
    edIconFile->setText(file);
    FIconText = file;
    ShowIcon(*NewIcons);
}

void TAppSettingsDialog::btManFileClick()
{
    const QString current = edManFile->text();
    const QString start = current.isEmpty() ? edAppPath->text() : ExtractFilePath(current);
    const QString file = ChooseFile({_("Select manual for this application"),
                                     QStringLiteral("txt"),
                                     {{_("Manuals"), QStringLiteral("*.txt;*.htm;*.html;*.pdf")},
                                      {_("Text files"), QStringLiteral("*.txt")},
                                      {_("HTML files"), QStringLiteral("*.htm;*.html")},
                                      {_("PDF files"), QStringLiteral("*.pdf")},
                                      {_("All"), QStringLiteral("*.*")}},
                                     start,
                                     false});
    if (!file.isEmpty())
        edManFile->setText(file);
}

void TAppSettingsDialog::btMapperClick()
{
    const QString current = edMapperFile->text();
    QString start;
    if (!current.isEmpty())
        start = ExtractFilePath(current);
    else if (ConfigIndex() == 1)
        start = edAppPath->text();
    else
        start = ExtractFilePath(FSettings.ConfFile);
    const QString file = ChooseFile({_("Select keymapper file"),
                                     QStringLiteral("map"),
                                     {{_("DOSBox keymapper files"), QStringLiteral("*.map;*.txt")},
                                      {_("All"), QStringLiteral("*.*")}},
                                     start,
                                     false});
    if (!file.isEmpty())
        edMapperFile->setText(file);
}

void TAppSettingsDialog::rgConfigClick()
{
    if (FLoading || !FDosBoxApp)
        return;
    if (ConfigIndex() == 1) {
        bbEditConfig->setEnabled(true);
        if (!IsDir(edAppPath->text()))
            return;
        const QString config = AppConfigFile();
        if (!QFileInfo::exists(config)) {
            try {
                FDosBoxApp->CopyConfig(config);
            } catch (const ECopyError &error) {
                ErrorDialog(error.message());
                return;
            }
        }
        FDosBoxApp->LoadConfig(config);
    } else {
        bbEditConfig->setEnabled(false);
        FDosBoxApp->LoadConfig(QString());
    }
    ShowEmulationSettings();
}

void TAppSettingsDialog::bbEditConfigClick()
{
    if (!FDosBoxApp)
        return;
    // Without the folder the copy would land wherever the program runs.
    if (!IsDir(edAppPath->text())) {
        ErrorDialog(SafeFormat(_("Directory not found:\r\n%s!"), edAppPath->text()));
        return;
    }
    const QString config = AppConfigFile();
    if (!QFileInfo::exists(config)) {
        if (!ConfirmDialog(_("No application specific configuration found!\r\nCopy primary "
                             "configuration to application path?")))
            return;
        try {
            FDosBoxApp->CopyConfig(config);
        } catch (const ECopyError &error) {
            ErrorDialog(error.message());
            return;
        }
    }
    StartTextEditor(FSettings.TextEditor, config);
    FDosBoxApp->LoadConfig(config);
    ShowEmulationSettings();
}

void TAppSettingsDialog::bbResetClick()
{
    if (!FDosBoxApp)
        return;
    FDosBoxApp->Init(ConfigIndex() == 1 ? AppConfigFile() : QString(), FSettings.HideCon);
    ShowEmulationSettings();
}

void TAppSettingsDialog::cxAutoEndClick()
{
    if (FLoading || !FDosBoxApp)
        return;
    FDosBoxApp->AutoEnd = cxAutoEnd->isChecked();
    ShowEmulationSettings();
}

void TAppSettingsDialog::cbNoConsoleClick()
{
    cbDelConFiles->setEnabled(cbNoConsole->isChecked());
}
