#pragma once

#include <QString>

class IPrompt;
class IProcessStarter;
class TDosBoxApp;
struct TBasicSettings;

// What the emulator commands need from their caller: the global settings, a
// way to ask the user and a way to start processes.
struct TLaunchContext
{
    const TBasicSettings &Settings;
    IPrompt &Prompt;
    IProcessStarter &Starter;
};

// Outcome of the Run command. AutoClose asks the caller to close the main
// window (and so to save and end the program); it is set only when the
// emulator was started.
struct TLaunchResult
{
    bool Started = false;
    bool AutoClose = false;
    // The emulator's process id, when started.
    qint64 Pid = 0;
};

// The Run command: checks the entry's configuration files, folder and CD
// medium (asking or reporting through the prompt), writes "ravelin.conf" into
// the application folder and starts the emulator there. Raises EFCreateError
// or EWriteError when the file cannot be written and EProcessError when the
// emulator cannot be started.
TLaunchResult RunApplication(const TDosBoxApp &app, const TLaunchContext &ctx);

// The keymapper command: points the entry's AppMapper at "appmapper.map" in
// its folder (a copy of the global key map when there is one), writes
// "ravelin.conf" and starts the emulator's keymapper. The entry changes in
// memory; the caller saves it. Raises ECopyError, EFCreateError, EWriteError
// or EProcessError. True when the emulator was started.
bool RunKeymapper(TDosBoxApp &app, const TLaunchContext &ctx);

// The plain emulator run in the root folder with the global configuration,
// language and keyboard layout. True when the emulator was started.
bool RunDosBox(const TLaunchContext &ctx);

// "on" for 0, "off" otherwise: the emulator's switches, where 0 means on.
QString OnOffText(int Value);

// The host folder of a physical CD drive as stored in CdPath: drive items read
// "mount point (label)"; without a label the whole text.
QString CdDriveRoot(const QString &CdPath);
