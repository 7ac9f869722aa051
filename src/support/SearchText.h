#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Finding as you type: texts and typed words are compared in a folded form
// that ignores letter case and accents ("Zürich" and "zurich" fold alike,
// "Straße" and "strasse" too), so that a text is folded once and each typed
// character costs only a search in the folded texts.

// The folded form: compatibility decomposition without accents (combining
// marks), letters without a decomposition spelled out (ß ss, æ ae, ø o, ł l,
// ...), case folded, apostrophes dropped.
QString FoldForSearch(QStringView text);

// The folded words of what was typed, split at white space; empty words are
// dropped, so that blanks alone find everything.
QStringList SearchWords(QStringView typed);

// True when the folded text contains every one of the folded words; no words
// match every text.
bool ContainsAllWords(QStringView foldedText, const QStringList &words);

// True when every text that contains all of words also contains all of
// earlier: each earlier word lies within one of words (a character typed
// at the end, a word added). A search may then look only among the matches
// of earlier.
bool NarrowsSearch(const QStringList &words, const QStringList &earlier);
