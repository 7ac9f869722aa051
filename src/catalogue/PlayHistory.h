#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class TUnicodeIniFile;

// When an entry was last started, how often, and for how long it ran while
// the window that started it was open. Stored in the entry's section
// (LastPlayed in ISO 8601 with the offset from UTC, PlayCount, PlayTime in
// seconds); a file without these keys means never played.
struct TPlayHistory
{
    QDateTime LastPlayed; // invalid: never started
    int PlayCount = 0;
    qint64 PlaySeconds = 0;

    bool operator==(const TPlayHistory &) const = default;
    bool IsEmpty() const { return *this == TPlayHistory(); }
};

// The history's keys in the entry's section.
inline const QString KeyLastPlayed = QStringLiteral("LastPlayed");
inline const QString KeyPlayCount = QStringLiteral("PlayCount");
inline const QString KeyPlayTime = QStringLiteral("PlayTime");

// Sessions shorter than this (a start that failed at once, a wrong entry
// closed again) add no time played.
inline constexpr qint64 MinPlaySeconds = 5;

// One more start at now.
void RecordStart(TPlayHistory &history, const QDateTime &now);
// Adds the time of a session that has ended; false (nothing added) for a
// session shorter than MinPlaySeconds.
bool AddPlayTime(TPlayHistory &history, qint64 seconds);

// The history from the stored values; values that cannot be read count as
// missing.
TPlayHistory ReadPlayHistory(QStringView lastPlayed, QStringView count, QStringView seconds);
TPlayHistory ReadPlayHistory(const TUnicodeIniFile &file, const QString &section);
// Writes the keys of a history that is not empty, and keeps keys the
// section has already up to date, so that entries never started leave
// their sections as they were.
void WritePlayHistory(TUnicodeIniFile &file, const QString &section, const TPlayHistory &history);
// LastPlayed as stored: "2024-05-17T20:15:03+02:00".
QString StoredDateTime(const QDateTime &time);

// Shown in the list: the date and time in the user's short format, the count,
// the time as hours and minutes ("2 h 05 min"); empty for never.
QString LastPlayedText(const TPlayHistory &history);
QString PlayCountText(const TPlayHistory &history);
QString PlayTimeText(qint64 seconds);
// The lines of an entry's tool tip about its history.
QStringList PlayHistoryLines(const TPlayHistory &history);
