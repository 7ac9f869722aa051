#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueBackups.h"
#include "catalogue/LoadCache.h"
#include "emulator/DosBoxInfo.h"
#include "emulator/DosBoxInterface.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemEditor.h"
#include "support/SystemKeyboard.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString SecConfig = QStringLiteral("Config");

// Keys of [Config] besides the window bounds.
const QString KeyDosBoxPath = QStringLiteral("DosBoxPath");
const QString KeyRootPath = QStringLiteral("RootPath");
const QString KeyConfFile = QStringLiteral("ConfFile");
const QString KeyLangFile = QStringLiteral("LangFile");
const QString KeyMapperFile = QStringLiteral("MapperFile");
const QString KeyEditor = QStringLiteral("Editor");
const QString KeyKeyboardLayout = QStringLiteral("KeyboardLayout");
const QString KeyCodepage = QStringLiteral("Codepage");
const QString KeyHideConsole = QStringLiteral("HideConsole");
const QString KeyAutoStart = QStringLiteral("AutoStart");
const QString KeyLastApp = QStringLiteral("LastApp");
const QString KeyAppCount = QStringLiteral("AppCount");

// Keys of an entry section (RootPath, MapperFile and Codepage as above).
const QString KeyAppName = QStringLiteral("AppName");
const QString KeyCategory = QStringLiteral("Category");
const QString KeyConsoleMode = QStringLiteral("ConsoleMode");
const QString KeyMountCd = QStringLiteral("MountCD");
const QString KeyCdPath = QStringLiteral("CdPath");
const QString KeyHardDrive = QStringLiteral("HardDrive");
const QString KeyCdRomDrive = QStringLiteral("CdRomDrive");
const QString KeyIsoImage = QStringLiteral("IsoImage");
const QString KeyExecutable = QStringLiteral("Executable");
const QString KeyParameters = QStringLiteral("Parameters");
const QString KeyCommands = QStringLiteral("Commands");
const QString KeyExitCommands = QStringLiteral("ExitCommands");
const QString KeyIconFile = QStringLiteral("IconFile");
const QString KeyManual = QStringLiteral("Manual");
const QString KeyDescription = QStringLiteral("Description");
const QString KeyMixer = QStringLiteral("Mixer");
const QString KeyAppConfig = QStringLiteral("AppConfig");
const QString KeyFullScreen = QStringLiteral("FullScreen");
const QString KeyAutoEnd = QStringLiteral("AutoEnd");
const QString KeyAutoClose = QStringLiteral("AutoClose");
const QString KeyMemSize = QStringLiteral("MemSize");
const QString KeyMemManage = QStringLiteral("MemManage");
const QString KeyCycles = QStringLiteral("Cycles");

// A drive letter as stored; anything that is no letter gives the default.
QChar DriveLetter(const QString &value, QChar def)
{
    if (value.isEmpty())
        return def;
    const QChar c = value.front();
    return ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) ? c : def;
}

// Commands as the run command reads them: items at ";", an item in double
// quotes loses its quotes, leading blanks of items go, and so do empty items
// at the front.
// True when NormalisedCommands would return the text as it is: no quotes,
// no blanks at the start of an item, no empty item at the front, no
// separator at the end.
bool IsNormalCommandList(QStringView text)
{
    if (text.isEmpty())
        return true;
    if (text.front() == u';' || text.back() == u';' || IsWhiteSpace(text.front()))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' || (c == u';' && IsWhiteSpace(text.at(i + 1))))
            return false;
    }
    return true;
}

QString NormalisedCommands(QString text)
{
    if (IsNormalCommandList(text))
        return text;
    QString result;
    while (!text.isEmpty()) {
        const QString item = ReadNextQuotedItem(text, u';', u'"');
        if (!result.isEmpty())
            result += u';';
        result += item;
    }
    return result;
}

void ReadTriple(const QString &value, int &a, int &b, int &c)
{
    a = b = c = DefaultSetting;
    if (value.isEmpty())
        return;
    QStringView rest(value);
    for (int *target : {&a, &b, &c}) {
        const qsizetype comma = rest.indexOf(u',');
        const QStringView part = comma < 0 ? rest : rest.first(comma);
        rest = comma < 0 ? QStringView() : rest.sliced(comma + 1);
        int number = 0;
        *target = ParseIniInt(part, number) ? number : DefaultSetting;
    }
}

QString Triple(int a, int b, int c)
{
    return QString::number(a) + u',' + QString::number(b) + u',' + QString::number(c);
}

// The number of an entry section as AppSectionName writes it ("App", three
// digits at least, no leading zero beyond them); 0 for other names.
int EntrySectionNumber(const QString &name)
{
    const qsizetype digits = name.size() - 3;
    if (digits < 3 || digits > 9 || !name.startsWith(QStringLiteral("App"), Qt::CaseInsensitive))
        return 0;
    if (digits > 3 && name.at(3) == u'0')
        return 0;
    for (qsizetype i = 3; i < name.size(); ++i) {
        if (name.at(i) < u'0' || name.at(i) > u'9')
            return 0;
    }
    return QStringView(name).sliced(3).toInt();
}

void ReadConfig(const TUnicodeIniFile &ini, const TCatalogueFiles &files, TBasicSettings &s)
{
    s.ConfFile = ini.ReadString(SecConfig, KeyConfFile);
    if (!s.ConfFile.isEmpty() && !IsFile(s.ConfFile))
        s.ConfFile.clear();
    s.LangFile = ini.ReadString(SecConfig, KeyLangFile);
    s.MapperFile = ini.ReadString(SecConfig, KeyMapperFile);
    s.TextEditor = ini.ReadString(SecConfig, KeyEditor);
    FindTextEditor(s.TextEditor);
    s.RootPath = ini.ReadString(SecConfig, KeyRootPath, files.UserPath);
    if (!IsDir(s.RootPath))
        s.RootPath = files.UserPath;
    s.KeyLayout = ini.ReadString(SecConfig, KeyKeyboardLayout);
    s.Codepage = ini.ReadInteger(SecConfig, KeyCodepage, 0);
    if (s.Codepage == 0)
        s.Codepage = DefaultCodePage();
    s.HideCon = ini.ReadBool(SecConfig, KeyHideConsole, false);
    s.AutoStart = ini.ReadBool(SecConfig, KeyAutoStart, false);
}

void ReadEntry(const TUnicodeIniFile &ini, const QString &sec, const TBasicSettings &s,
               TDosBoxApp &app, TLoadResult &result)
{
    app.AppName = ini.ReadString(sec, KeyAppName);
    app.Category = ini.ReadString(sec, KeyCategory);
    app.AppPath = ini.ReadString(sec, KeyRootPath);
    const int mode = ini.ReadInteger(sec, KeyConsoleMode, -1);
    if (mode < 0) {
        app.ConsoleMode = s.HideCon ? TConsoleModes{TConsoleMode::cmHide, TConsoleMode::cmErase}
                                    : TConsoleModes{};
    } else {
        app.ConsoleMode = WordToSet<TConsoleMode>(quint16(mode));
    }
    app.MountCd = ini.ReadBool(sec, KeyMountCd, true);
    app.CdPath = ini.ReadString(sec, KeyCdPath);
    app.IsoImage = ini.ReadBool(sec, KeyIsoImage, true);
    app.HardDrv = DriveLetter(ini.ReadString(sec, KeyHardDrive), u'C');
    app.CdDrv = DriveLetter(ini.ReadString(sec, KeyCdRomDrive), u'D');
    app.AppFile = ini.ReadString(sec, KeyExecutable);
    app.Parameters = ini.ReadString(sec, KeyParameters);
    if (ini.ValueExists(sec, KeyCommands))
        app.Commands = NormalisedCommands(ini.ReadEnclosedString(sec, KeyCommands));
    else
        app.Commands = QString(app.HardDrv.toUpper()) + QStringLiteral(":;CD \\");
    app.ExitCommands = ini.ReadEnclosedString(sec, KeyExitCommands);
    app.IconFile = ini.ReadString(sec, KeyIconFile);
    try {
        app.LoadIcons(app.IconFile);
    } catch (const EInvalidGraphic &) {
        // One broken picture must not stop the load (and so lose the
        // entries after it at the next save).
        app.LoadIcons(QString());
        result.BrokenIcons.append(app.IconFile);
    }
    app.ManFile = ini.ReadString(sec, KeyManual);
    app.CodePage = ini.ReadInteger(sec, KeyCodepage, s.Codepage);
    app.Description = ini.ReadString(sec, KeyDescription);
    app.MixerChannels = ini.ReadEnclosedString(sec, KeyMixer);
    app.AppConfig = ini.ReadBool(sec, KeyAppConfig, false);
    app.AppMapper = ini.ReadString(sec, KeyMapperFile);
    if (!app.AppMapper.isEmpty() && !IsFile(app.AppMapper))
        app.AppMapper = MakeAbsolutePath(ExtractFilePath(s.ConfFile), s.MapperFile);
    app.FullScreen = ini.ReadBool(sec, KeyFullScreen, app.FullScreen);
    app.AutoEnd = ini.ReadBool(sec, KeyAutoEnd, true);
    app.AutoClose = ini.ReadBool(sec, KeyAutoClose, false);
    app.MemSize = ini.ReadInteger(sec, KeyMemSize, 0);
    ReadTriple(ini.ReadString(sec, KeyMemManage), app.MemManage.XMS, app.MemManage.EMS,
               app.MemManage.UMB);
    ReadTriple(ini.ReadString(sec, KeyCycles), app.Speed.RealSpeed, app.Speed.ProtSpeed,
               app.Speed.Throttle);
}

void WriteEntry(TUnicodeIniFile &ini, const QString &sec, const TDosBoxApp &app)
{
    ini.WriteString(sec, KeyAppName, app.AppName);
    ini.WriteString(sec, KeyCategory, app.Category);
    ini.WriteString(sec, KeyRootPath, app.AppPath);
    ini.WriteInteger(sec, KeyConsoleMode, SetToWord(app.ConsoleMode));
    ini.WriteBool(sec, KeyMountCd, app.MountCd);
    ini.WriteString(sec, KeyCdPath, app.CdPath);
    ini.WriteString(sec, KeyHardDrive, QString(app.HardDrv));
    ini.WriteString(sec, KeyCdRomDrive, QString(app.CdDrv));
    ini.WriteBool(sec, KeyIsoImage, app.IsoImage);
    ini.WriteString(sec, KeyExecutable, app.AppFile);
    ini.WriteString(sec, KeyParameters, app.Parameters);
    ini.WriteEnclosedString(sec, KeyCommands, app.Commands);
    ini.WriteEnclosedString(sec, KeyExitCommands, app.ExitCommands);
    ini.WriteString(sec, KeyIconFile, app.IconFile);
    ini.WriteString(sec, KeyManual, app.ManFile);
    ini.WriteInteger(sec, KeyCodepage, app.CodePage);
    ini.WriteString(sec, KeyDescription, app.Description);
    ini.WriteEnclosedString(sec, KeyMixer, app.MixerChannels);
    ini.WriteBool(sec, KeyAppConfig, app.AppConfig);
    ini.WriteString(sec, KeyMapperFile, app.AppMapper);
    ini.WriteBool(sec, KeyFullScreen, app.FullScreen);
    ini.WriteBool(sec, KeyAutoEnd, app.AutoEnd);
    ini.WriteBool(sec, KeyAutoClose, app.AutoClose);
    ini.WriteInteger(sec, KeyMemSize, app.MemSize);
    ini.WriteString(sec, KeyMemManage,
                    Triple(app.MemManage.XMS, app.MemManage.EMS, app.MemManage.UMB));
    ini.WriteString(sec, KeyCycles,
                    Triple(app.Speed.RealSpeed, app.Speed.ProtSpeed, app.Speed.Throttle));
}

} // namespace

QString AppSectionName(int position)
{
    return QStringLiteral("App") + ZeroPaddedInt(3, position);
}

QString DefaultCategoryName()
{
    return _("Miscellaneous");
}

QString CategoryOf(const TDosBoxApp &app)
{
    return app.Category.isEmpty() ? DefaultCategoryName() : app.Category;
}

std::unique_ptr<TUnicodeIniFile> ReadCatalogueFile(const TCatalogueFiles &files)
{
    QString readName = files.IniName;
    if (!QFileInfo::exists(readName)) {
        const QString besideProgram = JoinPath(files.ExeDir, ExtractFileName(files.IniName));
        if (!files.ExeDir.isEmpty() && QFileInfo::exists(besideProgram))
            readName = besideProgram;
    }
    return std::make_unique<TUnicodeIniFile>(readName, TUnicodeIniFile::TAccess::Read);
}

QRect ReadMainWindowBounds(const TUnicodeIniFile &file, const QRect &def)
{
    return ReadWindowBounds(file, SecConfig, def);
}

TLoadResult LoadCatalogue(TCatalogueFiles &files, TCatalogue &catalogue, ICatalogueHost &host,
                          const QImage &defLargeImg, const QImage &defSmallImg)
{
    return LoadCatalogue(ReadCatalogueFile(files), files, catalogue, host, defLargeImg,
                         defSmallImg);
}

TLoadResult LoadCatalogue(std::unique_ptr<TUnicodeIniFile> file, TCatalogueFiles &files,
                          TCatalogue &catalogue, ICatalogueHost &host, const QImage &defLargeImg,
                          const QImage &defSmallImg)
{
    TLoadResult result;
    catalogue.Apps.clear();
    catalogue.Loaded = false;
    catalogue.File = std::move(file);
    const TUnicodeIniFile &ini = *catalogue.File;
    TBasicSettings &s = catalogue.BasicSettings;

    catalogue.DiskState =
        SameFileName(ini.FileName(), files.IniName) ? ini.ReadState() : FileStateOf(files.IniName);
    if (IsForeignFile(ini)) {
        host.ReportError(SafeFormat(
            _("The file \"%s\" is not a Ravelin catalogue. Ravelin leaves it unchanged and "
              "ends.\r\nName another file with /ini:FILE."),
            QDir::toNativeSeparators(ini.FileName())));
        result.NotCatalogue = result.Cancelled = true;
        return result;
    }
    // Saving would replace what could not be read; such a file is shown as
    // far as it was read and left alone, and the window can still close.
    const bool complete = ini.CompletelyRead();
    if (!complete) {
        host.ReportError(SafeFormat(
            _("The catalogue file \"%s\" could not be read completely.\r\nRavelin shows what "
              "it could read and will not save changes to it in this session."),
            ini.FileName()));
    }

    s.DosBoxPath = ini.ReadString(SecConfig, KeyDosBoxPath);
    if (!IsDir(s.DosBoxPath)) {
        result.FirstRun = true;
        const QString chosen = host.ChooseDosBoxDir(_("Select DOSBox program directory"),
                                                    FindDosBoxDir(), files.ProgPath);
        if (chosen.isEmpty()) {
            result.Cancelled = true;
            return result;
        }
        s.DosBoxPath = chosen;
    }
    files.LocPath = DirWithDelimiter(JoinPath(files.LocPath, DosBox::SettingsFolderName));
    ReadConfig(ini, files, s);
    InitVersion(s);
    // DOSBox Staging keeps its configuration in a known place; a first run
    // takes it from there, as choosing the folder in the settings does.
    const QString stagingConfig = JoinPath(files.LocPath, DosBox::StagingConfigName);
    if (result.FirstRun && s.IsStaging && s.ConfFile.isEmpty() && IsFile(stagingConfig))
        s.ConfFile = stagingConfig;
    if (result.FirstRun && !s.IsStaging && s.ConfFile.isEmpty())
        host.EditBasicSettings(s);
    catalogue.CurApp = ini.ReadString(SecConfig, KeyLastApp);

    bool remembered = false;
    TLoadCacheScope cacheScope;
    for (const QString &section : EntrySections(ini)) {
        auto app = std::make_unique<TDosBoxApp>(s.ConfFile, defLargeImg, defSmallImg, s.Codepage,
                                                s.HideCon);
        ReadEntry(ini, section, s, *app, result);
        const QString category = CategoryOf(*app);
        if (!remembered && SameText(app->AppName, catalogue.CurApp)) {
            result.SelectedCategory = category;
            remembered = true;
        }
        catalogue.Apps.push_back(std::move(app));
        host.AddCategoryEntry(category);
    }
    catalogue.Loaded = complete;
    host.ReadWindowSettings(ini);
    return result;
}

QStringList EntrySections(const TUnicodeIniFile &file)
{
    const int count = file.ReadInteger(SecConfig, KeyAppCount, 0);
    std::vector<std::pair<int, QString>> found;
    for (const QString &name : file.ReadSections()) {
        const int n = EntrySectionNumber(name);
        if (n > 0 && n <= count)
            found.emplace_back(n, name);
    }
    // Stable: of two sections with one number the first counts, as a look-up
    // by name would find it.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList names;
    int last = 0;
    for (const auto &[n, name] : found) {
        if (n != last)
            names.append(name);
        last = n;
    }
    return names;
}

bool IsForeignFile(const TUnicodeIniFile &file)
{
    if (!file.CompletelyRead() || file.ReadState().Size == 0)
        return false;
    const QString known[] = {QStringLiteral("Unicode"), SecConfig, QStringLiteral("HtmlManual"),
                             QStringLiteral("Directories")};
    for (const QString &name : file.ReadSections()) {
        if (EntrySectionNumber(name) > 0)
            return false;
        for (const QString &k : known) {
            if (SameText(name, k))
                return false;
        }
    }
    return file.ReadState().Exists;
}

bool CatalogueChangedOnDisk(const QString &iniName, const TCatalogue &catalogue)
{
    // A file deleted since is no one's newer work.
    const TFileState now = FileStateOf(iniName);
    return now.Exists && !(now == catalogue.DiskState);
}

namespace {

void WriteCatalogue(TUnicodeIniFile &ini, const TCatalogue &catalogue, const QRect &bounds,
                    ICatalogueHost *host)
{
    const TBasicSettings &s = catalogue.BasicSettings;
    // First, so that it heads a new file.
    ini.EnsureEncodingKey();
    WriteWindowBounds(ini, SecConfig, bounds);
    ini.WriteString(SecConfig, KeyDosBoxPath, s.DosBoxPath);
    ini.WriteString(SecConfig, KeyRootPath, s.RootPath);
    ini.WriteString(SecConfig, KeyConfFile, s.ConfFile);
    ini.WriteString(SecConfig, KeyLangFile, s.LangFile);
    ini.WriteString(SecConfig, KeyMapperFile, s.MapperFile);
    ini.WriteString(SecConfig, KeyEditor, s.TextEditor);
    ini.WriteString(SecConfig, KeyKeyboardLayout, s.KeyLayout);
    ini.WriteInteger(SecConfig, KeyCodepage, s.Codepage);
    ini.WriteBool(SecConfig, KeyHideConsole, s.HideCon);
    ini.WriteBool(SecConfig, KeyAutoStart, s.AutoStart);
    ini.WriteString(SecConfig, KeyLastApp, catalogue.CurApp);
    ini.WriteInteger(SecConfig, KeyAppCount, int(catalogue.Apps.size()));
    int position = 0;
    for (const auto &app : catalogue.Apps)
        WriteEntry(ini, AppSectionName(++position), *app);
    if (host)
        host->WriteWindowSettings(ini);
}

} // namespace

void SaveCatalogue(const QString &iniName, TCatalogue &catalogue, const QRect &bounds,
                   ICatalogueHost *host, bool overwriteChanges)
{
    if (!catalogue.Loaded || !catalogue.File)
        return;
    if (!overwriteChanges && CatalogueChangedOnDisk(iniName, catalogue)) {
        throw ECatalogueChanged(SafeFormat(
            _("The catalogue file \"%s\" was changed by another program since Ravelin read it; "
              "it was left unchanged."),
            QDir::toNativeSeparators(iniName)));
    }
    WriteCatalogue(*catalogue.File, catalogue, bounds, host);
    BackupCatalogueFile(iniName);
    catalogue.DiskState = catalogue.File->SaveAs(iniName);
}

void SaveCatalogueCopy(const QString &fileName, TCatalogue &catalogue, const QRect &bounds,
                       ICatalogueHost *host)
{
    if (!catalogue.File)
        return;
    WriteCatalogue(*catalogue.File, catalogue, bounds, host);
    catalogue.File->SaveAs(fileName);
}

// ---------------------------------------------------------------------------

int CodePageOfLanguage(int primaryLanguage)
{
    switch (primaryLanguage) {
    case 2:  // Bulgarian
    case 25: // Russian
        return 866;
    case 5:  // Czech
    case 14: // Hungarian
    case 21: // Polish
    case 26: // Croatian
    case 27: // Slovak
        return 852;
    case 7:  // German
    case 10: // Spanish
    case 11: // Finnish
    case 12: // French
    case 16: // Italian
    case 19: // Dutch
        return 858;
    case 8: // Greek
        return 869;
    case 20: // Norwegian
        return 865;
    case 29: // Swedish
        return 850;
    default:
        return 437;
    }
}

int DefaultCodePage()
{
    return CodePageOfLanguage(KeyboardPrimaryLanguage());
}

void InitVersion(TBasicSettings &settings)
{
    UpdateDosBoxInfo(settings.DosBoxPath, settings.DosBoxDesc, settings.IsStaging);
}
