#include "import/ImportRules.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

QString BaseName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

QString WithoutExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

QString Extension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.mid(dot + 1).toLower() : QString();
}

int Depth(const QString &path)
{
    return int(path.count(u'/') + path.count(u'\\'));
}

// Letters and digits only, lower case: "Monkey_Island-2" and "MONKEY2" compare.
QString Letters(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            result.append(c.toLower());
    }
    return result;
}

bool IsRomanNumeral(const QString &word)
{
    static const QRegularExpression roman(QStringLiteral("^(ii|iii|iv|vi|vii|viii|ix|xi|xii)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return roman.match(word).hasMatch();
}

bool IsSmallWord(const QString &word)
{
    static const QStringList small{
        QStringLiteral("a"),   QStringLiteral("an"), QStringLiteral("and"), QStringLiteral("of"),
        QStringLiteral("the"), QStringLiteral("in"), QStringLiteral("on"),  QStringLiteral("to"),
        QStringLiteral("for"), QStringLiteral("or")};
    return small.contains(word.toLower());
}

// Splits at blanks, at a lower-case letter followed by a capital and at a
// letter followed by a digit.
QStringList Words(const QString &text)
{
    QStringList words;
    QString word;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
            continue;
        }
        if (!word.isEmpty()) {
            const QChar prev = word.back();
            if ((prev.isLower() && c.isUpper()) || (prev.isLetter() && c.isDigit())) {
                words.append(word);
                word.clear();
            }
        }
        word.append(c);
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

int NameLikeness(const QString &folder, const QString &program)
{
    const QString f = Letters(folder);
    const QString p = Letters(WithoutExtension(BaseName(program)));
    if (f.isEmpty() || p.isEmpty())
        return 0;
    if (f == p)
        return 4;
    if (p.size() >= 3 && f.startsWith(p))
        return 3;
    if (f.size() >= 3 && p.startsWith(f))
        return 2;
    if (p.size() >= 4 && f.contains(p))
        return 1;
    return 0;
}

bool IsStartBatch(const QString &program)
{
    static const QStringList names{QStringLiteral("start"), QStringLiteral("run"),
                                   QStringLiteral("go"),    QStringLiteral("play"),
                                   QStringLiteral("game"),  QStringLiteral("launch")};
    const QString name = BaseName(program);
    return Extension(name) == u"bat" && names.contains(WithoutExtension(name).toLower());
}

int ExtensionOrder(const QString &program)
{
    const QString ext = Extension(program);
    return ext == u"exe" ? 0 : ext == u"com" ? 1 : 2;
}

// Shallowest first, then .EXE, .COM, .BAT, then by name.
bool PlainlyBefore(const QString &a, const QString &b)
{
    if (Depth(a) != Depth(b))
        return Depth(a) < Depth(b);
    if (ExtensionOrder(a) != ExtensionOrder(b))
        return ExtensionOrder(a) < ExtensionOrder(b);
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// "ufo" and "UFO" give "Ufo", "X-COM" gives "X-Com", "(cd" gives "(Cd".
QString Capitalised(const QString &word)
{
    QString result = word.toLower();
    bool start = true;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isLetter() && start)
            result[i] = c.toUpper();
        if (c.isLetterOrNumber())
            start = false;
        else if (c == u'-')
            start = true;
    }
    return result;
}

// "CD", "UFO", "(VGA)": in a name written in both cases, such capitals are meant.
bool IsAbbreviation(const QString &word)
{
    const auto letters =
        std::count_if(word.cbegin(), word.cend(), [](QChar c) { return c.isLetter(); });
    return letters >= 2 && letters <= 3 && word == word.toUpper();
}

} // namespace

QString TidyAppName(const QString &folderName)
{
    QString text = folderName;
    text.replace(u'_', u' ').replace(u'.', u' ');
    const QStringList words = Words(text);
    const bool bothCases = text != text.toLower() && text != text.toUpper();
    QStringList result;
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString word = words.at(i);
        const bool oneCase = word == word.toLower() || word == word.toUpper();
        const bool meant = bothCases && IsAbbreviation(word);
        if (IsRomanNumeral(word))
            word = word.toUpper();
        else if (meant)
            ; // kept as written
        else if (i > 0 && IsSmallWord(word) && oneCase)
            word = word.toLower();
        else if (oneCase)
            word = Capitalised(word);
        result.append(word);
    }
    return result.join(u' ');
}

bool IsProgramFile(const QString &fileName)
{
    const QString ext = Extension(BaseName(fileName));
    return ext == u"exe" || ext == u"com" || ext == u"bat";
}

bool IsToolProgram(const QString &fileName)
{
    static const QRegularExpression tool(
        QStringLiteral("^(install|instal|setup|uninst|deinst|setsound|soundset|sndsetup|config|"
                       "cfg|setcfg|setblast|setmidi|setmain|dos4gw|dos32a|cwsdpmi|pmodew|univbe|"
                       "rtm|dpmi16bi|dpmi32vm|pkunzip|unzip)"),
        QRegularExpression::CaseInsensitiveOption);
    return tool.match(WithoutExtension(BaseName(fileName))).hasMatch();
}

QString ChooseProgram(const QString &folderName, const QStringList &programs)
{
    QStringList apps;
    for (const QString &program : programs) {
        if (!IsToolProgram(program))
            apps.append(program);
    }
    if (apps.isEmpty())
        return programs.size() == 1 ? programs.first() : QString();
    if (apps.size() == 1)
        return apps.first();
    std::sort(apps.begin(), apps.end(), PlainlyBefore);
    int bestLikeness = 0;
    QString best;
    for (const QString &program : apps) {
        const int likeness = NameLikeness(folderName, program);
        if (likeness > bestLikeness) {
            bestLikeness = likeness;
            best = program;
        }
    }
    if (!best.isEmpty())
        return best;
    const auto batch = std::find_if(apps.cbegin(), apps.cend(), IsStartBatch);
    return batch != apps.cend() ? *batch : apps.first();
}

int ManualRank(const QString &relativePath)
{
    const QString name = BaseName(relativePath);
    const QString base = WithoutExtension(name).toLower();
    const QString ext = Extension(name);
    int rank = 0;
    if (base == u"stdout" || base == u"stderr")
        return 0; // the emulator's console output
    if (base.startsWith(u"manual"))
        rank = 40;
    else if (base.startsWith(u"readme") || base.startsWith(u"read.me"))
        rank = 30;
    else if (ext == u"txt" || ext == u"doc" || ext == u"htm" || ext == u"html" || ext == u"pdf")
        rank = 10;
    if (rank == 0)
        return 0;
    if (ext == u"pdf" || ext == u"htm" || ext == u"html")
        rank += 2;
    return std::max(1, rank - 5 * Depth(relativePath));
}
