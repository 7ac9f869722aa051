// The main window: from start to the painted list, the list coming to rest
// after a change of view style, and the Run command up to the started
// emulator.
#include "BenchSupport.h"
#include "catalogue/AppIcons.h"
#include "emulator/DosBoxInterface.h"
#include "launcher/WinExecute.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/MainWindow.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QMap>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

namespace {

const QString Category = QStringLiteral("Games");

std::unique_ptr<TfrmMain> NewWindow(const QString &iniName)
{
    auto window = std::make_unique<TfrmMain>();
    window->IniName = iniName;
    window->resize(1000, 700);
    return window;
}

// The window, shown, with n entries in one category (and a few in another);
// the current application can be started.
struct TWindowFixture
{
    std::unique_ptr<TfrmMain> Window;

    explicit TWindowFixture(int entries)
    {
        const TBenchFolder &f = BenchFolder();
        // A file per fixture: one window's save would otherwise change the
        // file another window has loaded.
        const QString ini = f.Root + QStringLiteral("/window-%1.ini").arg(entries);
        {
            TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
            file.WriteString(u"Config", u"DosBoxPath", f.EmulatorDir);
            file.WriteString(u"Config", u"ConfFile", f.ConfFile);
            file.WriteString(u"Config", u"Editor", QStringLiteral("/bin/true"));
            file.UpdateFile();
        }
        Window = NewWindow(ini);
        Window->show();
        const QImage large = DefaultAppIcon(32);
        const QImage small = DefaultAppIcon(16);
        for (int i = 0; i < entries + 20; ++i) {
            auto app = std::make_unique<TDosBoxApp>(f.ConfFile, large, small, 437, true);
            app->AppName = QStringLiteral("Game number %1").arg(i);
            app->Category = i < entries ? Category : QStringLiteral("Other");
            app->AppPath = i == entries / 2 ? f.RunFolder(entries)
                                            : QStringLiteral("/home/user/dos/game%1").arg(i);
            app->AppFile = QStringLiteral("GAME%1.EXE").arg(i);
            app->CdPath = QStringLiteral("cd.iso");
            app->Description = QStringLiteral("A fine old game with a description");
            Window->AddCategoryEntry(CategoryOf(*app));
            Window->Apps.push_back(std::move(app));
        }
        Window->tcCats->SelectTab(Window->tcCats->IndexOfCategory(Category));
        Window->ShowAppList(QStringLiteral("Game number %1").arg(entries / 2));
        QCoreApplication::processEvents();
    }
};

// Freed before the application object.
QMap<int, std::shared_ptr<TWindowFixture>> fixtures;

TWindowFixture &FixtureFor(int entries)
{
    auto &f = fixtures[entries];
    if (!f)
        f = std::make_shared<TWindowFixture>(entries);
    return *f;
}

// Notes when a view or its viewport last laid out, was asked to, or painted.
class TActivity : public QObject
{
public:
    TActivity(TfrmMain &window, QTimer &quiet) : m_quiet(quiet)
    {
        for (QAbstractItemView *view :
             {static_cast<QAbstractItemView *>(window.lvApps->IconView()),
              static_cast<QAbstractItemView *>(window.lvApps->ReportView())}) {
            view->installEventFilter(this);
            view->viewport()->installEventFilter(this);
        }
        m_clock.start();
    }
    qint64 LastNs = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Timer:
        case QEvent::LayoutRequest:
        case QEvent::Paint:
        case QEvent::UpdateRequest:
            LastNs = m_clock.nsecsElapsed();
            m_quiet.start();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QTimer &m_quiet;
    QElapsedTimer m_clock;
};

// Milliseconds from a change (of view style, of the filter) to the last
// layout or paint it brings; 3 s when the list is still busy then (it never
// comes to rest).
double SettleMs(TfrmMain &window, const std::function<void()> &change)
{
    constexpr int Limit = 3000;
    QEventLoop loop;
    QTimer quiet;
    quiet.setSingleShot(true);
    quiet.setInterval(200);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    TActivity activity(window, quiet);
    QTimer::singleShot(Limit, &loop, &QEventLoop::quit);
    change();
    activity.LastNs = qMax<qint64>(activity.LastNs, 1);
    quiet.start();
    loop.exec();
    return quiet.isActive() ? Limit : double(activity.LastNs) / 1e6;
}

// The least a list of a category needs: its entries' names.
void BM_PickNames(benchmark::State &state)
{
    TWindowFixture &f = FixtureFor(int(state.range(0)));
    for (auto _ : state) {
        QStringList names;
        for (const auto &app : f.Window->Apps) {
            if (SameText(app->Category, Category))
                names.append(app->AppName);
        }
        benchmark::DoNotOptimize(names.constData());
    }
}

void Settle(benchmark::State &state, TViewStyle style)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    for (auto _ : state) {
        SettleMs(window, [&window] { window.SetViewStyle(vsIcon); });
        const double ms = SettleMs(window, [&window, style] { window.SetViewStyle(style); });
        state.SetIterationTime(ms / 1000);
    }
    window.SetViewStyle(vsIcon);
}

void BM_SmallIconsSettle(benchmark::State &state)
{
    Settle(state, vsSmallIcon);
}

void BM_ListSettle(benchmark::State &state)
{
    Settle(state, vsList);
}

// The emulator started as the Run command starts it, without the command.
void BM_StartDirectly(benchmark::State &state)
{
    const int entries = int(state.range(0));
    FixtureFor(entries);
    const TBenchFolder &f = BenchFolder();
    const QString folder = f.RunFolder(entries);
    const QString line = QuoteIfBlank(JoinPath(f.EmulatorDir, DosBox::ProgramName)) +
                         QStringLiteral(" -noconsole -conf ") + f.ConfFile +
                         QStringLiteral(" -conf ") + JoinPath(folder, DosBox::LaunchConfigName);
    for (auto _ : state) {
        StartProcess(line, folder);
        state.PauseTiming();
        QCoreApplication::processEvents(); // the ended emulators are reaped
        state.ResumeTiming();
    }
}

void BM_RunCommand(benchmark::State &state)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    if (window.SelectedAppIndex() < 0)
        state.SkipWithError("nothing to run");
    for (auto _ : state) {
        window.actRunExecute();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// From creating the window to the first painting of its list, the catalogue
// file of the size loaded in between.
void BM_StartToPaint(benchmark::State &state)
{
    const QString ini = BenchFolder().CatalogueFile(int(state.range(0)));
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<TfrmMain> window = NewWindow(ini);
        QEventLoop loop;
        class TPainted : public QObject
        {
        public:
            explicit TPainted(QEventLoop &loop) : m_loop(loop) {}

        protected:
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::Paint)
                    QMetaObject::invokeMethod(&m_loop, &QEventLoop::quit, Qt::QueuedConnection);
                return false;
            }

        private:
            QEventLoop &m_loop;
        } painted(loop);
        window->lvApps->IconView()->viewport()->installEventFilter(&painted);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        window->show();
        loop.exec();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// One full fill of the list: the category's entries, as after a change of
// tab.
void BM_FullFill(benchmark::State &state)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    for (auto _ : state)
        window.ShowAppList(window.CurApp);
}

// The first character typed: the entries' folded texts are made, then the
// list is filled with the matches of every category.
void BM_FilterFirstChar(benchmark::State &state)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    for (auto _ : state) {
        state.PauseTiming();
        window.ClearFilter();
        window.CatalogueChanged();
        state.ResumeTiming();
        window.SetFilterText(QStringLiteral("g"));
    }
    window.ClearFilter();
}

// One more character where every entry still matches: the worst case, a
// full list of matches.
void BM_FilterNextChar(benchmark::State &state)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    for (auto _ : state) {
        state.PauseTiming();
        window.SetFilterText(QStringLiteral("g"));
        state.ResumeTiming();
        window.SetFilterText(QStringLiteral("ga"));
    }
    window.ClearFilter();
}

// One more character that narrows the matches to a tenth.
void BM_FilterNarrowChar(benchmark::State &state)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    for (auto _ : state) {
        state.PauseTiming();
        window.SetFilterText(QStringLiteral("number 1"));
        state.ResumeTiming();
        window.SetFilterText(QStringLiteral("number 12"));
    }
    window.ClearFilter();
}

// The same, up to the last layout and paint of the large icons it brings.
void BM_FilterNextCharSettle(benchmark::State &state)
{
    TfrmMain &window = *FixtureFor(int(state.range(0))).Window;
    for (auto _ : state) {
        SettleMs(window, [&window] { window.SetFilterText(QStringLiteral("g")); });
        const double ms =
            SettleMs(window, [&window] { window.SetFilterText(QStringLiteral("ga")); });
        state.SetIterationTime(ms / 1000);
    }
    window.ClearFilter();
}

BENCHMARK(BM_PickNames)->Apply(AtEverySizeTimed);
BENCHMARK(BM_FullFill)->Apply(AtEverySizeTimed);
BENCHMARK(BM_FilterFirstChar)->Apply(AtEverySizeTimed);
BENCHMARK(BM_FilterNextChar)->Apply(AtEverySizeTimed);
BENCHMARK(BM_FilterNarrowChar)->Apply(AtEverySizeTimed);
BENCHMARK(BM_FilterNextCharSettle)->Apply(AtEverySize)->UseManualTime()->Iterations(1);
BENCHMARK(BM_SmallIconsSettle)->Apply(AtEverySize)->UseManualTime()->Iterations(1);
BENCHMARK(BM_ListSettle)->Apply(AtEverySize)->UseManualTime()->Iterations(1);
BENCHMARK(BM_StartDirectly)->Apply(AtEverySizeTimed);
BENCHMARK(BM_RunCommand)->Apply(AtEverySizeTimed);
BENCHMARK(BM_StartToPaint)->Apply(AtEverySize)->UseManualTime()->Iterations(1);

} // namespace

void FreeWindowFixtures()
{
    fixtures.clear();
}
