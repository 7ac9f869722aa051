#pragma once

#include <QLocale>

// The user's keyboard language, as Windows numbers primary languages (the
// DOS code page and keyboard code are chosen by it).

// The Windows primary language number of a language (0 when unknown).
int PrimaryLanguageOf(QLocale::Language language);
// The primary language of the user's keyboard: on Linux the language of the
// system locale.
int KeyboardPrimaryLanguage();
