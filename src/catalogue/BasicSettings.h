#pragma once

#include "emulator/DosBoxVariant.h"

#include <QString>

// The global settings. DosBoxDesc, IsStaging and DosBoxVersion are found at
// every start (emulator detection) and never stored.
struct TBasicSettings
{
    QString DosBoxPath; // folder of the emulator program
    QString DosBoxDesc; // e.g. "DOSBox Staging (0.82.2)"; empty when unknown
    QString RootPath;   // default folder of DOS applications
    QString ConfFile;   // the primary emulator configuration file
    QString LangFile;   // emulator language file (classic emulator only)
    QString MapperFile; // relative names are relative to ConfFile's folder
    QString KeyLayout;  // DOS keyboard layout; empty: "auto"
    QString TextEditor;
    int Codepage = 437; // DOS code page of new entries
    bool IsStaging = false;
    TDosBoxVersion DosBoxVersion; // unknown: the newest rules apply
    bool AutoStart = false;
    bool HideCon = false; // new entries start with cmHide

    TDosBoxVariant DosBoxVariant() const { return {IsStaging, DosBoxVersion}; }
};
