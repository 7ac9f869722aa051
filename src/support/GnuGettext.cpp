#include "support/GnuGettext.h"

#include "support/GnuGettextInstance.h"
#include "support/InitProg.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace GnuGettext {

namespace {

// Qt's translator for the language in use; replaced on every change.
std::unique_ptr<QTranslator> &QtTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// Catalogues on disk lie below the program's data folder.
QString ProgramDir()
{
    if (!DataDir().isEmpty())
        return DataDir();
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
    std::unique_ptr<QTranslator> &current = QtTranslator();
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

QString WithContext(const QString &context, const QString &text)
{
    return context + QChar(0x04) + text;
}

QString ngettext(const QString &singular, const QString &plural, quint64 n)
{
    return DefaultInstance().ngettext(singular, plural, n);
}

QString dngettext(const QString &domain, const QString &singular, const QString &plural, quint64 n)
{
    return DefaultInstance().dngettext(domain, singular, plural, n);
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

QLocale InterfaceLocale()
{
    const QString language = GetCurrentLanguage();
    return language.isEmpty() || language == u"C" ? QLocale(QLocale::English) : QLocale(language);
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

} // namespace GnuGettext
