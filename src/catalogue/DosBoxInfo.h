#pragma once

#include "catalogue/BasicSettings.h"
#include "support/SystemVersion.h"

#include <QString>

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

// UpdateDosBoxInfo for the settings' emulator folder.
void InitVersion(TBasicSettings &settings);
