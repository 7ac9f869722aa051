#pragma once

#include <QString>

// The standard gettext plural rules, chosen by the first two letters of a
// language code (de, fr-CA, pt_BR, ...); Brazilian Portuguese is the one
// regional code with a rule of its own. Unknown languages follow English.

// How many plural forms the language's catalogues hold.
int PluralFormCount(const QString &languageCode);
// Which of those forms serves the number n.
int PluralFormIndex(const QString &languageCode, quint64 n);
