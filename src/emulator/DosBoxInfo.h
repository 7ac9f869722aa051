#pragma once

#include "emulator/DosBoxVariant.h"

#include <QString>
#include <QStringList>

// Examines the emulator program in dosBoxPath by its version line (standard
// output of "--version"; its log on standard error is never read): desc
// becomes its name and version ("DOSBox Staging (0.82.2)"), variant the
// emulator and version the launch rules follow. Without a program or a
// version line: empty and the classic emulator.
void UpdateDosBoxInfo(const QString &dosBoxPath, QString &desc, TDosBoxVariant &variant);

// The description of a version line: the name, and the version in
// parentheses when it could be read.
QString DescribeDosBox(const TDosBoxVersionLine &line);

// The emulator's own configuration file, as the emulator in dosBoxPath names
// it when asked (it writes the file with its defaults when the user has none
// yet); empty when it names no existing file.
QString EmulatorDefaultConfig(const QString &dosBoxPath);

// A guess of the emulator folder: the first folder on PATH that holds an
// executable "dosbox*", else the first /opt/dosbox*; empty when none.
QString FindDosBoxDir();
QString FindDosBoxDirIn(const QStringList &searchDirs, const QString &optDir);

// The DOS code page the classic emulator (0.74) loads with a keyboard layout
// code (any case), as it reports it; 0 for a code it has no answer for.
int ClassicLayoutCodePage(const QString &layout);
