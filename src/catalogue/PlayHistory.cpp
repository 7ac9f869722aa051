#include "catalogue/PlayHistory.h"

#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/StringUtils.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>
#include <limits>

void RecordStart(TPlayHistory &history, const QDateTime &now)
{
    // Whole seconds, as stored: the order by last played stays the same
    // after the next load.
    history.LastPlayed = now.addMSecs(-(now.toMSecsSinceEpoch() % 1000));
    if (history.PlayCount < std::numeric_limits<int>::max())
        ++history.PlayCount;
}

bool AddPlayTime(TPlayHistory &history, qint64 seconds)
{
    if (seconds < MinPlaySeconds)
        return false;
    history.PlaySeconds =
        qMin(history.PlaySeconds, std::numeric_limits<qint64>::max() - seconds) + seconds;
    return true;
}

TPlayHistory ReadPlayHistory(QStringView lastPlayed, QStringView count, QStringView seconds)
{
    TPlayHistory history;
    const QDateTime time = QDateTime::fromString(lastPlayed.toString(), Qt::ISODate);
    if (time.isValid())
        history.LastPlayed = time;
    int n = 0;
    if (ParseIniInt(count, n) && n > 0)
        history.PlayCount = n;
    qint64 s = 0;
    if (ParseIniInt64(seconds, s) && s > 0)
        history.PlaySeconds = s;
    return history;
}

TPlayHistory ReadPlayHistory(const TUnicodeIniFile &file, const QString &section)
{
    return ReadPlayHistory(file.ReadString(section, KeyLastPlayed),
                           file.ReadString(section, KeyPlayCount),
                           file.ReadString(section, KeyPlayTime));
}

QString StoredDateTime(const QDateTime &time)
{
    // Whole seconds, with the offset that was in force, so that the text
    // reads the same moment anywhere.
    const QDateTime seconds = QDateTime::fromSecsSinceEpoch(time.toSecsSinceEpoch());
    return seconds.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

void WritePlayHistory(TUnicodeIniFile &file, const QString &section, const TPlayHistory &history)
{
    const bool any = !history.IsEmpty();
    if (any || file.ValueExists(section, KeyLastPlayed))
        file.WriteString(section, KeyLastPlayed,
                         history.LastPlayed.isValid() ? StoredDateTime(history.LastPlayed)
                                                      : QString());
    if (any || file.ValueExists(section, KeyPlayCount))
        file.WriteInteger(section, KeyPlayCount, history.PlayCount);
    if (any || file.ValueExists(section, KeyPlayTime))
        file.WriteInt64(section, KeyPlayTime, history.PlaySeconds);
}

QString LastPlayedText(const TPlayHistory &history)
{
    if (!history.LastPlayed.isValid())
        return {};
    // Minutes are enough; some locales' short format has seconds.
    const QLocale locale = GnuGettext::InterfaceLocale();
    QString format = locale.dateTimeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]ss?(?![a-z])")));
    return locale.toString(history.LastPlayed.toLocalTime(), format);
}

QString PlayCountText(const TPlayHistory &history)
{
    return history.PlayCount > 0 ? GnuGettext::InterfaceLocale().toString(history.PlayCount)
                                 : QString();
}

QString PlayTimeText(qint64 seconds)
{
    if (seconds <= 0)
        return {};
    if (seconds < 60)
        // TRANSLATORS: Time played, in seconds.
        return SafeFormat(_("%d s"), seconds);
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        // TRANSLATORS: Time played, in minutes.
        return SafeFormat(_("%d min"), minutes);
    // TRANSLATORS: Time played, in hours and minutes (2 h 05 min).
    return SafeFormat(_("%d h %.2d min"), minutes / 60, minutes % 60);
}

QStringList PlayHistoryLines(const TPlayHistory &history)
{
    if (history.PlayCount == 0 && !history.LastPlayed.isValid())
        return {_("Never started from Ravelin")};
    QStringList lines;
    if (history.LastPlayed.isValid())
        lines.append(SafeFormat(_("Last started: %s"), LastPlayedText(history)));
    if (history.PlayCount > 0)
        lines.append(SafeFormat(NG_("Started %d time", "Started %d times", history.PlayCount),
                                history.PlayCount));
    if (history.PlaySeconds > 0)
        lines.append(SafeFormat(_("Time played: %s"), PlayTimeText(history.PlaySeconds)));
    return lines;
}
