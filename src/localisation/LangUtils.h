#pragma once

#include <QString>
#include <array>

// A two-letter ISO 639 language name and the Windows language identifier of
// the language's main region. Linux has no such identifiers, so this table
// is how languages are compared (de-DE, de_AT and de are all 0x407).
struct TLangEntry
{
    const char16_t *ShortName;
    int Id;
};

extern const std::array<TLangEntry, 82> LangEntries;

// The identifier of the first row whose name begins the code (any case);
// 0 for a code shorter than two characters or without a row.
int LanguageIdOf(const QString &code);
// The two-letter name for an identifier (a regional identifier such as 0x807
// gives the name of its language); empty for 0 or an unknown identifier.
QString LanguageCodeOf(int id);
