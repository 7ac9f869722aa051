#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Choosing the interface language: at start from the command line, the
// language file or the platform; while running from the language menu.
namespace GnuGettext {

// Start-up, before the first window: adds the resource-string domains, places
// the language file, reads the command line and puts the language into effect
// (command line, else LangID of the language file, else the platform's).
void InitLanguage(const QStringList &resourceStringDomains = {QStringLiteral("runtime"),
                                                              QStringLiteral("units")});
// The same with the command line already read: commandLineLanguage is the
// /lang value (empty when absent), languageFile the placed language file.
void InitLanguage(const QStringList &resourceStringDomains, const QString &commandLineLanguage,
                  const QString &languageFile);

// The user picked a language: stored in the language file (unless the
// language of this run came from the command line), applied, and every open
// window retranslated. Returns the effective code (for an empty code the
// first two letters of the language now in use).
QString ChangeLanguage(const QString &code);

QString LanguageFileName();
bool LanguageFromCommandLine();

// The window layer installs how open windows are retranslated after a
// change of language.
void SetRetranslateHandler(std::function<void()> handler);

} // namespace GnuGettext
