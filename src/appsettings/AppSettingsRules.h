#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// How the application settings dialog turns an entry's stored values into
// control positions and back. A stored value that falls between two offered
// steps is shown at the next higher step, so OK stores that step.

// Classic emulator, real-mode cycles: default, auto, 5 000 ... 50 000, max.
int CyclesIndex(int realSpeed);
int CyclesValue(int index);
// DOSBox Staging, real mode: default, 3 000 ... 50 000, max (no "auto": a
// stored 0 shows as 3 000, which is what the emulator gets for it).
int RealSpeedIndex(int realSpeed);
int RealSpeedValue(int index);
// DOSBox Staging, protected mode: default, auto, 10 000 ... 200 000, max.
int ProtSpeedIndex(int protSpeed);
int ProtSpeedValue(int index);
// Default, on, off for -1, 0, 1; other stored numbers count as the emulator
// reads them (below 0 default, above 0 off).
int OnOffIndex(int value);
int OnOffValue(int index);
// Memory size in MB: default (0), 8, 16, 24, 32, 48, 64; a size above 64
// shows as default.
int MemSizeIndex(int memSize);
int MemSizeValue(int index);

// The hints that tell which value a box at "default" leaves to the emulator
// configuration; empty when that configuration says nothing usable.
QString CyclesHint(int defaultCycles);
QString RealSpeedHint(int defaultCycles);
QString ProtSpeedHint(int defaultCycles);
QString OnOffHint(int defaultValue);
QString MemSizeHint(int defaultSize);

// Mixer channels: display name (design text) and the emulator's code.
inline constexpr int MixerChannelCount = 7;
inline constexpr int CdAudioChannel = 6;
QString MixerChannelName(int index);
QString MixerChannelCode(int index);
// The channel of a code (any case); CD audio for an unknown code.
int MixerChannelOfCode(const QString &code);

// The multiple of 5 nearest to a slider position.
int RoundToFive(int position);

// One mixer entry «CODE LEFT:RIGHT»; a volume that is missing or not a
// number reads as 100.
struct TMixerEntry
{
    QString Code;
    int Left = 100;
    int Right = 100;
};
TMixerEntry ParseMixerEntry(const QString &entry);
QString MixerEntryText(const QString &code, int left, int right);

// The mixer list as stored: items separated by ";", every item holding a
// blank, a control character, ";" or a double quote in double quotes.
QString MixerChannelsText(const QStringList &items);
// Reads it back: items end at ";" and at unquoted white space, quotes are
// removed, a ";" at the very end adds an empty item.
QStringList MixerChannelsList(const QString &text);

// Every "X:" of the old drive letter (any case) becomes the new letter.
QString ReplaceDriveLetter(const QString &commands, const QString &oldDrive,
                           const QString &newDrive);

// A command list split at every ";" and joined again.
QStringList SplitCommands(const QString &commands);
QString JoinCommands(const QStringList &commands);

// The program file as the emulator sees it on the mounted drive: relative
// to the mounted folder, DOS delimiters. False when the file does not lie
// below the folder (or the folder is empty).
bool ProgramPathBelow(const QString &appPath, const QString &file, QString &dosPath);

// What OK finds wrong with the typed folder and program. A program typed as
// an absolute path inside the folder becomes its DOS path there.
enum class TTypedPathCheck
{
    tpOk,
    tpNoFolder,      // the folder to mount does not exist
    tpProgramOutside // the program lies outside the mounted folder
};
TTypedPathCheck CheckTypedPaths(const QString &appPath, QString &program);

// The image files for the CD field: each in quotes when it holds a blank,
// each followed by one blank.
QString IsoFileListText(const QStringList &files);

// The category as stored: empty for the default category (any case).
QString StoredCategory(const QString &text, const QString &defaultCategory);
