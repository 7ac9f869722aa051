#include "localisation/LanguageList.h"

#include <QLocale>

#include "localisation/LangUtils.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/ResourceStrings.h"
#include "support/StringUtils.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString BuiltInList = QStringLiteral(":/localisation/IDR_LANGUAGES");
// Larger sources are not language lists; they are not read at all.
constexpr qint64 MaxListSize = 1024 * 1024;

bool ReadLines(const QString &fileName, QStringList &lines)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || file.size() > MaxListSize ||
        !file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    lines = text.split(u'\n');
    return true;
}

} // namespace

TLanguageList::TLanguageList(const QString &path, const QString &fileName)
    : FPath(path.isEmpty() ? QString() : DirWithDelimiter(path)), FLangName(fileName)
{
    ReadLanguageList();
}

TLanguageList::~TLanguageList() = default;

bool TLanguageList::ParseLanguageLine(const QString &line, QString &code, QString &name)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(u'#'))
        return false;
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return false;
    code = text.left(eq).trimmed();
    QString rest = text.mid(eq + 1);
    const qsizetype hash = rest.indexOf(u'#');
    if (hash >= 0)
        rest.truncate(hash);
    name = rest.trimmed();
    return !code.isEmpty() && !name.isEmpty();
}

bool TLanguageList::ReadSource(QStringList &lines) const
{
    if (FLangName.isEmpty())
        return ReadLines(BuiltInList, lines);
    return ReadLines(FPath + FLangName, lines);
}

void TLanguageList::ReadLanguageList()
{
    QStringList lines;
    if (!ReadSource(lines))
        return;
    QList<Entry> entries;
    for (const QString &line : std::as_const(lines)) {
        QString code, name;
        if (ParseLanguageLine(line, code, name))
            entries.append({name, LanguageIdOf(code)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return CompareText(a.name, b.name) < 0;
    });
    entries.prepend({ResourceStrings::SSystemDefault(), 0});
    FEntries = entries;
    FSelected = -1;
    RebuildMenuItems();
}

namespace {

QString NativeLanguageName(const QString &code, const QString &fallback)
{
    // The locale's own name of English is its American variant.
    QString name = code.startsWith(QStringLiteral("en")) ? QStringLiteral("English")
                                                         : QLocale(code).nativeLanguageName();
    if (name.isEmpty() || QLocale(code).language() == QLocale::C)
        return fallback;
    name[0] = name[0].toUpper();
    return name;
}

} // namespace

void TLanguageList::LoadLanguageNames(const QString &langCode)
{
    if (langCode.isEmpty())
        return;
    ReadLanguageList();
    if (FLangName.isEmpty()) {
        // Each language under its own name, so that a user who picked a
        // language by mistake still finds the way back.
        for (qsizetype i = 1; i < FEntries.size(); ++i)
            FEntries[i].name = NativeLanguageName(LanguageCodeOf(FEntries[i].id), FEntries[i].name);
    } else {
        ApplyNameFile(langCode);
    }
    FSelected = -1;
    RebuildMenuItems();
    SetSelectedLanguageCode(langCode);
}

void TLanguageList::ApplyNameFile(const QString &langCode)
{
    // A list file has its names translated by a file of the same name per language.
    if (langCode.contains(u'/') || langCode.contains(u'\\') || langCode.startsWith(u'.'))
        return;
    auto nameFile = [this](const QString &code) -> QString {
        return FPath + QStringLiteral("locale/") + code + QStringLiteral("/LC_MESSAGES/") +
               FLangName;
    };
    QString fileName = nameFile(langCode);
    if (!QFileInfo(fileName).isFile())
        fileName = nameFile(langCode.left(2));
    QStringList lines;
    if (!ReadLines(fileName, lines))
        return;
    for (const QString &line : std::as_const(lines)) {
        QString code, name;
        if (!ParseLanguageLine(line, code, name))
            continue;
        // An unknown code has the identifier of "&System default"; it renames nothing.
        const int index = LanguageIdOf(code) != 0 ? IndexOfLanguage(code) : -1;
        if (index >= 0)
            FEntries[index].name = name;
    }
}

QString TLanguageList::GetLangCode(int index) const
{
    if (index < 0 || index >= FEntries.size())
        return QString();
    return LanguageCodeOf(FEntries.at(index).id);
}

int TLanguageList::IndexOfLanguage(const QString &code) const
{
    const int id = LanguageIdOf(code);
    for (qsizetype i = 0; i < FEntries.size(); ++i) {
        if (FEntries.at(i).id == id)
            return int(i);
    }
    return -1;
}

void TLanguageList::SetSelectedLanguageCode(const QString &code)
{
    const int index = IndexOfLanguage(code);
    if (index < 0)
        return;
    FSelected = index;
    CheckMenuItem(index);
    FLangCode = code;
    FCurrentLanguage = FEntries.at(index).name;
}
