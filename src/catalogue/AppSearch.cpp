#include "catalogue/AppSearch.h"

#include "catalogue/Catalogue.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/SearchText.h"

#include <QCollator>
#include <algorithm>
#include <functional>
#include <numeric>

namespace {

const char *const SortKeyNames[] = {"Catalogue",  "Name",      "Path",    "Program",
                                    "Parameters", "IsoImage",  "Manual",  "Description",
                                    "LastPlayed", "PlayCount", "PlayTime"};
static_assert(std::size(SortKeyNames) == size_t(TSortKey::skCount));

// The folder as the user thinks of it: below the root folder, which every
// entry would otherwise match.
QStringView FolderBelowRoot(const QString &folder, const QString &rootFolder)
{
    if (rootFolder.isEmpty())
        return folder;
    const QString root = DirWithDelimiter(rootFolder);
    return folder.startsWith(root) ? QStringView(folder).sliced(root.size()) : QStringView(folder);
}

const QString &TextOf(const TDosBoxApp &app, TSortKey key)
{
    switch (key) {
    case TSortKey::skPath:
        return app.AppPath;
    case TSortKey::skProgram:
        return app.AppFile;
    case TSortKey::skParameters:
        return app.Parameters;
    case TSortKey::skIsoImage:
        return app.CdPath;
    case TSortKey::skManual:
        return app.ManFile;
    case TSortKey::skDescription:
        return app.Description;
    default:
        return app.AppName;
    }
}

qint64 NumberOf(const TDosBoxApp &app, TSortKey key)
{
    const TPlayHistory &h = app.History;
    switch (key) {
    case TSortKey::skLastPlayed:
        return h.LastPlayed.isValid() ? h.LastPlayed.toMSecsSinceEpoch()
                                      : std::numeric_limits<qint64>::min();
    case TSortKey::skPlayCount:
        return h.PlayCount;
    default:
        return h.PlaySeconds;
    }
}

// Ranks of values in the order of less: equal values share a rank.
template <typename T, typename TLess>
std::vector<int> DenseRanks(const std::vector<T> &values, TLess less)
{
    std::vector<int> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    const auto lessAt = [&values, &less](int a, int b) {
        return less(values[size_t(a)], values[size_t(b)]);
    };
    std::stable_sort(order.begin(), order.end(), lessAt);
    std::vector<int> ranks(values.size());
    int rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && lessAt(order[i - 1], order[i]))
            ++rank;
        ranks[size_t(order[i])] = rank;
    }
    return ranks;
}

} // namespace

QString EntrySearchText(const QString &name, const QString &category, const QString &description,
                        const QString &program, const QString &folder, const QString &rootFolder)
{
    // Typed words hold no line break, so no word matches across two fields.
    QString text;
    text.reserve(name.size() + category.size() + description.size() + program.size() +
                 folder.size() + 4);
    text += name;
    text += u'\n';
    text += category;
    text += u'\n';
    text += description;
    text += u'\n';
    text += program;
    text += u'\n';
    text += FolderBelowRoot(folder, rootFolder);
    return FoldForSearch(text);
}

QString EntrySearchText(const TDosBoxApp &app, const QString &rootFolder)
{
    return EntrySearchText(app.AppName, CategoryOf(app), app.Description, app.AppFile, app.AppPath,
                           rootFolder);
}

QString SortKeyName(TSortKey key)
{
    return QString::fromLatin1(SortKeyNames[qBound(0, int(key), int(TSortKey::skCount) - 1)]);
}

TSortKey SortKeyOfName(QStringView name)
{
    for (int i = 0; i < int(TSortKey::skCount); ++i) {
        if (name.compare(QLatin1StringView(SortKeyNames[i]), Qt::CaseInsensitive) == 0)
            return TSortKey(i);
    }
    return TSortKey::skCatalogue;
}

bool SortsDescendingFirst(TSortKey key)
{
    return key == TSortKey::skLastPlayed || key == TSortKey::skPlayCount ||
           key == TSortKey::skPlayTime;
}

void TAppSearchIndex::Invalidate()
{
    m_textsValid = false;
    m_lastValid = false;
    m_texts.clear();
    for (auto &ranks : m_ranks)
        ranks.clear();
}

void TAppSearchIndex::InvalidateHistory()
{
    for (TSortKey key : {TSortKey::skLastPlayed, TSortKey::skPlayCount, TSortKey::skPlayTime})
        m_ranks[size_t(key)].clear();
}

void TAppSearchIndex::Prepare(const TAppList &apps, const QString &rootFolder)
{
    if (m_textsValid && m_texts.size() == apps.size())
        return;
    m_texts.clear();
    m_texts.reserve(apps.size());
    for (const auto &app : apps)
        m_texts.push_back(EntrySearchText(*app, rootFolder));
    m_textsValid = true;
    m_lastValid = false;
}

std::vector<int> TAppSearchIndex::Find(const TAppList &apps, const QString &rootFolder,
                                       const QString &typed)
{
    Prepare(apps, rootFolder);
    const QStringList words = SearchWords(typed);
    std::vector<int> found;
    if (m_lastValid && NarrowsSearch(words, m_lastWords)) {
        for (const int i : m_lastFound) {
            if (ContainsAllWords(m_texts[size_t(i)], words))
                found.push_back(i);
        }
    } else {
        for (size_t i = 0; i < m_texts.size(); ++i) {
            if (ContainsAllWords(m_texts[i], words))
                found.push_back(int(i));
        }
    }
    m_lastWords = words;
    m_lastFound = found;
    m_lastValid = true;
    return found;
}

const std::vector<int> &TAppSearchIndex::Ranks(const TAppList &apps, TSortKey key)
{
    std::vector<int> &ranks = m_ranks[size_t(key)];
    if (ranks.size() == apps.size())
        return ranks;
    if (key == TSortKey::skLastPlayed || key == TSortKey::skPlayCount ||
        key == TSortKey::skPlayTime) {
        std::vector<qint64> values;
        values.reserve(apps.size());
        for (const auto &app : apps)
            values.push_back(NumberOf(*app, key));
        ranks = DenseRanks(values, std::less<>());
    } else {
        // Collation keys: compared as bytes, made once per entry. Never
        // the C locale (LANG=C.UTF-8 is common): it collates by code point,
        // capitals first, and knows no numbers.
        QCollator collator(GnuGettext::InterfaceLocale());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(apps.size());
        for (const auto &app : apps)
            keys.push_back(collator.sortKey(TextOf(*app, key)));
        ranks = DenseRanks(keys, [](const QCollatorSortKey &a, const QCollatorSortKey &b) {
            return a.compare(b) < 0;
        });
    }
    return ranks;
}

void TAppSearchIndex::Sort(const TAppList &apps, std::vector<int> &indices, const TListSort &sort)
{
    if (sort.Key == TSortKey::skCatalogue || sort.Key == TSortKey::skCount) {
        if (sort.Descending)
            std::reverse(indices.begin(), indices.end());
        return;
    }
    const std::vector<int> &ranks = Ranks(apps, sort.Key);
    const bool descending = sort.Descending;
    std::stable_sort(indices.begin(), indices.end(), [&ranks, descending](int a, int b) {
        return descending ? ranks[size_t(a)] > ranks[size_t(b)]
                          : ranks[size_t(a)] < ranks[size_t(b)];
    });
}
