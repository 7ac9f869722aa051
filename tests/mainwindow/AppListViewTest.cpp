#include "mainwindow/AppListView.h"

#include "catalogue/AppIcons.h"
#include "common/TestUtils.h"
#include "mainwindow/AppListModel.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

namespace {

TAppList Entries(int count, const QString &iconFile = QString())
{
    TAppList apps;
    for (int i = 0; i < count; ++i) {
        auto app = std::make_unique<TDosBoxApp>(QString(), DefaultAppIcon(32), DefaultAppIcon(16),
                                                437, false);
        app->AppName = QStringLiteral("Game with a longer name %1").arg(i);
        if (!iconFile.isEmpty())
            app->Icons.LoadLater(iconFile);
        apps.push_back(std::move(app));
    }
    return apps;
}

// Counts the layout passes a view posts to itself (its delayed and batched
// layouts run on timers) and the layout requests it gets.
class TLayoutCounter : public QObject
{
public:
    explicit TLayoutCounter(QAbstractItemView *view)
    {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer || event->type() == QEvent::LayoutRequest)
            ++Count;
        return false;
    }
};

void ProcessEventsFor(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The indices of every entry, in catalogue order.
std::vector<int> AllEntries(const TAppList &apps)
{
    std::vector<int> indices(apps.size());
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

} // namespace

TEST(AppListView, EveryViewStyleComesToRest)
{
    TAppList apps = Entries(1000);
    TAppListModel model;
    model.Fill(apps, AllEntries(apps));
    TAppListView view(&model);
    view.show();
    // Whether wrapping items keep posting layouts to each other depends on
    // how their columns fit: several sizes.
    for (const QSize size : {QSize(800, 600), QSize(1000, 700)}) {
        view.resize(size);
        for (const TViewStyle style : {vsSmallIcon, vsList, vsIcon, vsReport}) {
            view.SetViewStyle(style);
            ProcessEventsFor(250);
            TLayoutCounter counter(view.CurrentView());
            ProcessEventsFor(200);
            EXPECT_EQ(counter.Count, 0) << "style " << style << " at " << size.width();
        }
    }
}

TEST(AppListView, AnIconIsShownOnceDecodedAndEachFileDecodedOnce)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("red.png"));
    QImage red(64, 64, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(file));
    TAppList apps = Entries(3, file);
    TAppListModel model;
    model.Fill(apps, AllEntries(apps));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    const auto shown = [&model](int row) {
        return model.Image(row).pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage standIn = DefaultAppIcon(32).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown(0), standIn);
    EXPECT_EQ(shown(2), standIn);
    model.IconStore().WaitForAll();
    QCoreApplication::processEvents();
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(shown(1).pixel(16, 16), qRgb(255, 0, 0));
    EXPECT_EQ(model.IconStore().DecodedCount(), 1);
    // The entries keep their file for their own picture, not yet decoded.
    EXPECT_EQ(apps[0]->Icons.PendingFile(), file);
}
