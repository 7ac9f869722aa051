#pragma once

#include "catalogue/AppSettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// Finding entries as the user types, and the orders the list can be sorted
// in. The window and the command line (--list WORDS) find with the same
// rules: an entry matches when its name, category, description, program or
// folder (below the root folder of the DOS applications) together contain
// every typed word, without regard to case and accents.

// The folded text an entry is found by; category is as shown (the default
// category's name for entries without one).
QString EntrySearchText(const QString &name, const QString &category, const QString &description,
                        const QString &program, const QString &folder, const QString &rootFolder);
QString EntrySearchText(const TDosBoxApp &app, const QString &rootFolder);

// The orders of the list: the catalogue's own (the default), or by one of
// the columns of the detail view.
enum class TSortKey
{
    skCatalogue,
    skName,
    skPath,
    skProgram,
    skParameters,
    skIsoImage,
    skManual,
    skDescription,
    skLastPlayed,
    skPlayCount,
    skPlayTime,
    skCount
};

struct TListSort
{
    TSortKey Key = TSortKey::skCatalogue;
    bool Descending = false;

    bool operator==(const TListSort &) const = default;
};

// The sort as stored in the catalogue file ("Name", "LastPlayed", ...); an
// unknown name reads as the catalogue's order.
QString SortKeyName(TSortKey key);
TSortKey SortKeyOfName(QStringView name);
// Keys whose first click sorts the newest or largest first.
bool SortsDescendingFirst(TSortKey key);

// The folded texts of a catalogue's entries, made when first searched, and
// the entries' ranks in each order, made when first sorted by it. The owner
// invalidates them whenever the entries change.
class TAppSearchIndex
{
public:
    // The entries, their texts or the root folder changed.
    void Invalidate();
    // Only the play histories changed: the texts stay.
    void InvalidateHistory();

    // Makes the entries' folded texts now, unless made already: the first
    // character typed then costs no more than the next.
    void Prepare(const TAppList &apps, const QString &rootFolder);
    // The indices into apps of the entries that match typed, in catalogue
    // order. Typing on narrows the last result instead of searching anew.
    std::vector<int> Find(const TAppList &apps, const QString &rootFolder, const QString &typed);
    // Puts indices (in catalogue order) into the order of sort; equal
    // entries stay in catalogue order.
    void Sort(const TAppList &apps, std::vector<int> &indices, const TListSort &sort);

private:
    const std::vector<int> &Ranks(const TAppList &apps, TSortKey key);

    std::vector<QString> m_texts;
    bool m_textsValid = false;
    QStringList m_lastWords;
    std::vector<int> m_lastFound;
    bool m_lastValid = false;
    std::array<std::vector<int>, size_t(TSortKey::skCount)> m_ranks;
};
