#include "localisation/LanguageSelection.h"

#include "localisation/LanguageFile.h"
#include "support/GnuGettext.h"
#include "support/GnuGettextInstance.h"
#include "support/InitProg.h"

#include <QCoreApplication>
#include <QLocale>

namespace GnuGettext {

namespace {

struct TLanguageState
{
    QString languageFile;
    bool fromCommandLine = false;
    std::function<void()> retranslate;
};

TLanguageState &State()
{
    static TLanguageState state;
    return state;
}

} // namespace

void InitLanguage(const QStringList &resourceStringDomains, const QString &commandLineLanguage,
                  const QString &languageFile)
{
    TGnuGettextInstance &engine = DefaultInstance();
    // Font names in a font chooser are never texts to translate.
    engine.TP_GlobalIgnoreClass(QStringLiteral("QFontComboBox"));
    State().languageFile = languageFile;
    for (const QString &domain : resourceStringDomains)
        engine.AddResourceStringDomain(domain);

    State().fromCommandLine = !commandLineLanguage.isEmpty();
    QString code = commandLineLanguage;
    if (code.isEmpty())
        code = ReadLanguageFile(languageFile);
    if (code.isEmpty())
        code = QLocale::system().uiLanguages().value(0);
    UseLanguage(code);
}

void InitLanguage(const QStringList &resourceStringDomains)
{
    const TCommandLine commandLine =
        ParseCommandLine(QCoreApplication::arguments().mid(1), ExeDir(), DefaultLanguageFile());
    InitLanguage(resourceStringDomains, commandLine.LangCode, commandLine.LanguageFile);
}

QString ChangeLanguage(const QString &code)
{
    if (!State().fromCommandLine)
        WriteLanguageFile(State().languageFile, code);
    UseLanguage(code);
    const QString effective = code.isEmpty() ? GetCurrentLanguage().left(2) : code;
    if (State().retranslate)
        State().retranslate();
    return effective;
}

QString LanguageFileName()
{
    return State().languageFile;
}

bool LanguageFromCommandLine()
{
    return State().fromCommandLine;
}

void SetRetranslateHandler(std::function<void()> handler)
{
    State().retranslate = std::move(handler);
}

} // namespace GnuGettext
