#pragma once

#include <QString>
#include <QStringList>

// Version texts of a program file. On Linux a program has no version
// resource: it is asked with "--version" and its answer is read instead.
struct TFileVersionInfo
{
    QString Company;
    QString Description;
    QString Version;
    QString InternalName;
    QString Copyright;
    QString Comments;
    QString ProductName;
    QString ProductVersion;
};

// Major, minor, release and build number; 0 where the text gave none.
struct TVersionNumbers
{
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Build = 0;

    friend bool operator==(const TVersionNumbers &, const TVersionNumbers &) = default;
};

// Which of a program's output channels an answer holds.
enum class TAnswerChannels
{
    Both,       // standard output and error, as they come
    OutputOnly, // standard output; what the program logs on error is dropped
};

// Runs the program with the arguments in its own folder, without a shell,
// a window or a sound device, and gives what it printed (capped at 64 KiB).
// False when the file is no executable program, does not start or does not
// end within timeoutMs.
bool ReadProgramAnswer(const QString &fileName, const QStringList &arguments, int timeoutMs,
                       QString &answer, TAnswerChannels channels = TAnswerChannels::Both);

// Runs the program with "--version" (no shell, a few seconds at most, output
// capped) and fills info from its answer. False when the file is no
// executable program or gives no version number; info is then cleared.
bool ReadVersionInfo(const QString &fileName, TFileVersionInfo &info, int timeoutMs = 3000);

// Reads the answer of "program --version": the product name and the first
// dotted version number ("0.74-3" reads as "0.74.3"). False when the text
// holds no dotted number.
bool ParseVersionAnswer(const QString &answer, const QString &fallbackName, TFileVersionInfo &info);

// Up to four integers from the front of text, separated by "." (or by ","
// when the rest holds no "."); parsing stops at the first part that is no
// integer.
TVersionNumbers ParseVersionNumbers(const QString &text);

// The version of the program without its last "." part, or def when it has
// none that can be read.
QString FileVersionText(const QString &fileName, const QString &def);
