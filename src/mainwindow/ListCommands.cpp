// What the list shows and in which order: the filter, the sort, and the play
// history the Run command records.

#include "mainwindow/MainWindow.h"

#include "launcher/RunCommand.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/FilterWidgets.h"
#include "support/Errors.h"
#include "support/InstanceChannel.h"
#include "support/Prompt.h"
#include "support/StringUtils.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

void TfrmMain::CatalogueChanged()
{
    FSearch.Invalidate();
    FEntryTabsValid = false;
}

const std::vector<int> &TfrmMain::EntryTabs()
{
    if (!FEntryTabsValid || FEntryTabs.size() != Apps.size()) {
        FEntryTabs.clear();
        FEntryTabs.reserve(Apps.size());
        for (const auto &app : Apps)
            FEntryTabs.push_back(tcCats->IndexOfCategory(CategoryOf(*app)));
        FEntryTabsValid = true;
    }
    return FEntryTabs;
}

std::vector<int> TfrmMain::ListedEntries()
{
    std::vector<int> indices;
    if (FFiltering) {
        const std::vector<int> found = FSearch.Find(Apps, BasicSettings.RootPath, FilterText());
        const std::vector<int> &tabs = EntryTabs();
        std::vector<int> counts(size_t(qMax(tcCats->count(), 0)), 0);
        for (const int i : found) {
            if (const int tab = tabs[size_t(i)]; tab >= 0 && size_t(tab) < counts.size())
                ++counts[size_t(tab)];
        }
        QList<TFoundTabs::TCategoryMatches> categories;
        for (size_t tab = 0; tab < counts.size(); ++tab) {
            if (counts[tab] > 0)
                categories.append({int(tab), tcCats->Caption(int(tab)), counts[tab]});
        }
        tcFound->SetMatches(int(found.size()), categories);
        const int chosen = tcFound->ChosenCategoryTab();
        if (chosen < 0)
            indices = found;
        else
            std::copy_if(found.begin(), found.end(), std::back_inserter(indices),
                         [&tabs, chosen](int i) { return tabs[size_t(i)] == chosen; });
    } else {
        const QString category = CurrentCategory();
        const bool isDefault = SameText(category, DefaultCategoryName());
        for (size_t i = 0; i < Apps.size(); ++i) {
            const TDosBoxApp &app = *Apps[i];
            if (SameText(app.Category, category) || (app.Category.isEmpty() && isDefault))
                indices.push_back(int(i));
        }
    }
    FSearch.Sort(Apps, indices, Catalogue.Sort);
    return indices;
}

void TfrmMain::ShowAppListKeepingSelection()
{
    const int row = lvApps->SelectedRow();
    // A copy: the list's items, the caption among them, are replaced.
    const QString selected = row >= 0 ? AppItems->Item(row).Caption : CurApp;
    ShowAppList(selected);
}

// ---------------------------------------------------------------------------
// Filter

QString TfrmMain::FilterText() const
{
    return edFilter->text();
}

void TfrmMain::SetFilterText(const QString &text)
{
    edFilter->setText(text);
}

void TfrmMain::actFindExecute()
{
    edFilter->setFocus(Qt::ShortcutFocusReason);
    edFilter->selectAll();
}

void TfrmMain::edFilterChange()
{
    if (FilterText().trimmed().isEmpty()) {
        if (FFiltering) {
            FFiltering = false;
            ShowAppList(FFilterOrigin);
        }
        return;
    }
    if (!FFiltering) {
        FFiltering = true;
        FFilterOrigin = CurApp;
        tcFound->Reset();
    }
    // The selected entry stays selected while it matches.
    ShowAppListKeepingSelection();
}

void TfrmMain::ClearFilter(bool showList)
{
    {
        const QSignalBlocker blocker(edFilter);
        edFilter->clear();
    }
    if (!FFiltering)
        return;
    FFiltering = false;
    if (showList)
        ShowAppList(FFilterOrigin);
}

void TfrmMain::CreateFilter()
{
    connect(edFilter, &QLineEdit::textChanged, this, [this] { edFilterChange(); });
    connect(edFilter, &TFilterBox::Escaped, this, [this] {
        ClearFilter();
        lvApps->setFocus();
    });
    connect(edFilter, &TFilterBox::Accepted, this, [this] {
        if (actRun->isEnabled())
            actRun->trigger();
    });
    connect(edFilter, &TFilterBox::NavigationKey, this, [this](QKeyEvent *event) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        QApplication::sendEvent(lvApps->CurrentView(), &copy);
    });
    connect(lvApps, &TAppListView::TypedText, this, [this](const QString &text) {
        // A blank alone finds nothing and leaves the list as it is.
        if (FilterText().isEmpty() && text.trimmed().isEmpty())
            return;
        edFilter->setFocus(Qt::OtherFocusReason);
        edFilter->insert(text);
    });
    connect(lvApps, &TAppListView::EscapePressed, this, [this] { ClearFilter(); });
    connect(tcFound, &TFoundTabs::tabChanged, this, [this] { ShowAppListKeepingSelection(); });
}

// ---------------------------------------------------------------------------
// Sort

namespace {

// The detail view's columns sort by the keys after the catalogue's order,
// in column order.
int ColumnOf(TSortKey key)
{
    return key == TSortKey::skCatalogue ? -1 : int(key) - 1;
}

} // namespace

void TfrmMain::ShowSort()
{
    const TSortKey key = Catalogue.Sort.Key;
    actSortCatalogue->setChecked(key == TSortKey::skCatalogue);
    actSortName->setChecked(key == TSortKey::skName);
    actSortLastPlayed->setChecked(key == TSortKey::skLastPlayed);
    lvApps->SetSortIndicator(ColumnOf(key), Catalogue.Sort.Descending);
}

void TfrmMain::SetSort(const TListSort &sort)
{
    Catalogue.Sort = sort;
    ShowSort();
    ShowAppListKeepingSelection();
}

void TfrmMain::actSortCatalogueExecute()
{
    SetSort({TSortKey::skCatalogue, false});
}

void TfrmMain::actSortNameExecute()
{
    SetSort({TSortKey::skName, false});
}

void TfrmMain::actSortLastPlayedExecute()
{
    SetSort({TSortKey::skLastPlayed, true});
}

void TfrmMain::lvAppsColumnClick(int column)
{
    const TSortKey key = TSortKey(column + 1);
    if (column < 0 || key >= TSortKey::skCount)
        return;
    const bool descending =
        Catalogue.Sort.Key == key ? !Catalogue.Sort.Descending : SortsDescendingFirst(key);
    SetSort({key, descending});
}

// ---------------------------------------------------------------------------
// Play history

void TfrmMain::RunEntry(int index)
{
    TDosBoxApp &app = *Apps[size_t(index)];
    const TLaunchResult result = RunApplication(app, {BasicSettings, Prompt(), *FStarter});
    if (!result.Started)
        return;
    RecordStart(app.History, QDateTime::currentDateTime());
    if (result.Pid > 0)
        FRunning.insert(result.Pid, {&app, app.AppName, PlayClock()});
    ShowHistoryOf(index);
    if (result.AutoClose) {
        close();
        return;
    }
    // Written once the emulator is on its way.
    QMetaObject::invokeMethod(this, &TfrmMain::SaveHistory, Qt::QueuedConnection);
}

void TfrmMain::EmulatorEnded(qint64 pid)
{
    const auto it = FRunning.constFind(pid);
    if (it == FRunning.cend())
        return;
    const TRunningEntry running = *it;
    FRunning.erase(it);
    // The entry may have been removed or renamed, or the catalogue reloaded,
    // while it ran.
    const auto found = std::find_if(Apps.begin(), Apps.end(), [&running](const auto &app) {
        return app.get() == running.App && app->AppName == running.Name;
    });
    if (found == Apps.end() ||
        !AddPlayTime((*found)->History, (PlayClock() - running.StartMs) / 1000))
        return;
    ShowHistoryOf(int(found - Apps.begin()));
    SaveHistory();
}

void TfrmMain::ShowHistoryOf(int index)
{
    FSearch.InvalidateHistory();
    switch (Catalogue.Sort.Key) {
    case TSortKey::skLastPlayed:
    case TSortKey::skPlayCount:
    case TSortKey::skPlayTime:
        ShowAppListKeepingSelection();
        break;
    default:
        AppItems->HistoryChanged(index);
    }
}

void TfrmMain::SaveHistory()
{
    try {
        SaveCatalogue(false);
    } catch (const ERavelinError &e) {
        Prompt().error(e.message());
    }
}

QString TfrmMain::RunFromOtherStart(const QString &name)
{
    if (!FLoadDone)
        return TInstanceChannel::AnswerBusy;
    const auto found = std::find_if(Apps.begin(), Apps.end(), [&name](const auto &app) {
        return SameText(app->AppName, name);
    });
    if (found == Apps.end())
        return TInstanceChannel::AnswerUnknown;
    // After the answer: the start may ask questions, which must not keep the
    // other start waiting.
    QMetaObject::invokeMethod(
        this,
        [this, name] {
            for (size_t i = 0; i < Apps.size(); ++i) {
                if (SameText(Apps[i]->AppName, name)) {
                    RunEntry(int(i));
                    return;
                }
            }
        },
        Qt::QueuedConnection);
    return TInstanceChannel::AnswerOk;
}
