#pragma once

#include <QString>
#include <optional>

// The emulator's version as its version line gives it. Without a readable
// number it is unknown, and every rule takes the newest known behaviour.
struct TDosBoxVersion
{
    bool Known = false;
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    QString Suffix; // a pre-release mark such as "-RC1"

    friend bool operator==(const TDosBoxVersion &, const TDosBoxVersion &) = default;
};

// Which emulator is installed and which version of it. The key names,
// commands and options Ravelin hands to the emulator depend on both; this is
// the one place that decides them.
struct TDosBoxVariant
{
    bool Staging = false;
    TDosBoxVersion Version;

    // Whether the version is major.minor or later; an unknown version is.
    bool AtLeast(int major, int minor) const;

    // DOSBox Staging 0.82 replaced [cpu] cycles by cpu_cycles,
    // cpu_cycles_protected and cpu_throttle.
    bool HasCpuCyclesKeys() const;
    // [dos] keyboard_layout from DOSBox Staging 0.83 on, keyboardlayout before
    // and in the classic emulator.
    QString KeyboardLayoutKey() const;
    // The layout line's value: the code in lower case (the only spelling
    // every version loads), followed by codePage where the key takes one
    // (DOSBox Staging 0.83 and later); "auto" without a layout.
    QString KeyboardLayoutValue(const QString &layout, int codePage) const;
    // The command that mounts CD images, with its trailing blank: IMGMOUNT,
    // from DOSBox Staging 0.83 on MOUNT (which calls IMGMOUNT deprecated).
    QString ImageMountCommand() const;
    // The emulator language for [dosbox] language and "-lang" in the form this
    // version loads, or empty when it cannot load langFile: the classic
    // emulator takes a .lng file's path; DOSBox Staging before 0.83 only the
    // code of a bundled translation (a two-letter .lng name such as
    // "de.lng"); later versions a .po file's path or such a code.
    QString LanguageValue(const QString &langFile) const;
    // DOSBox Staging reads "dosbox.conf" of its working folder by itself; an
    // entry that uses the global configuration starts it with this option
    // (with its leading blank), others need none.
    QString NoLocalConfigOption() const;
};

// The DOS command that loads a keyboard layout with a code page (every
// emulator's KEYB takes one): "KEYB gr 850"; without codePage the layout's own.
QString KeybCommand(const QString &layout, int codePage);

// The version line of "dosbox --version": "DOSBox version 0.74-3, ..." or
// "dosbox-staging, version 0.82.2 (f8c24)". A line counts only when the
// emulator's name stands before the word "version" at its start, so log
// lines never do.
struct TDosBoxVersionLine
{
    bool Staging = false;
    QString Product; // "DOSBox" or "DOSBox Staging"
    TDosBoxVersion Version;
};
std::optional<TDosBoxVersionLine> ParseDosBoxVersionLine(const QString &output);

// A switch of an emulator configuration file in every spelling the emulators
// write (on/off, true/false, yes/no, 1/0, any letter case); nothing for
// anything else.
std::optional<bool> ParseConfigSwitch(const QString &value);
