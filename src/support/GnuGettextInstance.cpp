#include "support/GnuGettextInstance.h"

#include "support/MoFile.h"
#include "support/PluralForms.h"
#include "support/StringUtils.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QObject>
#include <cstdio>

namespace {

const QString ResourceFolder = QStringLiteral(":/localisation");
const QString ResourcePrefix = QStringLiteral("IDR_TRANS_");
constexpr QChar ContextSeparator = QChar(0x04);

QString CataloguePath(const QString &dir, const QString &code, const QString &domain)
{
    return dir + code + QStringLiteral("/LC_MESSAGES/") + domain + QStringLiteral(".mo");
}

// The header entry must declare UTF-8; the texts are decoded as such.
bool DeclaresUtf8(QByteArrayView header)
{
    const QStringList lines = QString::fromUtf8(header).split(u'\n');
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0 || !SameText(line.left(colon).trimmed(), QStringLiteral("Content-Type")))
            continue;
        if (line.mid(colon + 1).contains(QStringLiteral("charset=utf-8"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// A text with a context is looked up as context, 0x04, text (the key the
// catalogue tools write); without a translation the caller gets the text.
QString WithoutContext(const QString &msgId)
{
    const qsizetype separator = msgId.indexOf(ContextSeparator);
    return separator < 0 ? msgId : msgId.mid(separator + 1);
}

// Catalogue ids have LF line ends.
QByteArray CatalogueId(const QString &msgId)
{
    QByteArray id = msgId.toUtf8();
    id.replace("\r", "");
    return id;
}

// Catalogue texts have LF line ends; the caller gets back the line ends it used.
QString WithCallersLineEnds(QByteArrayView translation, const QString &msgId)
{
    QString result = QString::fromUtf8(translation);
    if (msgId.contains(QStringLiteral("\r\n"))) {
        result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        result.replace(u'\n', QStringLiteral("\r\n"));
    }
    return result;
}

} // namespace

QList<TLanguageTableEntry> BuiltInCatalogues(const QString &programDir)
{
    QList<TLanguageTableEntry> table;
    QDirIterator it(ResourceFolder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!name.startsWith(ResourcePrefix))
            continue;
        const QStringList parts = name.mid(ResourcePrefix.size()).split(u'_');
        if (parts.size() < 2 || parts.at(0).isEmpty() || parts.at(1).isEmpty())
            continue;
        const QString path = CataloguePath(programDir + QStringLiteral("locale/"),
                                           parts.at(0).toLower(), parts.at(1).toLower());
        table.append({path, it.filePath()});
    }
    return table;
}

class TGnuGettextInstance::TDomain
{
public:
    QString Domain;
    QString vDirectory;
    QString curlang;
    std::unique_ptr<TMoFile> mofile;
    bool OpenHasFailedBefore = false;
    bool Enabled = true;

    void SetLanguageCode(const QString &code)
    {
        curlang = code;
        mofile.reset();
        OpenHasFailedBefore = false;
    }
};

TGnuGettextInstance::TGnuGettextInstance(const QString &programDir)
    : TGnuGettextInstance(programDir, BuiltInCatalogues(programDir))
{}

TGnuGettextInstance::TGnuGettextInstance(const QString &programDir,
                                         QList<TLanguageTableEntry> builtIns)
    : m_programDir(programDir), m_defaultDomainDirectory(programDir + QStringLiteral("locale")),
      m_builtIns(std::move(builtIns))
{
    TP_GlobalIgnoreClassProperty(QStringLiteral("QObject"), QStringLiteral("objectName"));
    // What the user typed is never a design text.
    TP_GlobalIgnoreClassProperty(QStringLiteral("QLineEdit"), QStringLiteral("text"));
    UseLanguage(QString());
}

TGnuGettextInstance::~TGnuGettextInstance() = default;

void TGnuGettextInstance::SetProblemHandler(TLocalisationProblemHandler handler)
{
    m_problemHandler = std::move(handler);
}

void TGnuGettextInstance::reportProblem(const QString &title, const QString &text) const
{
    if (m_problemHandler) {
        m_problemHandler(title, text);
        return;
    }
    const QByteArray line = (title + QStringLiteral(": ") + text + u'\n').toUtf8();
    std::fputs(line.constData(), stderr);
}

void TGnuGettextInstance::UseLanguage(const QString &code)
{
    QString lang = code;
    if (lang.isEmpty()) {
        lang = qEnvironmentVariable("LANG");
        if (lang.isEmpty())
            lang = QLocale::system().uiLanguages().value(0);
        const qsizetype dot = lang.indexOf(u'.');
        if (dot >= 0)
            lang.truncate(dot);
    }
    m_curlang = lang;
    for (auto &entry : m_domains)
        entry.second->SetLanguageCode(lang);
}

TGnuGettextInstance::TDomain &TGnuGettextInstance::domain(const QString &name)
{
    auto it = m_domains.find(name);
    if (it == m_domains.end()) {
        auto d = std::make_unique<TDomain>();
        d->Domain = name;
        d->vDirectory = m_defaultDomainDirectory + u'/';
        d->SetLanguageCode(m_curlang);
        it = m_domains.emplace(name, std::move(d)).first;
    }
    return *it->second;
}

TMoFile *TGnuGettextInstance::catalogue(TDomain &d)
{
    if (!Enabled || !d.Enabled)
        return nullptr;
    if (!d.mofile && !d.OpenHasFailedBefore)
        openCatalogue(d);
    return d.mofile.get();
}

QString TGnuGettextInstance::translate(TDomain &d, const QString &msgId)
{
    const TMoFile *mo = msgId.isEmpty() ? nullptr : catalogue(d);
    const auto found = mo ? mo->lookup(CatalogueId(msgId)) : std::nullopt;
    return found ? WithCallersLineEnds(*found, msgId) : WithoutContext(msgId);
}

QString TGnuGettextInstance::translatePlural(TDomain &d, const QString &singular,
                                             const QString &plural, quint64 n)
{
    const TMoFile *mo = singular.isEmpty() ? nullptr : catalogue(d);
    const auto found =
        mo ? mo->lookupPlural(CatalogueId(singular), PluralFormIndex(d.curlang, n)) : std::nullopt;
    if (found)
        return WithCallersLineEnds(*found, singular);
    return n == 1 ? WithoutContext(singular) : plural;
}

const TLanguageTableEntry *TGnuGettextInstance::builtInAt(const QString &path) const
{
    for (const TLanguageTableEntry &entry : m_builtIns) {
        if (SameText(entry.FileName, path))
            return &entry;
    }
    return nullptr;
}

void TGnuGettextInstance::openCatalogue(TDomain &d)
{
    d.OpenHasFailedBefore = true;
    // A code is a name, never a path: it must not lead out of the locale folder.
    if (d.curlang.isEmpty() || d.curlang.contains(u'/') || d.curlang.contains(u'\\') ||
        d.curlang.startsWith(u'.'))
        return;
    const QString pathA = CataloguePath(d.vDirectory, d.curlang, d.Domain);
    QString path = pathA;
    if (!builtInAt(pathA) && !QFileInfo(pathA).isFile())
        path = CataloguePath(d.vDirectory, d.curlang.left(2), d.Domain);

    try {
        if (const TLanguageTableEntry *builtIn = builtInAt(path)) {
            QFile resource(builtIn->ResourceId);
            if (!resource.open(QIODevice::ReadOnly))
                return;
            d.mofile = TMoFile::fromData(resource.readAll(), path);
        } else if (QFileInfo(path).isFile()) {
            d.mofile = TMoFile::fromFile(path);
        } else {
            return;
        }
    } catch (const EGnuGettextError &e) {
        // A broken catalogue on disk leaves the domain in English for this
        // language; the start of the program must not fail over it.
        reportProblem(QStringLiteral("Localization problem"), e.message());
        return;
    }

    const auto header = d.mofile->lookup(QByteArrayView(""));
    if (!header || !DeclaresUtf8(*header)) {
        d.mofile.reset();
        d.Enabled = false;
        reportProblem(QStringLiteral("Localization problem"),
                      QStringLiteral("The translation for the language code ") + d.curlang +
                          QStringLiteral(" (in ") + path +
                          QStringLiteral(") does not have charset=utf-8 in its Content-Type. "
                                         "Translations are turned off."));
        return;
    }
    d.OpenHasFailedBefore = false;
}

QString TGnuGettextInstance::gettext(const QString &msgId)
{
    return translate(domain(QStringLiteral("default")), msgId);
}

QString TGnuGettextInstance::dgettext(const QString &domainName, const QString &msgId)
{
    return translate(domain(domainName), msgId);
}

QString TGnuGettextInstance::ngettext(const QString &singular, const QString &plural, quint64 n)
{
    return translatePlural(domain(QStringLiteral("default")), singular, plural, n);
}

QString TGnuGettextInstance::dngettext(const QString &domainName, const QString &singular,
                                       const QString &plural, quint64 n)
{
    return translatePlural(domain(domainName), singular, plural, n);
}

QString TGnuGettextInstance::LoadResString(const QString &msgId)
{
    const QString english = WithoutContext(msgId);
    for (const QString &name : m_resourceStringDomains) {
        QString result = dgettext(name, msgId);
        if (result != english)
            return result;
    }
    return english;
}

QString TGnuGettextInstance::ComponentGettext(const QString &msgId)
{
    const QString english = WithoutContext(msgId);
    for (const QString &name : m_componentDomains) {
        QString result = dgettext(name, msgId);
        if (result != english)
            return result;
    }
    return english;
}

void TGnuGettextInstance::AddResourceStringDomain(const QString &domainName)
{
    if (!m_resourceStringDomains.contains(domainName))
        m_resourceStringDomains.append(domainName);
}

void TGnuGettextInstance::TP_GlobalIgnoreClass(const QString &className)
{
    if (!m_ignoredClasses.contains(className))
        m_ignoredClasses.append(className);
}

void TGnuGettextInstance::TP_GlobalIgnoreClassProperty(const QString &className,
                                                       const QString &propertyName)
{
    const QPair<QString, QString> entry(className, propertyName);
    if (!m_ignoredProperties.contains(entry))
        m_ignoredProperties.append(entry);
}

bool TGnuGettextInstance::IsIgnored(const QObject *object) const
{
    for (const QString &className : m_ignoredClasses) {
        if (object->inherits(className.toLatin1().constData()))
            return true;
    }
    return false;
}

bool TGnuGettextInstance::IsIgnored(const QObject *object, const QString &propertyName) const
{
    for (const auto &[className, property] : m_ignoredProperties) {
        if (property == propertyName && object->inherits(className.toLatin1().constData()))
            return true;
    }
    return false;
}
