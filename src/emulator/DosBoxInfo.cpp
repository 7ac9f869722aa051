#include "emulator/DosBoxInfo.h"

#include "emulator/DosBoxInterface.h"
#include "support/PathUtils.h"
#include "support/SystemVersion.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

void UpdateDosBoxInfo(const QString &dosBoxPath, QString &desc, TDosBoxVariant &variant)
{
    desc.clear();
    variant = {};
    if (dosBoxPath.isEmpty())
        return;
    QString output;
    if (!ReadProgramAnswer(JoinPath(dosBoxPath, DosBox::ProgramName), {QStringLiteral("--version")},
                           3000, output, TAnswerChannels::OutputOnly))
        return;
    const std::optional<TDosBoxVersionLine> line = ParseDosBoxVersionLine(output);
    if (!line)
        return;
    variant.Staging = line->Staging;
    variant.Version = line->Version;
    desc = DescribeDosBox(*line);
}

QString DescribeDosBox(const TDosBoxVersionLine &line)
{
    const TDosBoxVersion &v = line.Version;
    if (!v.Known)
        return line.Product;
    return line.Product + QStringLiteral(" (") + QString::number(v.Major) + u'.' +
           QString::number(v.Minor) + u'.' + QString::number(v.Release) + v.Suffix + u')';
}

QString EmulatorDefaultConfig(const QString &dosBoxPath)
{
    if (dosBoxPath.isEmpty())
        return {};
    QString answer;
    if (!ReadProgramAnswer(JoinPath(dosBoxPath, DosBox::ProgramName), {DosBox::OptPrintConf}, 3000,
                           answer, TAnswerChannels::OutputOnly))
        return {};
    // The path is the last line; banners may come before it, the log (with
    // warnings about the file itself) goes elsewhere.
    const QStringList lines = answer.split(u'\n', Qt::SkipEmptyParts);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString file = line->trimmed();
        if (file.isEmpty())
            continue;
        return IsAbsolutePath(file) && IsFile(file) ? file : QString();
    }
    return {};
}

QString FindDosBoxDirIn(const QStringList &searchDirs, const QString &optDir)
{
    const QStringList pattern{QStringLiteral("dosbox*")};
    for (const QString &dir : searchDirs) {
        if (dir.isEmpty())
            continue;
        const QFileInfoList found =
            QDir(dir).entryInfoList(pattern, QDir::Files | QDir::Executable, QDir::Name);
        if (!found.isEmpty())
            return dir;
    }
    if (optDir.isEmpty())
        return {};
    const QFileInfoList found = QDir(optDir).entryInfoList(
        pattern, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    return found.isEmpty() ? QString() : found.first().absoluteFilePath();
}

QString FindDosBoxDir()
{
    const QStringList path =
        qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return FindDosBoxDirIn(path, QStringLiteral("/opt"));
}

int ClassicLayoutCodePage(const QString &layout)
{
    // Measured with Debian's DOSBox 0.74-3: "keyb CODE", then "keyb".
    static const QHash<QString, int> pages = {
        {QStringLiteral("US"), 437}, {QStringLiteral("BG"), 872}, {QStringLiteral("CZ243"), 852},
        {QStringLiteral("GK"), 869}, {QStringLiteral("HR"), 852}, {QStringLiteral("HU"), 852},
        {QStringLiteral("PL"), 852}, {QStringLiteral("SK"), 852}, {QStringLiteral("RU"), 808},
    };
    static const QStringList western = {
        QStringLiteral("BE"), QStringLiteral("BR"), QStringLiteral("CF"), QStringLiteral("DK"),
        QStringLiteral("FR"), QStringLiteral("GR"), QStringLiteral("IT"), QStringLiteral("LA"),
        QStringLiteral("NL"), QStringLiteral("NO"), QStringLiteral("PO"), QStringLiteral("SF"),
        QStringLiteral("SG"), QStringLiteral("SP"), QStringLiteral("SU"), QStringLiteral("SV"),
        QStringLiteral("UK")};
    const QString code = layout.trimmed().toUpper();
    if (western.contains(code))
        return 858;
    return pages.value(code, 0);
}
