#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class TMoFile;
class QObject;

// A catalogue built into the program: FileName is the path below the program
// folder that it stands for, ResourceId the Qt resource holding its data.
struct TLanguageTableEntry
{
    QString FileName;
    QString ResourceId;
};

// The built-in catalogues, enumerated from the program's resources, with
// their paths below programDir ("<programDir>locale/<lang>/LC_MESSAGES/<domain>.mo").
QList<TLanguageTableEntry> BuiltInCatalogues(const QString &programDir);

// Reports a problem with a catalogue (title, text). The window layer shows a
// message box; without one the text goes to standard error.
using TLocalisationProblemHandler = std::function<void(const QString &, const QString &)>;

// The translation engine: text domains with lazily opened catalogues for the
// current language, and the exclusions of window translation.
class TGnuGettextInstance
{
public:
    // programDir ends with a separator; the built-in catalogues are placed below it.
    explicit TGnuGettextInstance(const QString &programDir);
    TGnuGettextInstance(const QString &programDir, QList<TLanguageTableEntry> builtIns);
    ~TGnuGettextInstance();

    // A msgId of the form context, 0x04, text is looked up with its context;
    // untranslated, the text comes back without it.
    QString gettext(const QString &msgId);
    QString dgettext(const QString &domain, const QString &msgId);
    // The form of the current language for the number n; untranslated, the
    // singular for one and the plural otherwise.
    QString ngettext(const QString &singular, const QString &plural, quint64 n);
    QString dngettext(const QString &domain, const QString &singular, const QString &plural,
                      quint64 n);
    QString LoadResString(const QString &msgId);
    // Translation in the domains used for windows translated without a domain.
    QString ComponentGettext(const QString &msgId);

    void UseLanguage(const QString &code);
    QString GetCurrentLanguage() const { return m_curlang; }

    // Appends to the resource-string domains (a domain already listed is not added again).
    void AddResourceStringDomain(const QString &domain);
    QStringList ResourceStringDomains() const { return m_resourceStringDomains; }

    void TP_GlobalIgnoreClass(const QString &className);
    void TP_GlobalIgnoreClassProperty(const QString &className, const QString &propertyName);
    bool IsIgnored(const QObject *object) const;
    bool IsIgnored(const QObject *object, const QString &propertyName) const;

    void SetProblemHandler(TLocalisationProblemHandler handler);

    const QString &DefaultDomainDirectory() const { return m_defaultDomainDirectory; }
    bool Enabled = true;

private:
    class TDomain;
    TDomain &domain(const QString &name);
    TMoFile *catalogue(TDomain &domain);
    QString translate(TDomain &domain, const QString &msgId);
    QString translatePlural(TDomain &domain, const QString &singular, const QString &plural,
                            quint64 n);
    void openCatalogue(TDomain &domain);
    const TLanguageTableEntry *builtInAt(const QString &path) const;
    void reportProblem(const QString &title, const QString &text) const;

    QString m_programDir;
    QString m_defaultDomainDirectory;
    QString m_curlang;
    QList<TLanguageTableEntry> m_builtIns;
    std::map<QString, std::unique_ptr<TDomain>> m_domains;
    QStringList m_resourceStringDomains{QStringLiteral("default")};
    QStringList m_componentDomains{QStringLiteral("default")};
    QStringList m_ignoredClasses;
    QList<QPair<QString, QString>> m_ignoredProperties;
    TLocalisationProblemHandler m_problemHandler;
};
