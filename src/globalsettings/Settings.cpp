#include "globalsettings/Settings.h"

#include "catalogue/BasicSettings.h"
#include "catalogue/Catalogue.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/ShellDirDlg.h"
#include "dialogs/WinUtils.h"
#include "emulator/DosBoxInfo.h"
#include "emulator/DosBoxInterface.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemKeyboard.h"
#include "texttools/CodePages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

QString KeyboardCodeOfLanguage(int primaryLanguage)
{
    switch (primaryLanguage) {
    case 2:
        return QStringLiteral("BG");
    case 5:
        return QStringLiteral("CZ243");
    case 7:
        return QStringLiteral("GR");
    case 8:
        return QStringLiteral("GK");
    case 10:
        return QStringLiteral("SP");
    case 11:
        return QStringLiteral("SU");
    case 12:
        return QStringLiteral("FR");
    case 14:
        return QStringLiteral("HU");
    case 16:
        return QStringLiteral("IT");
    case 19:
        return QStringLiteral("NL");
    case 20:
        return QStringLiteral("NO");
    case 21:
        return QStringLiteral("PL");
    case 25:
        return QStringLiteral("RU");
    case 26:
        return QStringLiteral("HR");
    case 27:
        return QStringLiteral("SK");
    case 29:
        return QStringLiteral("SV");
    default:
        return QString();
    }
}

QList<TKeyboardLayout> KeyboardLayouts()
{
    return {
        {QStringLiteral("US"), N_("English (United States)")},
        {QStringLiteral("UK"), N_("English (United Kingdom)")},
        {QStringLiteral("BE"), N_("Belgian")},
        {QStringLiteral("BG"), N_("Bulgarian")},
        {QStringLiteral("BR"), N_("Portuguese (Brazil)")},
        {QStringLiteral("CF"), N_("French (Canada)")},
        {QStringLiteral("CZ243"), N_("Czech")},
        {QStringLiteral("DK"), N_("Danish")},
        {QStringLiteral("FR"), N_("French")},
        {QStringLiteral("GK"), N_("Greek")},
        {QStringLiteral("GR"), N_("German")},
        {QStringLiteral("HR"), N_("Croatian")},
        {QStringLiteral("HU"), N_("Hungarian")},
        {QStringLiteral("IT"), N_("Italian")},
        {QStringLiteral("LA"), N_("Spanish (Latin America)")},
        {QStringLiteral("NL"), N_("Dutch")},
        {QStringLiteral("NO"), N_("Norwegian")},
        {QStringLiteral("PL"), N_("Polish")},
        {QStringLiteral("PO"), N_("Portuguese")},
        {QStringLiteral("RU"), N_("Russian")},
        {QStringLiteral("SF"), N_("French (Switzerland)")},
        {QStringLiteral("SG"), N_("German (Switzerland)")},
        {QStringLiteral("SK"), N_("Slovak")},
        {QStringLiteral("SP"), N_("Spanish")},
        {QStringLiteral("SU"), N_("Finnish")},
        {QStringLiteral("SV"), N_("Swedish")},
    };
}

QString KeyboardLayoutItem(const TKeyboardLayout &layout)
{
    return layout.Code + QStringLiteral(" \u2013 ") + GnuGettext::gettext(layout.Name);
}

QString KeyboardLayoutCode(const QString &text)
{
    // The code is the first word: of a list item, of a typed code, and of a
    // stored code padded with blanks.
    return text.trimmed().section(u' ', 0, 0);
}

QString WithProgramName(const QString &text)
{
    QString result = text;
    return result.replace(QStringLiteral("DOSBox.exe"), DosBox::ProgramName, Qt::CaseInsensitive);
}

TDosBoxSetDialog::TDosBoxSetDialog(QWidget *parent) : QDialog(parent)
{
    CreateControls();
    ConnectHandlers();
    FormCreate();
}

void TDosBoxSetDialog::FormCreate()
{
    TranslateComponent(this);
    for (const TCodePageInfo &info : CodePageTable)
        cbCodePages->addItem(info.Name());
    cbCodePages->setCurrentIndex(0);
    FStaging = false;
    ScaleControlGlyphs(this, 96, MonitorPpi(screen()));
}

void TDosBoxSetDialog::ConnectHandlers()
{
    connect(btPath, &QToolButton::clicked, this, [this] { btPathClick(); });
    connect(btRootPath, &QToolButton::clicked, this, [this] { btRootPathClick(); });
    connect(btConf, &QToolButton::clicked, this, [this] { btConfClick(); });
    connect(btLang, &QToolButton::clicked, this, [this] { btLangClick(); });
    connect(btMapper, &QToolButton::clicked, this, [this] { btMapperClick(); });
    connect(btEditor, &QToolButton::clicked, this, [this] { btEditorClick(); });
    connect(btEditConf, &QToolButton::clicked, this, [this] { btEditConfClick(); });
    connect(btEditMapper, &QToolButton::clicked, this, [this] { btEditMapperClick(); });
    connect(rbAutoKey, &QRadioButton::toggled, this, [this] { rbKeyLayoutClick(); });
    connect(cbKeyLayout, &QComboBox::currentTextChanged, this, [this] { UpdateLayoutCodePage(); });
    connect(edEditor, &QLineEdit::textChanged, this, [this] { UpdateEditButtons(); });
    // A folder typed rather than chosen is examined too.
    connect(edPath, &QLineEdit::editingFinished, this, [this] { UpdateDosBoxDesc(); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

// ---------------------------------------------------------------------------
// Execute

bool TDosBoxSetDialog::Execute(TBasicSettings &ASettings)
{
    LoadControls(ASettings);
    if (exec() != QDialog::Accepted)
        return false;
    StoreControls(ASettings);
    return true;
}

void TDosBoxSetDialog::LoadControls(const TBasicSettings &ASettings)
{
    edRootPath->setText(ASettings.RootPath);
    edPath->setText(ASettings.DosBoxPath);
    FStaging = ASettings.IsStaging;
    FVersion = ASettings.DosBoxVersion;
    FDescribedPath = ASettings.DosBoxPath;
    laVersion->setText(ASettings.DosBoxDesc);
    edConfFile->setText(ASettings.ConfFile);
    edLangFile->setText(ASettings.LangFile);
    edMapperFile->setText(ASettings.MapperFile);
    if (edConfFile->text().isEmpty() && SuggestPrimaryConfig() && edMapperFile->text().isEmpty())
        edMapperFile->setText(DefaultMapperFile());
    // Names in the language in use.
    cbKeyLayout->clear();
    for (const TKeyboardLayout &layout : KeyboardLayouts())
        cbKeyLayout->addItem(KeyboardLayoutItem(layout), layout.Code);
    QString code = KeyboardLayoutCode(ASettings.KeyLayout.isEmpty() ? DetectKeyboardLayout()
                                                                    : ASettings.KeyLayout);
    // A desktop language without a DOS layout of its own types as US.
    if (code.isEmpty())
        code = QStringLiteral("US");
    const int known = cbKeyLayout->findData(code.toUpper());
    if (known >= 0)
        cbKeyLayout->setCurrentIndex(known);
    else
        cbKeyLayout->setCurrentText(code);
    if (!ASettings.KeyLayout.isEmpty())
        rbKeyLayout->setChecked(true);
    else
        rbAutoKey->setChecked(true);
    rbKeyLayoutClick();
    cbCodePages->setCurrentIndex(qMax(CodePageIndex(ASettings.Codepage), 0));
    cbConsole->setChecked(ASettings.HideCon);
    edEditor->setText(ASettings.TextEditor);
    UpdateEditButtons();
    cbAutoStart->setChecked(ASettings.AutoStart);
}

void TDosBoxSetDialog::StoreControls(TBasicSettings &ASettings) const
{
    ASettings.RootPath = edRootPath->text();
    ASettings.DosBoxPath = edPath->text();
    ASettings.DosBoxDesc = laVersion->text();
    ASettings.IsStaging = FStaging;
    ASettings.DosBoxVersion = FVersion;
    ASettings.ConfFile = edConfFile->text();
    ASettings.LangFile = edLangFile->text();
    ASettings.MapperFile = edMapperFile->text();
    ASettings.KeyLayout =
        rbAutoKey->isChecked() ? QString() : KeyboardLayoutCode(cbKeyLayout->currentText());
    const int page = cbCodePages->currentIndex();
    ASettings.Codepage = CodePageTable[size_t(page >= 0 ? page : 0)].CodePageNr;
    ASettings.HideCon = cbConsole->isChecked();
    ASettings.TextEditor = edEditor->text();
    ASettings.AutoStart = cbAutoStart->isChecked();
}

void TDosBoxSetDialog::done(int r)
{
    if (r == QDialog::Accepted) {
        UpdateDosBoxDesc();
        if (!FormCloseQuery())
            return;
    }
    QDialog::done(r);
}

bool TDosBoxSetDialog::FormCloseQuery()
{
    bool adjust = false;
    const QString folder = edPath->text();
    if (folder.isEmpty() || !IsFile(JoinPath(DirWithDelimiter(folder), DosBox::ProgramName))) {
        adjust = ConfirmDialogAt(
            ScreenCenterPos,
            WithProgramName(
                // TRANSLATORS: Keep "DosBox.exe" as written: Ravelin puts the name of the
                // emulator's program file in its place.
                _("DosBox.exe not found in the specified directory!\r\nAdjust setting?")));
    }
    if (!IsDir(edRootPath->text())) {
        adjust =
            ConfirmDialogAt(ScreenCenterPos,
                            _("Root path to DOS applications not found!\r\nAdjust setting?")) ||
            adjust;
    }
    bool canClose = !adjust;
    if (!FStaging && !IsFile(edConfFile->text())) {
        // Without a description the message still needs a subject.
        const QString emulator =
            laVersion->text().isEmpty() ? DosBox::ProgramName : laVersion->text();
        ErrorDialogAt(
            ScreenCenterPos,
            // TRANSLATORS: %s is the emulator with its version (DOSBox 0.74.3).
            SafeFormat(_("%s requires a primary configuration file to be specified!"), emulator));
        canClose = false;
    }
    return canClose;
}

void TDosBoxSetDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    PlaceFormAt(this, CenterPos);
}

// ---------------------------------------------------------------------------
// Emulator and root folder

void TDosBoxSetDialog::btPathClick()
{
    QString dir = edPath->text().isEmpty() ? ProgPath : edPath->text();
    if (!ChooseDirectory(_("Select DOSBox program directory"), ProgPath, dir))
        return;
    edPath->setText(dir);
    UpdateDosBoxDesc();
    const QString stagingConfig = JoinPath(LocPath, DosBox::StagingConfigName);
    if (FStaging && IsFile(stagingConfig)) {
        edConfFile->setText(stagingConfig);
    } else {
        if (!IsFile(edConfFile->text()))
            SuggestPrimaryConfig();
        ChoosePrimaryConfig();
    }
    edMapperFile->setText(DefaultMapperFile());
    edLangFile->clear();
}

void TDosBoxSetDialog::UpdateDosBoxDesc()
{
    const QString folder = edPath->text();
    if (folder == FDescribedPath)
        return;
    QString desc;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TDosBoxVariant variant;
    UpdateDosBoxInfo(folder, desc, variant);
    FStaging = variant.Staging;
    FVersion = variant.Version;
    QApplication::restoreOverrideCursor();
    laVersion->setText(desc);
    FDescribedPath = folder;
    UpdateLayoutCodePage();
}

void TDosBoxSetDialog::btRootPathClick()
{
    QString dir = edRootPath->text().isEmpty() ? UserPath : edRootPath->text();
    if (ChooseDirectory(_("Select root path to DOS applications"), ProgPath, dir))
        edRootPath->setText(dir);
}

bool TDosBoxSetDialog::ChooseDirectory(const QString &title, const QString &homeDir, QString &dir)
{
    if (!FDirDialog) {
        FOwnDirDialog = new TShellDirDialog(this);
        FDirDialog = FOwnDirDialog;
    }
    return FDirDialog->Execute(title, false, true, false, homeDir, dir);
}

// ---------------------------------------------------------------------------
// Files

QString TDosBoxSetDialog::ChooseFile(const TFileOpenRequest &request)
{
    const QStringList files = OpenFiles(this, request);
    return files.isEmpty() ? QString() : files.first();
}

QString TDosBoxSetDialog::StartDirOf(const QString &file, const QString &whenEmpty) const
{
    const QString dir = file.isEmpty() ? whenEmpty : ExtractFilePath(file);
    return ExistingDirOrDefault(dir, QDir::homePath());
}

QString TDosBoxSetDialog::ConfigStartDir() const
{
#ifndef Q_OS_WIN
    // The classic emulator keeps its configuration in ~/.dosbox on Linux.
    const QString classicDir = JoinPath(QDir::homePath(), QStringLiteral(".dosbox"));
    if (edConfFile->text().isEmpty() && !FStaging && !IsDir(LocPath) && IsDir(classicDir))
        return classicDir;
#endif
    return StartDirOf(edConfFile->text(), LocPath);
}

bool TDosBoxSetDialog::ChoosePrimaryConfig()
{
    const QString file = ChooseFile({_("Select basic configuration file"),
                                     QStringLiteral("conf"),
                                     {{_("DOSBox configuration files"), QStringLiteral("*.conf")},
                                      {_("All"), QStringLiteral("*.*")}},
                                     ConfigStartDir(),
                                     false});
    if (file.isEmpty())
        return false;
    edConfFile->setText(file);
    return true;
}

// A classic emulator that has never run has no configuration file yet; asked,
// it writes one with its defaults and names it, so that a new user need not
// start it once by hand first.
bool TDosBoxSetDialog::SuggestPrimaryConfig()
{
    if (FStaging)
        return false;
    const QString file = EmulatorDefaultConfig(edPath->text());
    if (file.isEmpty())
        return false;
    edConfFile->setText(file);
    return true;
}

void TDosBoxSetDialog::btConfClick()
{
    ChoosePrimaryConfig();
}

QString TDosBoxSetDialog::DefaultMapperFile() const
{
    const QString confFile = edConfFile->text();
    if (!IsFile(confFile))
        return QString();
    const QString name =
        TUnicodeIniFile::CreateForRead(confFile).ReadString(DosBox::SecSdl, DosBox::KeyMapperFile);
    if (name.isEmpty())
        return QString();
    const QString inSettings = MakeAbsolutePath(LocPath, name);
    if (IsFile(inSettings))
        return inSettings;
    // The emulator itself takes a relative name from the configuration's
    // folder, which need not be its settings folder.
    const QString besideConfig = MakeAbsolutePath(ExtractFilePath(confFile), name);
    return IsFile(besideConfig) ? besideConfig : QString();
}

void TDosBoxSetDialog::btLangClick()
{
    const QString file =
        ChooseFile({_("Select language file"),
                    QStringLiteral("lang"),
                    // Classic DOSBox and DOSBox Staging 0.82 use .lng, 0.83 .po files.
                    {{_("DOSBox language files"), QStringLiteral("*.lang;*.lng;*.po")},
                     {_("All"), QStringLiteral("*.*")}},
                    StartDirOf(edLangFile->text(), LocPath),
                    false});
    if (!file.isEmpty())
        edLangFile->setText(file);
}

void TDosBoxSetDialog::btMapperClick()
{
    const QString file = ChooseFile({_("Select keymapper file"),
                                     QStringLiteral("map"),
                                     {{_("DOSBox keymapper files"), QStringLiteral("*.map;*.txt")},
                                      {_("All"), QStringLiteral("*.*")}},
                                     StartDirOf(edMapperFile->text(), LocPath),
                                     false});
    if (!file.isEmpty())
        edMapperFile->setText(file);
}

void TDosBoxSetDialog::btEditorClick()
{
#ifdef Q_OS_WIN
    const QString ext = QStringLiteral("exe");
    const QString programs = QStringLiteral("*.exe");
#else
    // Programs carry no extension here.
    const QString ext;
    const QString programs = QStringLiteral("*");
#endif
    const QString file = ChooseFile({_("Select text editor"),
                                     ext,
                                     {{_("Programs"), programs}, {_("All"), QStringLiteral("*.*")}},
                                     StartDirOf(edEditor->text(), ProgPath),
                                     false});
    if (!file.isEmpty())
        edEditor->setText(file);
}

void TDosBoxSetDialog::UpdateEditButtons()
{
    const bool editor = IsFile(edEditor->text());
    btEditConf->setEnabled(editor);
    btEditMapper->setEnabled(editor);
}

void TDosBoxSetDialog::btEditConfClick()
{
    EditFile(edConfFile->text());
}

void TDosBoxSetDialog::btEditMapperClick()
{
    EditFile(edMapperFile->text());
}

void TDosBoxSetDialog::EditFile(const QString &file)
{
    if (IsFile(file))
        StartTextEditor(edEditor->text(), file);
    else
        ErrorDialogAt(ScreenCenterPos, SafeFormat(_("File not found: %s"), file));
}

void TDosBoxSetDialog::StartTextEditor(const QString &editor, const QString &file)
{
    // An editor that cannot be started leaves nothing to report.
    QProcess::startDetached(editor, {file});
}

// ---------------------------------------------------------------------------
// Keyboard

QString TDosBoxSetDialog::DetectKeyboardLayout()
{
    return KeyboardCodeOfLanguage(KeyboardPrimaryLanguage());
}

void TDosBoxSetDialog::rbKeyLayoutClick()
{
    cbKeyLayout->setEnabled(rbKeyLayout->isChecked());
    UpdateLayoutCodePage();
}

void TDosBoxSetDialog::UpdateLayoutCodePage()
{
    // DOSBox Staging chooses its code page its own way.
    const int page =
        FStaging ? 0 : ClassicLayoutCodePage(KeyboardLayoutCode(cbKeyLayout->currentText()));
    laLayoutCodePage->setText(
        page > 0 ? SafeFormat(_("DOSBox loads code page %d with this keyboard layout."), page)
                 : QString());
}
