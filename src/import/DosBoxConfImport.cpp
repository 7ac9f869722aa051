#include "import/DosBoxConfImport.h"

#include "emulator/DosBoxInterface.h"
#include "import/ImportRules.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

using namespace DosBox;

namespace {

struct TSections
{
    QHash<QString, QHash<QString, QString>> Values; // section → key → value
    QStringList Autoexec;
};

// Sections as the emulator reads them: "#" and "%" lines are comments
// everywhere, [autoexec] keeps its lines as they are.
TSections ReadSections(const QString &text)
{
    TSections result;
    QString section;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u'%'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        if (section == SecAutoexec) {
            result.Autoexec.append(line);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && !section.isEmpty()) {
            QHash<QString, QString> &keys = result.Values[section];
            const QString key = line.left(eq).trimmed().toLower();
            if (!keys.contains(key))
                keys.insert(key, line.mid(eq + 1).trimmed());
        }
    }
    return result;
}

bool ParseInt(const QString &text, int &value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

int Cycles(const QString &text)
{
    const QString value = text.trimmed().toLower();
    int n = 0;
    if (value.startsWith(ValAuto))
        return 0;
    if (value.startsWith(ValMax))
        return MaxSpeed;
    if (value.startsWith(ValFixed))
        return ParseInt(value.mid(ValFixed.size()), n) && n > 0 ? n : DefaultSetting;
    return ParseInt(value, n) && n > 0 ? n : DefaultSetting;
}

// 0 on, 1 off, -1 unknown, as the entry keeps its switches.
int Switch(const QString &text)
{
    const QString value = text.trimmed().toLower();
    if (value == ValTrue || value == ValOn || value == u"1" || value == u"emsboard" ||
        value == u"emm386")
        return 0;
    if (value == u"false" || value == ValOff || value == u"0")
        return 1;
    return DefaultSetting;
}

void ReadSettings(const TSections &sections, TConfImport &conf)
{
    const auto value = [&](const QString &section, const QString &key) {
        return sections.Values.value(section).value(key);
    };
    QString cycles = value(SecCpu, KeyCpuCycles);
    if (cycles.isEmpty())
        cycles = value(SecCpu, KeyCycles);
    conf.Speed.RealSpeed = Cycles(cycles);
    QString protectedCycles = value(SecCpu, KeyCpuCyclesProtected);
    if (protectedCycles.isEmpty())
        protectedCycles = value(SecCpu, KeyCpuCyclesProtectedBlank);
    conf.Speed.ProtSpeed = Cycles(protectedCycles);
    conf.Speed.Throttle = Switch(value(SecCpu, KeyCpuThrottle));
    int memSize = 0;
    if (ParseInt(value(SecDosBox, KeyMemSize), memSize) && memSize > 0)
        conf.MemSize = memSize;
    conf.MemManage.XMS = Switch(value(SecDos, KeyXms));
    conf.MemManage.EMS = Switch(value(SecDos, KeyEms));
    conf.MemManage.UMB = Switch(value(SecDos, KeyUmb));
    const int fullScreen = Switch(value(SecSdl, KeyFullScreen));
    conf.FullScreen = fullScreen < 0 ? -1 : 1 - fullScreen;
}

// Words of a DOS command line; double quotes keep blanks inside a word.
QStringList Tokens(const QString &line)
{
    QStringList tokens;
    QString token;
    bool quoted = false;
    bool any = false;
    for (const QChar c : line) {
        if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c.isSpace() && !quoted) {
            if (any)
                tokens.append(token);
            token.clear();
            any = false;
        } else {
            token.append(c);
            any = true;
        }
    }
    if (any)
        tokens.append(token);
    return tokens;
}

struct TMount
{
    QChar Drive;
    QStringList Paths;
    QString Type;
    bool Unmount = false;
    bool OtherOptions = false;
};

TMount ParseMount(const QStringList &tokens)
{
    static const QStringList withValue{QStringLiteral("-t"),        QStringLiteral("-fs"),
                                       QStringLiteral("-size"),     QStringLiteral("-label"),
                                       QStringLiteral("-freesize"), QStringLiteral("-ide"),
                                       QStringLiteral("-usecd"),    QStringLiteral("-ioctl")};
    TMount mount;
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        const QString token = tokens.at(i);
        if (token.startsWith(u'-') && token.size() > 1) {
            const QString option = token.toLower();
            if (option == u"-u")
                mount.Unmount = true;
            else if (option == u"-t" && i + 1 < tokens.size())
                mount.Type = tokens.at(++i).toLower();
            else if (withValue.contains(option) && i + 1 < tokens.size())
                mount.OtherOptions = ++i > 0;
            else
                mount.OtherOptions = true;
        } else if (mount.Drive.isNull() && token.size() <= 2 && token.front().isLetter() &&
                   (token.size() == 1 || token.at(1) == u':')) {
            mount.Drive = token.front().toUpper();
        } else {
            mount.Paths.append(token);
        }
    }
    return mount;
}

// A path of the file as the emulator takes it: "~" is the home folder,
// relative paths start in the file's folder.
QString HostPath(const QString &path, const QString &confDir, bool &relative)
{
    QString result = path;
    if (result == u"~" || result.startsWith(QStringLiteral("~/")))
        result = QDir::homePath() + result.mid(1);
    if (!IsAbsolutePath(result)) {
        relative = true;
        if (PathDelimiter() == u'/')
            result.replace(u'\\', u'/');
        result = MakeAbsolutePath(confDir, result);
    }
    return QDir::cleanPath(result);
}

// The file of a DOS path below a host folder, with the names' letter case
// ignored as DOS does; empty when there is none.
QString FindInFolder(const QString &folder, const QStringList &dosNames)
{
    QStringList dirs{folder}; // DOS stops ".." at the drive's root
    for (qsizetype i = 0; i < dosNames.size(); ++i) {
        const QString &name = dosNames.at(i);
        const QString dir = dirs.back();
        if (name.isEmpty() || name == u".")
            continue;
        if (name == u"..") {
            if (dirs.size() > 1)
                dirs.removeLast();
            continue;
        }
        const QDir::Filters filter = i + 1 < dosNames.size() ? QDir::Dirs : QDir::Files;
        const QStringList entries =
            QDir(dir).entryList(filter | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        const auto found = std::find_if(entries.cbegin(), entries.cend(), [&](const QString &e) {
            return e.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (found == entries.cend())
            return {};
        dirs.append(JoinPath(dir, *found));
    }
    return dirs.back();
}

bool IsInternalCommand(const QString &word)
{
    static const QStringList internal{
        QStringLiteral("ECHO"),    QStringLiteral("CLS"),    QStringLiteral("SET"),
        QStringLiteral("PATH"),    QStringLiteral("KEYB"),   QStringLiteral("MIXER"),
        QStringLiteral("CONFIG"),  QStringLiteral("PAUSE"),  QStringLiteral("TYPE"),
        QStringLiteral("DIR"),     QStringLiteral("PROMPT"), QStringLiteral("SERIAL"),
        QStringLiteral("IPX"),     QStringLiteral("IPXNET"), QStringLiteral("CHOICE"),
        QStringLiteral("COPY"),    QStringLiteral("DEL"),    QStringLiteral("MD"),
        QStringLiteral("MKDIR"),   QStringLiteral("RD"),     QStringLiteral("VER"),
        QStringLiteral("GOTO"),    QStringLiteral("IF"),     QStringLiteral("DATE"),
        QStringLiteral("TIME"),    QStringLiteral("RESCAN"), QStringLiteral("LOADFIX"),
        QStringLiteral("MEM"),     QStringLiteral("SUBST"),  QStringLiteral("REN"),
        QStringLiteral("VOL"),     QStringLiteral("LABEL"),  QStringLiteral("MOUNT"),
        QStringLiteral("IMGMOUNT")};
    return internal.contains(word);
}

// A word DOS could take for a program name ("GAME", "C:\\X\\GO.BAT").
bool LooksLikeProgram(const QString &word)
{
    static const QRegularExpression name(QStringLiteral("^[\\w~!#$&'()^{}\\-.\\\\:]+$"));
    return name.match(word).hasMatch();
}

class TAutoexecReader
{
public:
    TAutoexecReader(TConfImport &conf, const QString &confDir) : m_conf(conf), m_confDir(confDir) {}
    void Read(const QStringList &lines);

private:
    bool Mount(const QStringList &tokens, const QString &line);
    bool ImgMount(const QStringList &tokens, const QString &line);
    void ChangeDir(const QString &arg);
    bool StartsProgram(const QString &line);
    void Overflow(const QString &reason)
    {
        if (!m_conf.Overflow.contains(reason))
            m_conf.Overflow.append(reason);
    }

    TConfImport &m_conf;
    QString m_confDir;
    QChar m_drive = u'Z';
    QHash<QChar, QStringList> m_cwd; // per drive, DOS names below the root
    bool m_hardDriveSet = false;
    bool m_cdSet = false;
    // The first line that is likely a program when no line names one that exists.
    qsizetype m_fallback = -1;
};

bool TAutoexecReader::Mount(const QStringList &tokens, const QString &line)
{
    const TMount mount = ParseMount(tokens);
    if (mount.Drive.isNull() && !mount.Unmount)
        return false; // lists the drives
    if (mount.Unmount || mount.Paths.size() != 1) {
        Overflow(SafeFormat(_("changes the drives in an unusual way (%s)"), line));
        return true;
    }
    const QString path = HostPath(mount.Paths.first(), m_confDir, m_conf.RelativePaths);
    if (mount.Type == u"cdrom" || mount.Type == u"iso" || mount.Type == u"floppy") {
        Overflow(SafeFormat(_("mounts a folder as CD or floppy drive (%s)"), line));
        return true;
    }
    if (m_hardDriveSet) {
        Overflow(_("mounts several hard drives"));
        return true;
    }
    m_hardDriveSet = true;
    m_conf.HardDrv = mount.Drive;
    m_conf.AppPath = path;
    if (mount.OtherOptions || !(mount.Type.isEmpty() || mount.Type == u"dir"))
        Overflow(SafeFormat(_("mounts with options (%s)"), line));
    return true;
}

bool TAutoexecReader::ImgMount(const QStringList &tokens, const QString &line)
{
    const TMount mount = ParseMount(tokens);
    if (mount.Drive.isNull() || mount.Unmount || mount.Paths.isEmpty() ||
        !(mount.Type == u"iso" || mount.Type == u"cdrom")) {
        Overflow(SafeFormat(_("mounts a disk image (%s)"), line));
        return true;
    }
    if (m_cdSet) {
        Overflow(_("mounts several CD drives"));
        return true;
    }
    m_cdSet = true;
    m_conf.CdDrv = mount.Drive;
    for (const QString &image : mount.Paths)
        m_conf.CdImages.append(HostPath(image, m_confDir, m_conf.RelativePaths));
    return true;
}

void TAutoexecReader::ChangeDir(const QString &arg)
{
    QString path = arg.trimmed();
    QChar drive = m_drive;
    if (path.size() >= 2 && path.at(1) == u':') {
        drive = path.front().toUpper();
        path = path.mid(2);
    }
    if (path.isEmpty())
        return; // "CD" alone shows the folder
    QStringList &cwd = m_cwd[drive];
    if (path.startsWith(u'\\') || path.startsWith(u'/'))
        cwd.clear();
    for (const QString &name : path.split(QRegularExpression(QStringLiteral("[\\\\/]")))) {
        if (name == u"..") {
            if (!cwd.isEmpty())
                cwd.removeLast();
        } else if (!name.isEmpty() && name != u".") {
            cwd.append(name);
        }
    }
}

// A line whose first word names a program in the mounted folder, followed
// through the drive and folder changes so far.
bool TAutoexecReader::StartsProgram(const QString &line)
{
    if (!m_hardDriveSet)
        return false;
    QString rest = line;
    if (rest.startsWith(u'@'))
        rest = rest.mid(1);
    if (rest.startsWith(CmdCall, Qt::CaseInsensitive))
        rest = rest.mid(CmdCall.size()).trimmed();
    const qsizetype end = rest.indexOf(QRegularExpression(QStringLiteral("[ \t/]")));
    const QString word = end < 0 ? rest : rest.left(end);
    QString dosPath = word;
    QChar drive = m_drive;
    if (dosPath.size() >= 2 && dosPath.at(1) == u':') {
        drive = dosPath.front().toUpper();
        dosPath = dosPath.mid(2);
    }
    if (drive != m_conf.HardDrv || dosPath.isEmpty())
        return false;
    QStringList names = dosPath.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    if (!dosPath.startsWith(u'\\') && !dosPath.startsWith(u'/'))
        names = m_cwd.value(drive) + names;
    const QString last = names.takeLast();
    const QStringList tries = IsProgramFile(last) ? QStringList{last}
                                                  : QStringList{last + QStringLiteral(".com"),
                                                                last + QStringLiteral(".exe"),
                                                                last + QStringLiteral(".bat")};
    for (const QString &name : tries) {
        const QString found = FindInFolder(m_conf.AppPath, names + QStringList{name});
        if (found.isEmpty() || !IsProgramFile(found))
            continue;
        // The folders as the line writes them, the file's real name.
        const qsizetype slash = std::max(word.lastIndexOf(u'\\'), word.lastIndexOf(u'/'));
        const qsizetype prefix = slash >= 0 ? slash + 1 : word.indexOf(u':') + 1;
        m_conf.AppFile = word.left(prefix) + ExtractFileName(found);
        m_conf.Parameters = end < 0 ? QString() : rest.mid(end).trimmed();
        return true;
    }
    return false;
}

void TAutoexecReader::Read(const QStringList &lines)
{
    bool afterProgram = false;
    for (const QString &line : lines) {
        const QStringList tokens = Tokens(line);
        if (tokens.isEmpty())
            continue;
        QString word = tokens.first().toUpper();
        if (word.startsWith(u'@'))
            word = word.mid(1);
        if (word == u"REM" || line.startsWith(QStringLiteral("::")))
            continue;
        m_conf.HasAutoexec = true;
        if (word == CmdExit) {
            m_conf.AutoEnd = afterProgram || m_fallback >= 0;
            break;
        }
        if (word == CmdMount.trimmed()) {
            if (afterProgram)
                Overflow(_("mounts drives after starting the program"));
            else if (Mount(tokens, line))
                continue;
        } else if (word == CmdImgMount.trimmed()) {
            if (afterProgram)
                Overflow(_("mounts drives after starting the program"));
            else if (ImgMount(tokens, line))
                continue;
        } else if (word == CmdBoot) {
            Overflow(_("boots from a disk image"));
            continue;
        }
        if (line.contains(u';'))
            Overflow(SafeFormat(_("holds a command with \";\" (%s)"), line));
        if (afterProgram) {
            m_conf.ExitCommands.append(line);
            continue;
        }
        static const QRegularExpression driveChange(QStringLiteral("^[A-Za-z]:\\\\?$"));
        static const QRegularExpression cd(QStringLiteral("^(cd|chdir)(?=[\\s\\\\/.]|$)(.*)$"),
                                           QRegularExpression::CaseInsensitiveOption);
        if (driveChange.match(line).hasMatch()) {
            m_drive = line.front().toUpper();
        } else if (const auto match = cd.match(line); match.hasMatch()) {
            ChangeDir(match.captured(2));
        } else if (StartsProgram(line)) {
            afterProgram = true;
            continue;
        } else if (m_fallback < 0 && !IsInternalCommand(word) && LooksLikeProgram(word)) {
            m_fallback = m_conf.Commands.size();
        }
        m_conf.Commands.append(line);
    }
    if (afterProgram || m_fallback < 0)
        return;
    // No line names a program found in the folder (it may lie on the CD):
    // the first line that is no DOS command of its own starts the program.
    const QString line = m_conf.Commands.at(m_fallback);
    const qsizetype blank = line.indexOf(u' ');
    QString program = blank < 0 ? line : line.left(blank);
    if (program.startsWith(u'@'))
        program = program.mid(1);
    m_conf.AppFile = program;
    m_conf.Parameters = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
    m_conf.ExitCommands = m_conf.Commands.mid(m_fallback + 1);
    m_conf.Commands = m_conf.Commands.mid(0, m_fallback);
}

} // namespace

TConfImport ParseDosBoxConf(const QString &text, const QString &fileName)
{
    TConfImport conf;
    conf.ConfFile = fileName;
    const TSections sections = ReadSections(text);
    ReadSettings(sections, conf);
    TAutoexecReader(conf, ExtractFilePath(fileName)).Read(sections.Autoexec);
    return conf;
}

TConfImport ReadDosBoxConf(const QString &fileName)
{
    QFile file(fileName);
    TConfImport failed;
    failed.ConfFile = fileName;
    if (!file.open(QIODevice::ReadOnly)) {
        failed.Error = file.errorString();
        return failed;
    }
    if (file.size() > MaxConfSize) {
        failed.Error = _("The file is too large.");
        return failed;
    }
    return ParseDosBoxConf(DecodeTextFile(file.read(MaxConfSize)), fileName);
}
