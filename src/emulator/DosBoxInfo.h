#pragma once

#include "support/SystemVersion.h"

#include <QString>
#include <QStringList>

// Examines the emulator program in dosBoxPath: desc becomes its description
// with the first, second and fourth version number ("DOSBox (0.74.0)"),
// staging whether the second number is above 80. Without a program or a
// readable version: empty and classic.
void UpdateDosBoxInfo(const QString &dosBoxPath, QString &desc, bool &staging);

// The description and variant from an emulator's version texts.
void DescribeDosBox(const TFileVersionInfo &info, QString &desc, bool &staging);

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
