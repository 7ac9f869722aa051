// Loading and saving a catalogue of 10,000 and 50,000 entries in the real
// file format, against the baseline of merely reading the file and decoding
// its UTF-16 text, measured in the same run. Prints the ratios at the end.
#include "BenchSupport.h"
#include "catalogue/Catalogue.h"
#include "support/IniFileUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

class QuietHost : public ICatalogueHost
{
public:
    QString ChooseDosBoxDir(const QString &, const QString &, const QString &) override
    {
        return {};
    }
    void EditBasicSettings(TBasicSettings &) override {}
};

// One benchmark folder per catalogue size: an emulator folder, a primary
// configuration, a few icon files shared by many entries, and the catalogue.
struct Fixture
{
    QTemporaryDir dir;
    TCatalogueFiles files;

    explicit Fixture(int entries)
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("dosbox"));
        root.mkpath(QStringLiteral("icons"));
        root.mkpath(QStringLiteral("games"));
        const QString conf = dir.filePath(QStringLiteral("dosbox/dosbox.conf"));
        QFile confFile(conf);
        confFile.open(QIODevice::WriteOnly);
        confFile.write("[sdl]\nfullscreen=false\nmapperfile=mapper.map\n[dosbox]\nmemsize=16\n"
                       "[cpu]\ncycles=auto\n[autoexec]\nmount c /tmp\n");
        confFile.close();
        for (int i = 0; i < 20; ++i) {
            QImage icon(32, 32, QImage::Format_ARGB32);
            icon.fill(QColor::fromHsv(i * 18, 200, 200));
            icon.save(dir.filePath(QStringLiteral("icons/%1.png").arg(i)));
        }

        files.IniName = dir.filePath(QStringLiteral("ravelin.ini"));
        files.UserPath = dir.filePath(QStringLiteral("games/"));
        files.ProgPath = dir.filePath(QStringLiteral("dosbox/"));

        QString text = QStringLiteral("[Unicode]\r\nEncoding=UTF-16LE\r\n\r\n[Config]\r\n"
                                      "Left=50\r\nTop=50\r\nHeight=600\r\nWidth=800\r\n");
        text += QStringLiteral("DosBoxPath=") + dir.filePath(QStringLiteral("dosbox")) +
                QStringLiteral("\r\nRootPath=") + files.UserPath + QStringLiteral("\r\nConfFile=") +
                conf +
                QStringLiteral("\r\nLangFile=\r\nMapperFile=mapper.map\r\nEditor=\r\n"
                               "KeyboardLayout=gr\r\nCodepage=850\r\nHideConsole=1\r\n"
                               "AutoStart=0\r\nLastApp=Game 5000\r\n");
        text += QStringLiteral("AppCount=%1\r\n\r\n").arg(entries);
        const QString games = dir.filePath(QStringLiteral("games/"));
        for (int i = 1; i <= entries; ++i) {
            // Most entries have no icon of their own, as in real catalogues;
            // the others share a few files.
            const QString icon =
                i % 4 == 0 ? dir.filePath(QStringLiteral("icons/%1.png").arg(i % 20)) : QString();
            text +=
                QStringLiteral(
                    "[%1]\r\nAppName=Game %2\r\nCategory=Category %3\r\nRootPath=%4game%2\r\n"
                    "ConsoleMode=3\r\nMountCD=1\r\nCdPath=%4game%2\\cd.iso\r\nHardDrive=C\r\n"
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
        QFile out(files.IniName);
        out.open(QIODevice::WriteOnly);
        out.write(data);
    }
};

Fixture &FixtureFor(int entries)
{
    static QMap<int, std::shared_ptr<Fixture>> fixtures;
    auto &f = fixtures[entries];
    if (!f)
        f = std::make_shared<Fixture>(entries);
    return *f;
}

void BM_Baseline(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)));
    for (auto _ : state) {
        QFile file(f.files.IniName);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const QString text = DecodeTextFile(bytes);
        benchmark::DoNotOptimize(text.constData());
    }
}

// The file class alone, to see where the time of a load goes.
void BM_Parse(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)));
    for (auto _ : state) {
        const auto ini = TUnicodeIniFile::CreateForRead(f.files.IniName);
        benchmark::DoNotOptimize(&ini);
    }
}

void BM_Load(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)));
    QuietHost host;
    const QImage large = DefaultAppIcon(32);
    const QImage small = DefaultAppIcon(16);
    for (auto _ : state) {
        TCatalogueFiles files = f.files;
        TCatalogue catalogue;
        LoadCatalogue(files, catalogue, host, large, small);
        if (catalogue.Apps.size() != size_t(state.range(0)))
            state.SkipWithError("not every entry was loaded");
        state.PauseTiming();
        catalogue.Apps.clear(); // freeing is the window's business, not loading
        state.ResumeTiming();
    }
}

void BM_Save(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)));
    QuietHost host;
    TCatalogueFiles files = f.files;
    TCatalogue catalogue;
    LoadCatalogue(files, catalogue, host, DefaultAppIcon(32), DefaultAppIcon(16));
    for (auto _ : state)
        SaveCatalogue(f.files.IniName, catalogue, QRect(50, 50, 800, 600));
}

BENCHMARK(BM_Baseline)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatformByDefault();
    // Saving keeps backups in the data folder: not the user's.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    RatioReporter reporter;
    RunBenchmarks(argc, argv, reporter);
    std::printf("\nRatios to the baseline (reading the file and decoding UTF-16):\n");
    for (int n : {10000, 50000}) {
        std::string arg("/");
        arg += std::to_string(n);
        const double base = reporter.times["BM_Baseline" + arg];
        if (base <= 0)
            continue;
        const double load = reporter.times["BM_Load" + arg];
        const double save = reporter.times["BM_Save" + arg];
        const double megabytes = double(QFileInfo(FixtureFor(n).files.IniName).size()) / 1e6;
        std::printf("  %5d entries (%.1f MB): baseline %7.1f ms, load %7.1f ms (%4.1fx), "
                    "save %7.1f ms (%4.1fx)\n",
                    n, megabytes, base, load, load / base, save, save / base);
    }
    benchmark::Shutdown();
    return 0;
}
