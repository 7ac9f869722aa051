#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueBackups.h"
#include "catalogue/LoadCache.h"
#include "emulator/DosBoxInfo.h"
#include "emulator/DosBoxInterface.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/IniScan.h"
#include "support/PathUtils.h"
#include "support/SearchText.h"
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
const QString KeySortBy = QStringLiteral("SortBy");
const QString KeySortDescending = QStringLiteral("SortDescending");

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
const QString KeyAppConfigFile = QStringLiteral("AppConfigFile");
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

// The keys of an entry section in the order SaveCatalogue writes them, which
// is the order a one-pass read expects.
enum TEntryKey
{
    ekAppName,
    ekCategory,
    ekRootPath,
    ekConsoleMode,
    ekMountCd,
    ekCdPath,
    ekHardDrive,
    ekCdRomDrive,
    ekIsoImage,
    ekExecutable,
    ekParameters,
    ekCommands,
    ekExitCommands,
    ekIconFile,
    ekManual,
    ekCodepage,
    ekDescription,
    ekMixer,
    ekAppConfig,
    ekAppConfigFile,
    ekMapperFile,
    ekFullScreen,
    ekAutoEnd,
    ekAutoClose,
    ekMemSize,
    ekMemManage,
    ekCycles,
    ekLastPlayed,
    ekPlayCount,
    ekPlayTime,
    ekCount
};
const QString EntryKeys[ekCount] = {
    KeyAppName,      KeyCategory,      KeyRootPath,   KeyConsoleMode, KeyMountCd,     KeyCdPath,
    KeyHardDrive,    KeyCdRomDrive,    KeyIsoImage,   KeyExecutable,  KeyParameters,  KeyCommands,
    KeyExitCommands, KeyIconFile,      KeyManual,     KeyCodepage,    KeyDescription, KeyMixer,
    KeyAppConfig,    KeyAppConfigFile, KeyMapperFile, KeyFullScreen,  KeyAutoEnd,     KeyAutoClose,
    KeyMemSize,      KeyMemManage,     KeyCycles,     KeyLastPlayed,  KeyPlayCount,   KeyPlayTime};

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

void ReadConfig(const TUnicodeIniFile &ini, const TCatalogueFiles &files, bool findEditor,
                TBasicSettings &s)
{
    s.ConfFile = ini.ReadString(SecConfig, KeyConfFile);
    if (!s.ConfFile.isEmpty() && !IsFile(s.ConfFile))
        s.ConfFile.clear();
    s.LangFile = ini.ReadString(SecConfig, KeyLangFile);
    s.MapperFile = ini.ReadString(SecConfig, KeyMapperFile);
    s.TextEditor = ini.ReadString(SecConfig, KeyEditor);
    if (findEditor)
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
               TDosBoxApp &app)
{
    const TIniSectionValues v(ini, sec, EntryKeys, ekCount);
    app.AppName = v.ReadString(ekAppName);
    app.Category = v.ReadString(ekCategory);
    app.AppPath = v.ReadString(ekRootPath);
    const int mode = v.ReadInteger(ekConsoleMode, -1);
    if (mode < 0) {
        app.ConsoleMode = s.HideCon ? TConsoleModes{TConsoleMode::cmHide, TConsoleMode::cmErase}
                                    : TConsoleModes{};
    } else {
        app.ConsoleMode = WordToSet<TConsoleMode>(quint16(mode));
    }
    app.MountCd = v.ReadBool(ekMountCd, true);
    app.CdPath = v.ReadString(ekCdPath);
    app.IsoImage = v.ReadBool(ekIsoImage, true);
    app.HardDrv = DriveLetter(v.ReadString(ekHardDrive), u'C');
    app.CdDrv = DriveLetter(v.ReadString(ekCdRomDrive), u'D');
    app.AppFile = v.ReadString(ekExecutable);
    app.Parameters = v.ReadString(ekParameters);
    if (v.ValueExists(ekCommands))
        app.Commands = NormalisedCommands(v.ReadEnclosedString(ekCommands));
    else
        app.Commands = QString(app.HardDrv.toUpper()) + QStringLiteral(":;CD \\");
    app.ExitCommands = v.ReadEnclosedString(ekExitCommands);
    app.IconFile = v.ReadString(ekIconFile);
    // Decoded when first drawn: most entries are never shown in a session,
    // and the command-line mode shows none.
    if (!app.IconFile.isEmpty())
        app.Icons.LoadLater(app.FileInAppFolder(app.IconFile));
    app.ManFile = v.ReadString(ekManual);
    app.CodePage = v.ReadInteger(ekCodepage, s.Codepage);
    app.Description = v.ReadString(ekDescription);
    app.MixerChannels = v.ReadEnclosedString(ekMixer);
    app.AppConfig = v.ReadBool(ekAppConfig, false);
    app.AppConfigFile = v.ReadString(ekAppConfigFile);
    app.AppMapper = v.ReadString(ekMapperFile);
    if (!app.AppMapper.isEmpty() && !IsFile(app.AppMapper))
        app.AppMapper = MakeAbsolutePath(ExtractFilePath(s.ConfFile), s.MapperFile);
    app.FullScreen = v.ReadBool(ekFullScreen, app.FullScreen);
    app.AutoEnd = v.ReadBool(ekAutoEnd, true);
    app.AutoClose = v.ReadBool(ekAutoClose, false);
    app.MemSize = v.ReadInteger(ekMemSize, 0);
    ReadTriple(v.ReadString(ekMemManage), app.MemManage.XMS, app.MemManage.EMS, app.MemManage.UMB);
    ReadTriple(v.ReadString(ekCycles), app.Speed.RealSpeed, app.Speed.ProtSpeed,
               app.Speed.Throttle);
    app.History = ReadPlayHistory(v.ReadString(ekLastPlayed), v.ReadString(ekPlayCount),
                                  v.ReadString(ekPlayTime));
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
    // Only where set, so that catalogues without imports stay as they were.
    if (!app.AppConfigFile.isEmpty() || ini.ValueExists(sec, KeyAppConfigFile))
        ini.WriteString(sec, KeyAppConfigFile, app.AppConfigFile);
    ini.WriteString(sec, KeyMapperFile, app.AppMapper);
    ini.WriteBool(sec, KeyFullScreen, app.FullScreen);
    ini.WriteBool(sec, KeyAutoEnd, app.AutoEnd);
    ini.WriteBool(sec, KeyAutoClose, app.AutoClose);
    ini.WriteInteger(sec, KeyMemSize, app.MemSize);
    ini.WriteString(sec, KeyMemManage,
                    Triple(app.MemManage.XMS, app.MemManage.EMS, app.MemManage.UMB));
    ini.WriteString(sec, KeyCycles,
                    Triple(app.Speed.RealSpeed, app.Speed.ProtSpeed, app.Speed.Throttle));
    WritePlayHistory(ini, sec, app.History);
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

int AppSectionNumber(QStringView name)
{
    // "App" and the number as AppSectionName writes it: three digits at
    // least, no leading zero beyond them.
    const qsizetype digits = name.size() - 3;
    if (digits < 3 || digits > 9 || !name.startsWith(u"App", Qt::CaseInsensitive))
        return 0;
    if (digits > 3 && name.at(3) == u'0')
        return 0;
    int n = 0;
    for (const QChar c : name.sliced(3)) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

QString CatalogueFileToRead(const TCatalogueFiles &files)
{
    if (!QFileInfo::exists(files.IniName)) {
        const QString besideProgram = JoinPath(files.ExeDir, ExtractFileName(files.IniName));
        if (!files.ExeDir.isEmpty() && QFileInfo::exists(besideProgram))
            return besideProgram;
    }
    return files.IniName;
}

std::unique_ptr<TUnicodeIniFile> ReadCatalogueFile(const TCatalogueFiles &files)
{
    return std::make_unique<TUnicodeIniFile>(CatalogueFileToRead(files),
                                             TUnicodeIniFile::TAccess::Read);
}

namespace {

QString NotCatalogueMessage(const QString &fileName)
{
    return SafeFormat(_("The file \"%s\" is not a Ravelin catalogue. Ravelin leaves it unchanged "
                        "and ends.\r\nName another file with /ini:FILE."),
                      QDir::toNativeSeparators(fileName));
}

QString IncompleteCatalogueMessage(const QString &fileName)
{
    return SafeFormat(_("The catalogue file \"%s\" could not be read completely.\r\nRavelin "
                        "shows what it could read and will not save changes to it in this "
                        "session."),
                      fileName);
}

bool IsKnownSection(QStringView name)
{
    return AppSectionNumber(name) > 0 || name.compare(u"Unicode", Qt::CaseInsensitive) == 0 ||
           name.compare(SecConfig, Qt::CaseInsensitive) == 0 ||
           name.compare(u"HtmlManual", Qt::CaseInsensitive) == 0 ||
           name.compare(u"Directories", Qt::CaseInsensitive) == 0;
}

// As IsForeignFile, for a scanned file.
bool IsForeignScan(const TIniScan &scan)
{
    if (!scan.CompletelyRead() || scan.IsEmpty())
        return false;
    for (const TIniScan::TSection &section : scan.Sections()) {
        if (IsKnownSection(section.Name))
            return false;
    }
    return true;
}

// What the load would report of a scanned file; empty when it is fine.
QString ScanProblem(const TIniScan &scan)
{
    if (IsForeignScan(scan))
        return NotCatalogueMessage(scan.FileName());
    if (!scan.CompletelyRead())
        return IncompleteCatalogueMessage(scan.FileName());
    return {};
}

// The entry sections of a scanned catalogue file, in catalogue order: for
// n = 1 ... the number of entries, the first section named [App<n>].
std::vector<QStringView> EntrySections(const TIniScan &scan)
{
    int count = 0;
    if (const TIniScan::TSection *config = scan.FindSection(SecConfig)) {
        if (const auto value = TIniScan::Value(config->Body, KeyAppCount))
            ParseIniInt(*value, count);
    }
    std::vector<std::pair<int, QStringView>> numbered;
    int last = 0;
    for (const TIniScan::TSection &section : scan.Sections()) {
        const int n = AppSectionNumber(section.Name);
        last = qMax(last, n);
        if (n > 0 && n <= count)
            numbered.emplace_back(n, section.Body);
    }
    // Stable: of equal numbers the first in the file stays first.
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    count = qMin(count, last);
    std::vector<QStringView> bodies;
    bodies.reserve(numbered.size());
    int previous = 0;
    for (const auto &[n, body] : numbered) {
        if (n > count)
            break;
        if (n != previous)
            bodies.push_back(body);
        previous = n;
    }
    return bodies;
}

QString ScannedValue(QStringView body, const QString &key)
{
    const auto value = TIniScan::Value(body, key);
    return value ? value->toString() : QString();
}

} // namespace

std::vector<TEntryName> ReadEntryNames(const TCatalogueFiles &files, QString *problem)
{
    return FindEntryNames(files, QString(), problem);
}

std::vector<TEntryName> FindEntryNames(const TCatalogueFiles &files, const QString &typed,
                                       QString *problem)
{
    const TIniScan scan(CatalogueFileToRead(files));
    std::vector<TEntryName> names;
    if (problem)
        *problem = ScanProblem(scan);
    if (IsForeignScan(scan))
        return names;
    const QStringList words = SearchWords(typed);
    QString root;
    if (const TIniScan::TSection *config = scan.FindSection(SecConfig); config && !words.isEmpty())
        root = ScannedValue(config->Body, KeyRootPath);
    for (const QStringView body : EntrySections(scan)) {
        TEntryName entry{ScannedValue(body, KeyAppName), ScannedValue(body, KeyCategory)};
        if (!words.isEmpty() &&
            !ContainsAllWords(
                EntrySearchText(entry.AppName,
                                entry.Category.isEmpty() ? DefaultCategoryName() : entry.Category,
                                ScannedValue(body, KeyDescription),
                                ScannedValue(body, KeyExecutable), ScannedValue(body, KeyRootPath),
                                root),
                words))
            continue;
        names.push_back(std::move(entry));
    }
    return names;
}

std::unique_ptr<TUnicodeIniFile> ReadCatalogueFileFor(const TCatalogueFiles &files,
                                                      const QString &appName, QString *problem)
{
    const TIniScan scan(CatalogueFileToRead(files));
    if (problem)
        *problem = ScanProblem(scan);
    QString text;
    if (const TIniScan::TSection *config = scan.FindSection(SecConfig))
        text = u'[' + SecConfig + QStringLiteral("]\r\n") + config->Body + QStringLiteral("\r\n");
    if (!appName.isEmpty()) {
        for (const QStringView body : EntrySections(scan)) {
            const auto name = TIniScan::Value(body, KeyAppName);
            if (name && name->compare(appName, Qt::CaseInsensitive) == 0) {
                // As the only entry, whatever its number: AppCount stays and
                // the first section alone exists.
                text += u'[' + AppSectionName(1) + QStringLiteral("]\r\n") + body;
                break;
            }
        }
    }
    return std::make_unique<TUnicodeIniFile>(scan.FileName(), text, scan.CompletelyRead(), true);
}

bool RecordStartInFile(const TCatalogueFiles &files, const QString &appName, const QDateTime &now)
{
    if (CatalogueFileToRead(files) != files.IniName)
        return false;
    TUnicodeIniFile file(files.IniName, TUnicodeIniFile::TAccess::Read);
    if (!file.CompletelyRead() || !file.ReadState().Exists || IsForeignFile(file))
        return false;
    for (const QString &section : EntrySections(file)) {
        if (!SameText(file.ReadString(section, KeyAppName), appName))
            continue;
        TPlayHistory history = ReadPlayHistory(file, section);
        RecordStart(history, now);
        WritePlayHistory(file, section, history);
        // Another program's save in the meantime is left alone.
        if (!(FileStateOf(files.IniName) == file.ReadState()))
            return false;
        // As the window's saves of histories: no backup.
        file.SaveAs(files.IniName);
        return true;
    }
    return false;
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
        host.ReportError(NotCatalogueMessage(ini.FileName()));
        result.NotCatalogue = result.Cancelled = true;
        return result;
    }
    // Saving would replace what could not be read; such a file is shown as
    // far as it was read and left alone, and the window can still close.
    const bool complete = ini.CompletelyRead();
    if (!complete)
        host.ReportError(IncompleteCatalogueMessage(ini.FileName()));

    s.DosBoxPath = ini.ReadString(SecConfig, KeyDosBoxPath);
    TFirstStartChoice start;
    if (!IsDir(s.DosBoxPath)) {
        result.FirstRun = true;
        // A catalogue whose emulator has moved keeps its own root folder.
        const QString storedRoot = ini.ReadString(SecConfig, KeyRootPath);
        start = {FindDosBoxDir(),
                 IsDir(storedRoot) ? storedRoot : ProposedRootFolder(QDir::homePath()),
                 files.ProgPath};
        if (!host.ConfirmFirstStart(start)) {
            result.Cancelled = true;
            return result;
        }
        s.DosBoxPath = start.DosBoxPath;
    }
    files.LocPath = DirWithDelimiter(JoinPath(files.LocPath, DosBox::SettingsFolderName));
    ReadConfig(ini, files, host.UsesTextEditor(), s);
    if (result.FirstRun && IsDir(start.RootPath))
        s.RootPath = start.RootPath;
    InitVersion(s);
    if (result.FirstRun && s.ConfFile.isEmpty()) {
        // DOSBox Staging keeps its configuration in a known place, the
        // classic emulator names its own when asked: a first start takes
        // them as choosing the folder in the settings does, and asks only
        // when there is none.
        const QString stagingConfig = JoinPath(files.LocPath, DosBox::StagingConfigName);
        if (s.IsStaging)
            s.ConfFile = IsFile(stagingConfig) ? stagingConfig : QString();
        else
            s.ConfFile = EmulatorDefaultConfig(s.DosBoxPath);
        if (!s.IsStaging && s.ConfFile.isEmpty())
            host.EditBasicSettings(s);
    }
    catalogue.CurApp = ini.ReadString(SecConfig, KeyLastApp);
    catalogue.Sort.Key = SortKeyOfName(ini.ReadString(SecConfig, KeySortBy));
    catalogue.Sort.Descending = ini.ReadBool(SecConfig, KeySortDescending, false);

    bool remembered = false;
    TLoadCacheScope cacheScope;
    for (const QString &section : EntrySections(ini)) {
        auto app = std::make_unique<TDosBoxApp>(s.ConfFile, defLargeImg, defSmallImg, s.Codepage,
                                                s.HideCon);
        ReadEntry(ini, section, s, *app);
        const QString category = CategoryOf(*app);
        if (!remembered && SameText(app->AppName, catalogue.CurApp)) {
            result.SelectedCategory = category;
            remembered = true;
        }
        catalogue.Apps.push_back(std::move(app));
        host.AddCategoryEntry(category);
    }
    // An excerpt of the file must never replace the whole of it.
    catalogue.Loaded = complete && !ini.Excerpt();
    host.ReadWindowSettings(ini);
    return result;
}

QStringList EntrySections(const TUnicodeIniFile &file)
{
    const int count = file.ReadInteger(SecConfig, KeyAppCount, 0);
    std::vector<std::pair<int, QString>> found;
    file.ForEachSection([&found, count](QStringView name) {
        const int n = AppSectionNumber(name);
        if (n > 0 && n <= count)
            found.emplace_back(n, name.toString());
    });
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
    bool known = false;
    file.ForEachSection([&known](QStringView name) { known = known || IsKnownSection(name); });
    return !known && file.ReadState().Exists;
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
    if (catalogue.Sort != TListSort() || ini.ValueExists(SecConfig, KeySortBy)) {
        ini.WriteString(SecConfig, KeySortBy, SortKeyName(catalogue.Sort.Key));
        ini.WriteBool(SecConfig, KeySortDescending, catalogue.Sort.Descending);
    }
    int position = 0;
    for (const auto &app : catalogue.Apps)
        WriteEntry(ini, AppSectionName(++position), *app);
    if (host)
        host->WriteWindowSettings(ini);
}

} // namespace

void SaveCatalogue(const QString &iniName, TCatalogue &catalogue, const QRect &bounds,
                   ICatalogueHost *host, bool overwriteChanges, bool backup)
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
    if (backup)
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

QString ProposedRootFolder(const QString &home)
{
    for (const char *name :
         {"dos", "DOS", "Dos", "dosgames", "DOSGames", "Games/DOS", "games/dos", "Games/dos"}) {
        const QString dir = JoinPath(home, QString::fromLatin1(name));
        if (IsDir(dir))
            return dir;
    }
    return JoinPath(home, QStringLiteral("dos"));
}

void InitVersion(TBasicSettings &settings)
{
    TDosBoxVariant variant;
    UpdateDosBoxInfo(settings.DosBoxPath, settings.DosBoxDesc, variant);
    settings.IsStaging = variant.Staging;
    settings.DosBoxVersion = variant.Version;
}
