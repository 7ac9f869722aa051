#pragma once

#include <QString>

// Searching a shown text for the next hit after or before the selection.
struct TSearchOptions
{
    bool Down = true;
    bool MatchCase = false;
    // A hit must not touch a letter or digit on either side.
    bool WholeWord = false;
};

// Position of the hit in Text, -1 for none (or an empty search text).
// Downward: the first hit that begins at or after SelEnd; upward: the
// nearest hit that ends no later than SelStart.
qsizetype FindText(const QString &Text, const QString &What, qsizetype SelStart, qsizetype SelEnd,
                   const TSearchOptions &Options);
