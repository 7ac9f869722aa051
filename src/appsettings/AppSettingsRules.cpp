#include "appsettings/AppSettingsRules.h"

#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QFileInfo>
#include <array>

namespace {

constexpr int MaxSpeedValue = 1000000;

constexpr std::array<int, 7> CyclesSteps{-1, 0, 5000, 10000, 25000, 50000, MaxSpeedValue};
constexpr std::array<int, 7> RealSpeedSteps{-1, 3000, 5000, 10000, 25000, 50000, MaxSpeedValue};
constexpr std::array<int, 8> ProtSpeedSteps{-1,    0,      10000,  20000,
                                            60000, 100000, 200000, MaxSpeedValue};
constexpr std::array<int, 7> MemSizes{0, 8, 16, 24, 32, 48, 64};

// The first step at or above the value; the last step above them all. Index
// 0 (default) is never chosen here.
template <std::size_t N> int SnapUp(const std::array<int, N> &steps, int value, int first)
{
    for (int i = first; i < int(N) - 1; ++i) {
        if (value <= steps[i])
            return i;
    }
    return int(N) - 1;
}

template <std::size_t N> int StepValue(const std::array<int, N> &steps, int index)
{
    if (index < 0 || index >= int(N))
        return steps[0];
    return steps[index];
}

QString CyclesNumber(int cycles)
{
    return cycles == MaxSpeedValue ? QStringLiteral("max") : QString::number(cycles);
}

bool NeedsMixerQuotes(const QString &item)
{
    for (const QChar c : item) {
        if (IsWhiteSpace(c) || c == u';' || c == u'"')
            return true;
    }
    return false;
}

} // namespace

int CyclesIndex(int realSpeed)
{
    if (realSpeed < 0)
        return 0;
    if (realSpeed == 0)
        return 1;
    return SnapUp(CyclesSteps, realSpeed, 2);
}

int CyclesValue(int index)
{
    return StepValue(CyclesSteps, index);
}

int RealSpeedIndex(int realSpeed)
{
    if (realSpeed < 0)
        return 0;
    return SnapUp(RealSpeedSteps, realSpeed, 1);
}

int RealSpeedValue(int index)
{
    return StepValue(RealSpeedSteps, index);
}

int ProtSpeedIndex(int protSpeed)
{
    if (protSpeed < 0)
        return 0;
    if (protSpeed == 0)
        return 1;
    return SnapUp(ProtSpeedSteps, protSpeed, 2);
}

int ProtSpeedValue(int index)
{
    return StepValue(ProtSpeedSteps, index);
}

int OnOffIndex(int value)
{
    if (value < 0)
        return 0;
    return value == 0 ? 1 : 2;
}

int OnOffValue(int index)
{
    return index >= 0 && index <= 2 ? index - 1 : -1;
}

int MemSizeIndex(int memSize)
{
    if (memSize <= 0)
        return 0;
    for (int i = 1; i < int(MemSizes.size()); ++i) {
        if (memSize <= MemSizes[i])
            return i;
    }
    return 0;
}

int MemSizeValue(int index)
{
    return StepValue(MemSizes, index);
}

QString CyclesHint(int defaultCycles)
{
    if (defaultCycles < 0)
        return {};
    if (defaultCycles == 0)
        return QStringLiteral("auto");
    return CyclesNumber(defaultCycles);
}

QString RealSpeedHint(int defaultCycles)
{
    return defaultCycles < 0 ? QString() : CyclesNumber(defaultCycles);
}

QString ProtSpeedHint(int defaultCycles)
{
    return CyclesHint(defaultCycles);
}

QString OnOffHint(int defaultValue)
{
    if (defaultValue < 0)
        return {};
    return defaultValue == 0 ? _("On") : _("Off");
}

QString MemSizeHint(int defaultSize)
{
    return defaultSize >= 1 ? QString::number(defaultSize) + QStringLiteral(" MB") : QString();
}

QString MixerChannelName(int index)
{
    // TRANSLATORS: Channels of the DOSBox mixer; the names of sound cards
    // (Disney, Gravis UltraSound, Sound Blaster) stay as written.
    static const std::array<QString, MixerChannelCount> names{
        N_("Master"),        N_("Disney"),    N_("Speaker"),  N_("Gravis UltraSound"),
        N_("Sound Blaster"), N_("FM Stereo"), N_("CD Audio"),
    };
    return index >= 0 && index < MixerChannelCount ? names[index] : QString();
}

QString MixerChannelCode(int index)
{
    static const std::array<QString, MixerChannelCount> codes{
        QStringLiteral("MASTER"),  QStringLiteral("DISNEY"), QStringLiteral("SPKR"),
        QStringLiteral("GUS"),     QStringLiteral("SB"),     QStringLiteral("FM"),
        QStringLiteral("CDAUDIO"),
    };
    return index >= 0 && index < MixerChannelCount ? codes[index] : QString();
}

int MixerChannelOfCode(const QString &code)
{
    for (int i = 0; i < MixerChannelCount; ++i) {
        if (SameText(code, MixerChannelCode(i)))
            return i;
    }
    return CdAudioChannel;
}

int RoundToFive(int position)
{
    return (position + 2) / 5 * 5;
}

TMixerEntry ParseMixerEntry(const QString &entry)
{
    TMixerEntry result;
    QString rest = entry;
    result.Code = ReadNextItem(rest, u' ').trimmed();
    result.Left = ReadNextInt(rest, u':', 100);
    result.Right = ReadNextInt(rest, u':', 100);
    return result;
}

QString MixerEntryText(const QString &code, int left, int right)
{
    return code + u' ' + QString::number(left) + u':' + QString::number(right);
}

QString MixerChannelsText(const QStringList &items)
{
    QString text;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += u';';
        const QString &item = items.at(i);
        if (NeedsMixerQuotes(item)) {
            QString inner = item;
            inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            text += u'"' + inner + u'"';
        } else {
            text += item;
        }
    }
    return text;
}

QStringList MixerChannelsList(const QString &text)
{
    return DelimitedTextToList(text, u';', u'"');
}

QString ReplaceDriveLetter(const QString &commands, const QString &oldDrive,
                           const QString &newDrive)
{
    if (oldDrive.isEmpty())
        return commands;
    QString result = commands;
    result.replace(oldDrive + u':', newDrive + u':', Qt::CaseInsensitive);
    return result;
}

QStringList SplitCommands(const QString &commands)
{
    QStringList list;
    QString rest = commands;
    while (!rest.isEmpty())
        list.append(ReadNextItem(rest, u';'));
    return list;
}

QString JoinCommands(const QStringList &commands)
{
    return commands.join(u';');
}

bool ProgramPathBelow(const QString &appPath, const QString &file, QString &dosPath)
{
    if (appPath.isEmpty() || file.isEmpty())
        return false;
    QString base = appPath;
    QString path = file;
    if (!IsSubPath(base, path)) {
        // The chooser may hand back the real path of a folder that the entry
        // names through a symbolic link, or the other way round.
        base = QFileInfo(appPath).canonicalFilePath();
        path = QFileInfo(file).canonicalFilePath();
        if (base.isEmpty() || path.isEmpty() || !IsSubPath(base, path))
            return false;
    }
    QString relative = MakeRelativePath(base, path);
    if (relative.isEmpty() || relative == path)
        return false;
    if (PathDelimiter() != u'\\')
        relative.replace(PathDelimiter(), u'\\');
    dosPath = relative;
    return true;
}

TTypedPathCheck CheckTypedPaths(const QString &appPath, QString &program)
{
    if (!IsDir(appPath))
        return TTypedPathCheck::tpNoFolder;
    if (program.isEmpty())
        return TTypedPathCheck::tpOk;
    if (program.startsWith(u'/')) {
        QString dosPath;
        if (!ProgramPathBelow(appPath, program, dosPath))
            return TTypedPathCheck::tpProgramOutside;
        program = dosPath;
        return TTypedPathCheck::tpOk;
    }
    // DOS paths: a drive or a way up leaves the mounted folder.
    const QStringList parts = QString(program).replace(u'/', u'\\').split(u'\\');
    if (program.contains(u':') || program.startsWith(u'\\') || parts.contains(QStringLiteral("..")))
        return TTypedPathCheck::tpProgramOutside;
    return TTypedPathCheck::tpOk;
}

QString IsoFileListText(const QStringList &files)
{
    QString text;
    for (const QString &file : files)
        text += QuoteIfBlank(file) + u' ';
    return text;
}

QString StoredCategory(const QString &text, const QString &defaultCategory)
{
    const QString category = text.trimmed();
    return SameText(category, defaultCategory) ? QString() : category;
}
