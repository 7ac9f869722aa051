#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

class TGnuGettextInstance;

// Translation of texts through GNU gettext catalogues (MO files).
//
// Marking texts in the code (the keywords `make pot` extracts):
//   _("text")    translated at run time in the domain "default"
//   D_("text")   translated at run time in the domain "dialogs"
//   R_("text")   resource string of the library layer (buttons, titles, ...):
//                looked up in "default", "runtime", "units"; extracted to "runtime"
//   U_("text")   resource string of the support library; as R_, extracted to "units"
//   N_("text")   design text of a window translated with the domain "default"
//   ND_("text")  design text of a window translated with the domain "dialogs"
// N_ and ND_ do nothing at run time: TranslateComponent translates the
// window's texts when the window is created and again on a language change.
//
// One English text with two meanings gets a context, a short note on what it
// names, so that each meaning has its own translation:
//   P_("context", "text"), DP_(...)     as _ and D_
//   NP_("context", "text"), NDP_(...)   as N_ and ND_
// A message that counts gets the plural forms of the language:
//   NG_("%u file", "%u files", n), DNG_(...)   in "default" and "dialogs"
// The count still has to be formatted into the text (SafeFormat).
// A comment "// TRANSLATORS: ..." right before a marked text reaches the
// translators with it: say there what must stay as written.
namespace GnuGettext {

// Translation of MsgId in the domain "default".
QString gettext(const QString &msgId);
// Translation of MsgId in the named domain.
QString dgettext(const QString &domain, const QString &msgId);
// A text with its context, as the lookups and window translation take it:
// context, the character 0x04, text (the catalogues' key).
QString WithContext(const QString &context, const QString &text);
// The plural form for n of a counted message in "default" or the named domain.
QString ngettext(const QString &singular, const QString &plural, quint64 n);
QString dngettext(const QString &domain, const QString &singular, const QString &plural, quint64 n);
// Translation of a resource string: "default", then "runtime", then "units";
// the first translation that differs from the English text wins.
QString LoadResString(const QString &msgId);

// The program's engine, created on first use with the built-in catalogues.
TGnuGettextInstance &DefaultInstance();

// Switches every domain to the code (de, fr, de-DE, ...). An empty code takes
// LANG (or the platform's UI language) up to its first ".". Qt's own texts
// follow through its translations (qtbase_<lang>.qm).
void UseLanguage(const QString &code);
QString GetCurrentLanguage();
// Dates, numbers and the order of names in the interface language, not in
// the desktop's; English for the untranslated interface.
QLocale InterfaceLocale();

// Exclusions of window translation: objects of the class (Qt class name,
// ancestors included) or one property of them are never translated.
void TP_GlobalIgnoreClass(const QString &className);
void TP_GlobalIgnoreClassProperty(const QString &className, const QString &propertyName);

// The window layer installs how catalogue problems are shown (title, text;
// default: standard error).
void SetProblemHandler(std::function<void(const QString &, const QString &)> handler);

} // namespace GnuGettext

#define _(s) GnuGettext::gettext(QStringLiteral(s))
#define D_(s) GnuGettext::dgettext(QStringLiteral("dialogs"), QStringLiteral(s))
#define R_(s) GnuGettext::LoadResString(QStringLiteral(s))
#define U_(s) GnuGettext::LoadResString(QStringLiteral(s))
#define N_(s) QStringLiteral(s)
#define ND_(s) QStringLiteral(s)
#define P_(c, s) GnuGettext::gettext(GnuGettext::WithContext(QStringLiteral(c), QStringLiteral(s)))
#define DP_(c, s)                                                                                  \
    GnuGettext::dgettext(QStringLiteral("dialogs"),                                                \
                         GnuGettext::WithContext(QStringLiteral(c), QStringLiteral(s)))
#define NP_(c, s) GnuGettext::WithContext(QStringLiteral(c), QStringLiteral(s))
#define NDP_(c, s) GnuGettext::WithContext(QStringLiteral(c), QStringLiteral(s))
#define NG_(s, p, n) GnuGettext::ngettext(QStringLiteral(s), QStringLiteral(p), quint64(n))
#define DNG_(s, p, n)                                                                              \
    GnuGettext::dngettext(QStringLiteral("dialogs"), QStringLiteral(s), QStringLiteral(p),         \
                          quint64(n))
