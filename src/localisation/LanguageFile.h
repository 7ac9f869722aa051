#pragma once

#include <QString>

// The language file: an INI file whose key LangID in section [Language]
// holds the chosen interface language.

// The stored code; empty when the file or the key is missing or unreadable.
QString ReadLanguageFile(const QString &fileName);
// Stores the code, creating the file when missing; other content survives.
void WriteLanguageFile(const QString &fileName, const QString &code);
