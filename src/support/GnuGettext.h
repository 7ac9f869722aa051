#pragma once

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
namespace GnuGettext {

// Translation of MsgId in the domain "default".
QString gettext(const QString &msgId);
// Translation of MsgId in the named domain.
QString dgettext(const QString &domain, const QString &msgId);
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
