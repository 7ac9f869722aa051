#include "localisation/GnuGettext.h"

#include "catalogue/InitProg.h"
#include "localisation/GnuGettextInstance.h"
#include "localisation/LanguageFile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace GnuGettext {

namespace {

struct TLanguageState
{
    QString languageFile;
    bool fromCommandLine = false;
    std::function<void()> retranslate;
    std::unique_ptr<QTranslator> qtTranslator;
};

TLanguageState &State()
{
    static TLanguageState state;
    return state;
}

QString ProgramDir()
{
    if (!ExeDir().isEmpty())
        return ExeDir();
    if (!QCoreApplication::instance())
        return QString();
    return QCoreApplication::applicationDirPath() + u'/';
}

// Qt's own texts (standard buttons, file, font and print dialogs) come from
// Qt's translations; the translator is replaced on every change of language.
void LoadQtTranslations(const QString &code)
{
    if (!QCoreApplication::instance())
        return;
    std::unique_ptr<QTranslator> &current = State().qtTranslator;
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    QString name = code;
    name.replace(u'-', u'_');
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\'))
        return;
    auto translator = std::make_unique<QTranslator>();
    // load() also tries the name without its region ("qtbase_de_DE" -> "qtbase_de").
    if (translator->load(QStringLiteral("qtbase_") + name,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        current = std::move(translator);
    }
}

} // namespace

TGnuGettextInstance &DefaultInstance()
{
    static TGnuGettextInstance instance(ProgramDir());
    return instance;
}

QString gettext(const QString &msgId)
{
    return DefaultInstance().gettext(msgId);
}

QString dgettext(const QString &domain, const QString &msgId)
{
    return DefaultInstance().dgettext(domain, msgId);
}

QString LoadResString(const QString &msgId)
{
    return DefaultInstance().LoadResString(msgId);
}

void UseLanguage(const QString &code)
{
    DefaultInstance().UseLanguage(code);
    LoadQtTranslations(DefaultInstance().GetCurrentLanguage());
}

QString GetCurrentLanguage()
{
    return DefaultInstance().GetCurrentLanguage();
}

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
    const TCommandLine commandLine = ParseCommandLine(QCoreApplication::arguments().mid(1), ExeDir(),
                                                      DefaultLanguageFile());
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

void TP_GlobalIgnoreClass(const QString &className)
{
    DefaultInstance().TP_GlobalIgnoreClass(className);
}

void TP_GlobalIgnoreClassProperty(const QString &className, const QString &propertyName)
{
    DefaultInstance().TP_GlobalIgnoreClassProperty(className, propertyName);
}

void SetProblemHandler(std::function<void(const QString &, const QString &)> handler)
{
    DefaultInstance().SetProblemHandler(std::move(handler));
}

void SetRetranslateHandler(std::function<void()> handler)
{
    State().retranslate = std::move(handler);
}

} // namespace GnuGettext
