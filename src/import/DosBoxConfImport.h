#pragma once

#include "catalogue/AppSettings.h"

#include <QChar>
#include <QString>
#include <QStringList>

// What a DOSBox configuration file (such as one shipped with a game) says
// about starting its application, as far as a catalogue entry can hold it.
struct TConfImport
{
    QString ConfFile;
    // Why the file could not be read at all; empty when it was read.
    QString Error;
    // The [autoexec] section mounts a folder or image, or starts a program.
    bool HasAutoexec = false;

    QChar HardDrv = u'C';
    QString AppPath; // the folder mounted as HardDrv; empty when none is
    QChar CdDrv = u'D';
    QStringList CdImages; // full paths
    // A mounted path is written relative to the file's folder.
    bool RelativePaths = false;
    // The program as the line names it (with its real file name) and its
    // parameters; empty when no line starts a program.
    QString AppFile;
    QString Parameters;
    // The lines before and after the program line (drive and folder changes
    // included); EXIT after the program sets AutoEnd.
    QStringList Commands;
    QStringList ExitCommands;
    bool AutoEnd = false;

    // [cpu], [dosbox] memsize, [dos], [sdl] fullscreen; -1 where unset.
    TCpuSpeed Speed;
    int MemSize = 0;
    TMemManage MemManage;
    int FullScreen = -1; // 0 off, 1 on

    // What the entry cannot hold (several hard drives, a boot command, disk
    // images, ...): the entry then uses the file as its own configuration.
    QStringList Overflow;
};

// Reads the file (at most MaxConfSize bytes; any text encoding). Never throws.
TConfImport ReadDosBoxConf(const QString &fileName);
// The same for text already read; relative paths are resolved against the
// folder of fileName, programs looked for in the mounted folders.
TConfImport ParseDosBoxConf(const QString &text, const QString &fileName);

inline constexpr qint64 MaxConfSize = 1024 * 1024;
