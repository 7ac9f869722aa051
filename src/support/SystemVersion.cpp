#include "support/SystemVersion.h"

#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

constexpr qsizetype MaxAnswerSize = 64 * 1024;

// The emulator's own spellings, so that descriptions read alike whichever
// build answered.
QString KnownProductName(const QString &name)
{
    QString key = name.toLower();
    key.replace(u'-', u' ').replace(u'_', u' ');
    if (key == QLatin1String("dosbox"))
        return QStringLiteral("DOSBox");
    if (key == QLatin1String("dosbox staging"))
        return QStringLiteral("DOSBox Staging");
    return name;
}

QString ProductNameBefore(QString text)
{
    static const QRegularExpression versionWord(QStringLiteral("\\bversion\\s*:?\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression prefixV(QStringLiteral("\\s[vV]$"));
    text.remove(prefixV);
    text.remove(versionWord);
    while (!text.isEmpty() && (text.back().isSpace() || text.back() == u',' ||
                               text.back() == u':' || text.back() == u'-'))
        text.chop(1);
    return KnownProductName(text.trimmed());
}

QString StripTerminalCodes(QString text)
{
    static const QRegularExpression escapes(QStringLiteral("\x1b\\[[0-9;?]*[A-Za-z]"));
    text.remove(escapes);
    text.remove(u'\r');
    return text;
}

} // namespace

bool ParseVersionAnswer(const QString &answer, const QString &fallbackName, TFileVersionInfo &info)
{
    info = {};
    // A dotted number, optionally followed by a packaging revision ("0.74-3").
    static const QRegularExpression number(
        QStringLiteral("(?<![\\w.])[vV]?(\\d+(?:\\.\\d+)+)(?:-(\\d+)(?![\\w.]))?"));
    static const QRegularExpression copyright(QStringLiteral("\\bcopyright\\b.*$"),
                                              QRegularExpression::CaseInsensitiveOption);

    const QStringList lines = StripTerminalCodes(answer).split(u'\n');
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = number.match(line);
        if (!m.hasMatch())
            continue;
        QString version = m.captured(1);
        if (m.hasCaptured(2))
            version += u'.' + m.captured(2);
        QString name = ProductNameBefore(line.left(m.capturedStart()));
        if (name.isEmpty())
            name = fallbackName;
        info.Description = name;
        info.ProductName = name;
        info.InternalName = name;
        info.Version = version;
        info.ProductVersion = version;
        break;
    }
    if (info.Version.isEmpty())
        return false;
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = copyright.match(line);
        if (m.hasMatch()) {
            info.Copyright = m.captured().trimmed();
            break;
        }
    }
    return true;
}

bool ReadProgramAnswer(const QString &fileName, const QStringList &arguments, int timeoutMs,
                       QString &answerText, TAnswerChannels channels)
{
    answerText.clear();
    const QFileInfo file(fileName);
    if (!file.isFile() || !file.isExecutable())
        return false;

    QProcess process;
    process.setProgram(file.absoluteFilePath());
    process.setArguments(arguments);
    process.setWorkingDirectory(file.absolutePath());
    if (channels == TAnswerChannels::Both)
        process.setProcessChannelMode(QProcess::MergedChannels);
    else
        process.setStandardErrorFile(QProcess::nullDevice()); // never blocks on a full pipe
    process.setStandardInputFile(QProcess::nullDevice());
    // An emulator must not open a window or a sound device just to answer.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(env);

    QElapsedTimer clock;
    clock.start();
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(timeoutMs))
        return false;

    QByteArray answer;
    bool timedOut = false;
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        process.waitForReadyRead(int(left));
        answer += process.read(MaxAnswerSize - answer.size());
        if (answer.size() >= MaxAnswerSize)
            break; // enough to know; the rest is no short answer
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    if (timedOut)
        return false;
    answer += process.read(MaxAnswerSize - answer.size());
    answerText = QString::fromLocal8Bit(answer);
    return true;
}

bool ReadVersionInfo(const QString &fileName, TFileVersionInfo &info, int timeoutMs)
{
    info = {};
    QString answer;
    return ReadProgramAnswer(fileName, {QStringLiteral("--version")}, timeoutMs, answer) &&
           ParseVersionAnswer(answer, QFileInfo(fileName).completeBaseName(), info);
}

TVersionNumbers ParseVersionNumbers(const QString &text)
{
    int numbers[4] = {0, 0, 0, 0};
    QString rest = text;
    for (int &n : numbers) {
        const QChar sep = rest.contains(u'.') ? u'.' : u',';
        const QString part = ReadNextItem(rest, sep);
        // Leading blanks are allowed, anything after the digits is not.
        bool ok = false;
        const int value = StripLeading(part, u' ').toInt(&ok, 10);
        if (!ok || part.isEmpty() || part.back().isSpace())
            break;
        n = value;
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

QString FileVersionText(const QString &fileName, const QString &def)
{
    TFileVersionInfo info;
    if (!ReadVersionInfo(fileName, info))
        return def;
    const qsizetype dot = info.Version.lastIndexOf(u'.');
    return dot < 0 ? info.Version : info.Version.left(dot);
}
