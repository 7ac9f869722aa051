#include "BenchSupport.h"

#include "catalogue/Catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>

void TMedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    if (!runs.empty())
        std::fprintf(stderr, "  %s/%s\n", runs.front().run_name.function_name.c_str(),
                     runs.front().run_name.args.c_str());
    for (const Run &run : runs) {
        if (run.error_occurred)
            Errors.push_back(run.benchmark_name() + ": " + run.error_message);
        else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            Times[run.run_name.function_name + '/' + run.run_name.args] = run.GetAdjustedRealTime();
    }
}

void AtEverySize(benchmark::internal::Benchmark *b)
{
    for (int n : Sizes)
        b->Arg(n);
    b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

void AtEverySizeTimed(benchmark::internal::Benchmark *b)
{
    AtEverySize(b);
    // Real time decides the iterations too: much of what is measured waits
    // for other processes or the disk.
    b->MinTime(0.2)->UseRealTime();
}

namespace {

void WriteFile(const QString &name, const QByteArray &data, bool program = false)
{
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(data);
    file.close();
    if (program)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A catalogue in the real format. Most entries have no icon of their own, as
// in real catalogues; the others share a few files.
void WriteCatalogue(const TBenchFolder &f, int entries)
{
    QString text = QStringLiteral("[Unicode]\r\nEncoding=UTF-16LE\r\n\r\n[Config]\r\n"
                                  "Left=50\r\nTop=50\r\nHeight=600\r\nWidth=800\r\n");
    text += QStringLiteral("DosBoxPath=") + f.EmulatorDir + QStringLiteral("\r\nRootPath=") +
            f.Root + QStringLiteral("/games\r\nConfFile=") + f.ConfFile +
            QStringLiteral("\r\nLangFile=\r\nMapperFile=mapper.map\r\nEditor=/bin/true\r\n"
                           "KeyboardLayout=gr\r\nCodepage=850\r\nHideConsole=1\r\n"
                           "AutoStart=0\r\nLastApp=Game 1\r\n");
    text += QStringLiteral("AppCount=%1\r\n\r\n").arg(entries);
    const QString games = f.Root + QStringLiteral("/games/");
    for (int i = 1; i <= entries; ++i) {
        const QString icon =
            i % 4 == 0 ? f.Root + QStringLiteral("/icons/%1.png").arg(i % 20) : QString();
        text += QStringLiteral(
                    "[%1]\r\nAppName=Game %2\r\nCategory=Category %3\r\nRootPath=%4game%2\r\n"
                    "ConsoleMode=3\r\nMountCD=1\r\nCdPath=cd.iso\r\nHardDrive=C\r\n"
                    "CdRomDrive=D\r\nIsoImage=1\r\nExecutable=GAME%2.EXE\r\nParameters=-nosound\r\n"
                    "Commands=#C:;CD \\GAME;SET BLASTER=A220 I7 D1#\r\nExitCommands=##\r\n"
                    "IconFile=%5\r\nManual=%4game%2\\readme.txt\r\nCodepage=850\r\n"
                    "Description=A fine old game number %2 with a description\r\n"
                    "Mixer=#SB 80:80;FM 60:60#\r\nAppConfig=0\r\nMapperFile=\r\nFullScreen=0\r\n"
                    "AutoEnd=1\r\nAutoClose=0\r\nMemSize=16\r\nMemManage=-1,-1,-1\r\n"
                    "Cycles=%6,-1,-1\r\n\r\n")
                    .arg(AppSectionName(i))
                    .arg(i)
                    .arg(i % 12)
                    .arg(games, icon)
                    .arg(1000 * (i % 30));
    }
    QByteArray data("\xFF\xFE", 2);
    data.resize(2 + 2 * text.size());
    qToLittleEndian<char16_t>(text.utf16(), text.size(), data.data() + 2);
    WriteFile(f.CatalogueFile(entries), data);
    QDir().mkpath(f.RunFolder(entries));
    WriteFile(f.RunFolder(entries) + QStringLiteral("/cd.iso"), "CD001");
}

} // namespace

QString TBenchFolder::CatalogueFile(int entries) const
{
    return Root + QStringLiteral("/ravelin-%1.ini").arg(entries);
}

QString TBenchFolder::RunName(int entries)
{
    return QStringLiteral("Game %1").arg(entries / 2);
}

QString TBenchFolder::RunFolder(int entries) const
{
    return Root + QStringLiteral("/games/game%1").arg(entries / 2);
}

const TBenchFolder &BenchFolder()
{
    static QTemporaryDir dir;
    static const TBenchFolder folder = [] {
        TBenchFolder f;
        f.Root = dir.path();
        f.EmulatorDir = f.Root + QStringLiteral("/emu");
        f.ConfFile = f.EmulatorDir + QStringLiteral("/dosbox.conf");
        QDir root(f.Root);
        for (const char *sub : {"emu", "icons", "games"})
            root.mkpath(QString::fromLatin1(sub));
        WriteFile(f.EmulatorDir + QStringLiteral("/dosbox"),
                  "#!/bin/sh\n[ \"$1\" = --version ] && echo 'DOSBox version 0.74-3'\nexit 0\n",
                  true);
        WriteFile(f.ConfFile, "[sdl]\nfullscreen=false\nmapperfile=mapper.map\n[dosbox]\n"
                              "memsize=16\n[cpu]\ncycles=auto\n[autoexec]\nmount c /tmp\n");
        for (int i = 0; i < 20; ++i) {
            QImage icon(32, 32, QImage::Format_ARGB32);
            icon.fill(QColor::fromHsv(i * 18, 200, 200));
            icon.save(f.Root + QStringLiteral("/icons/%1.png").arg(i));
        }
        for (int n : Sizes)
            WriteCatalogue(f, n);
        return f;
    }();
    return folder;
}

QString RavelinProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ravelin");
}

bool RunToEnd(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
