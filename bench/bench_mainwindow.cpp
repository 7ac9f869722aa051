// Filling the main window's list for one category of 1,000 and 10,000
// entries, with the default icon and with an icon of its own per entry, and
// drawing it in every view style; against the baseline of merely picking the
// category's names out of the catalogue, measured in the same run. Prints the
// ratios at the end.
#include "BenchSupport.h"
#include "catalogue/AppIcons.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/MainWindow.h"
#include "support/IniFileUtils.h"
#include "support/StringUtils.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

const QString Category = QStringLiteral("Games");

// The window, shown, with n entries in one category (and a few in another).
struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<TfrmMain> window;

    Fixture(int entries, bool ownIcons)
    {
        QDir(dir.path()).mkpath(QStringLiteral("emu"));
        const QString ini = dir.filePath(QStringLiteral("ravelin.ini"));
        {
            TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
            file.WriteString(u"Config", u"DosBoxPath", dir.filePath(QStringLiteral("emu")));
            file.UpdateFile();
        }
        window = std::make_unique<TfrmMain>();
        window->IniName = ini;
        window->resize(1000, 700);
        window->show();

        const QImage large = DefaultAppIcon(32);
        const QImage small = DefaultAppIcon(16);
        for (int i = 0; i < entries + 20; ++i) {
            auto app = std::make_unique<TDosBoxApp>(QString(), large, small, 437, false);
            app->AppName = QStringLiteral("Game number %1").arg(i);
            app->Category = i < entries ? Category : QStringLiteral("Other");
            app->AppPath = QStringLiteral("/home/user/dos/game%1").arg(i);
            app->AppFile = QStringLiteral("GAME%1.EXE").arg(i);
            app->Description = QStringLiteral("A fine old game with a description");
            if (ownIcons) {
                QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
                icon.fill(QColor::fromHsv(i % 360, 200, 100 + i % 150));
                app->Icons.AssignIcon(TIcon({icon}));
            }
            window->AddCategoryEntry(CategoryOf(*app));
            window->Apps.push_back(std::move(app));
        }
        window->tcCats->SelectTab(window->tcCats->IndexOfCategory(Category));
        window->CurApp = QStringLiteral("Game number %1").arg(entries / 2);
    }
};

// Freed before the application object.
QMap<int, std::shared_ptr<Fixture>> fixtures;

Fixture &FixtureFor(int entries, bool ownIcons)
{
    auto &f = fixtures[entries * 2 + int(ownIcons)];
    if (!f)
        f = std::make_shared<Fixture>(entries, ownIcons);
    return *f;
}

// The least any fill does: find the category's entries and take their names.
void BM_Baseline(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)), false);
    for (auto _ : state) {
        QStringList names;
        for (const auto &app : f.window->Apps) {
            if (SameText(app->Category, Category))
                names.append(app->AppName);
        }
        benchmark::DoNotOptimize(names.constData());
    }
}

void BM_ShowAppList(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)), state.range(1) != 0);
    f.window->SetViewStyle(vsIcon);
    for (auto _ : state)
        f.window->ShowAppList(f.window->CurApp);
    if (f.window->AppItems->Count() != state.range(0))
        state.SkipWithError("not every entry was listed");
}

// Until the list stands on the screen: fill, lay out, draw.
void BM_ShowAndDraw(benchmark::State &state)
{
    Fixture &f = FixtureFor(int(state.range(0)), state.range(1) != 0);
    f.window->SetViewStyle(TViewStyle(state.range(2)));
    QAbstractItemView *view = f.window->lvApps->CurrentView();
    for (auto _ : state) {
        f.window->ShowAppList(f.window->CurApp);
        view->doItemsLayout();
        view->viewport()->repaint();
    }
}

BENCHMARK(BM_Baseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAppList)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAndDraw)
    ->ArgsProduct({{1000, 10000}, {1}, {vsIcon, vsSmallIcon, vsList, vsReport}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatformByDefault();
    // The window creates its folders; they go to a place of the benchmark's own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    SetExePaths(QCoreApplication::applicationFilePath());
    RatioReporter reporter;
    RunBenchmarks(argc, argv, reporter);
    fixtures.clear();
    std::printf("\nRatios to the baseline (picking the category's names):\n");
    for (int n : {1000, 10000}) {
        std::string arg("/");
        arg += std::to_string(n);
        const double base = reporter.times["BM_Baseline" + arg];
        if (base <= 0)
            continue;
        const double shared = reporter.times["BM_ShowAppList" + arg + "/0"];
        const double own = reporter.times["BM_ShowAppList" + arg + "/1"];
        std::printf("  %5d entries: baseline %6.2f ms; ShowAppList %6.2f ms (%4.1fx), "
                    "own icons %6.2f ms (%4.1fx)\n",
                    n, base, shared, shared / base, own, own / base);
        const char *styles[] = {"large icons", "small icons", "list", "details"};
        for (int s = 0; s < 4; ++s) {
            const double drawn = reporter.times["BM_ShowAndDraw" + arg + "/1/" + std::to_string(s)];
            std::printf("         filled and drawn as %-11s %6.2f ms (%4.1fx)\n", styles[s], drawn,
                        drawn / base);
        }
    }
    benchmark::Shutdown();
    return 0;
}
