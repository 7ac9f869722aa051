// Checks translation catalogues for what msgfmt does not: French and German
// typography, the terms of the glossary, the number of plural forms, the
// shortcut of a text, and the width and alignment of terminal texts.
//
//   ravelin_po_check GLOSSARY FILE.po|FILE.pot ...
//
// Prints one line per fault ("file:line: fault: text") and exits with 1 when
// there is any. Templates (.pot, no language) are checked as English: only
// their terminal texts.

#include "support/PluralForms.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int TerminalWidth = 80;
// Terminal texts say so in their comment for the translators.
const QString TerminalMark = QStringLiteral("80 columns");
// What %s stands for when a terminal line is measured.
const QString ProgramName = QStringLiteral("ravelin");

const QChar Nbsp(0x00A0);
const QChar NarrowNbsp(0x202F);

struct TEntry
{
    int Line = 0;
    QString Context;
    QString Id;
    QString IdPlural;
    QStringList Translations;
    QString Comments;
    bool Plural = false;
};

struct TCatalogue
{
    QString File;
    QString Language;
    int HeaderPlurals = -1;
    std::vector<TEntry> Entries;
};

struct TTerm
{
    QString Name;
    QRegularExpression Match;
    QRegularExpression Except;
    std::map<QString, QRegularExpression> Required;
};

struct TGlossary
{
    std::vector<TTerm> Terms;
    std::map<QString, std::vector<QRegularExpression>> Avoid;
    // Expressions that do not compile: a glossary that cannot check must fail.
    QStringList Broken;
};

QRegularExpression Pattern(const QString &text)
{
    return QRegularExpression(text, QRegularExpression::CaseInsensitiveOption |
                                        QRegularExpression::UseUnicodePropertiesOption);
}

QString Unescape(QStringView quoted)
{
    QString out;
    for (qsizetype i = 1; i + 1 < quoted.size(); ++i) {
        QChar c = quoted.at(i);
        if (c == u'\\' && i + 2 < quoted.size()) {
            c = quoted.at(++i);
            if (c == u'n')
                c = u'\n';
            else if (c == u't')
                c = u'\t';
            else if (c == u'r')
                c = u'\r';
        }
        out += c;
    }
    return out;
}

QStringList ReadLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

TCatalogue ReadCatalogue(const QString &path)
{
    TCatalogue catalogue{path, QString(), -1, {}};
    TEntry entry;
    QString *field = nullptr;
    bool started = false;
    auto finish = [&]() {
        if (started && (!entry.Id.isEmpty() || !entry.Translations.isEmpty()))
            catalogue.Entries.push_back(entry);
        entry = TEntry();
        field = nullptr;
        started = false;
    };
    static const QRegularExpression keyword(
        QStringLiteral("^(msgctxt|msgid_plural|msgid|msgstr(\\[\\d+\\])?)\\s+(\".*\")\\s*$"));
    const QStringList lines = ReadLines(path);
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.startsWith(u'#')) {
            if (field)
                finish();
            if (line.startsWith(QStringLiteral("#.")))
                entry.Comments += line.mid(2) + u'\n';
            continue;
        }
        if (line.isEmpty()) {
            finish();
            entry.Comments.clear();
            continue;
        }
        if (line.startsWith(u'"') && field) {
            *field += Unescape(line);
            continue;
        }
        const QRegularExpressionMatch m = keyword.match(line);
        if (!m.hasMatch())
            continue;
        const QString key = m.captured(1);
        if (key == u"msgctxt" || (key == u"msgid" && field && !entry.Translations.isEmpty()))
            finish();
        if (!started) {
            started = true;
            entry.Line = n + 1;
        }
        if (key == u"msgctxt") {
            field = &entry.Context;
        } else if (key == u"msgid") {
            field = &entry.Id;
        } else if (key == u"msgid_plural") {
            field = &entry.IdPlural;
            entry.Plural = true;
        } else {
            entry.Translations.append(QString());
            field = &entry.Translations.last();
        }
        *field += Unescape(m.captured(3));
    }
    finish();

    // The header: the entry with the empty id.
    for (auto it = catalogue.Entries.begin(); it != catalogue.Entries.end(); ++it) {
        if (!it->Id.isEmpty() || !it->Context.isEmpty())
            continue;
        const QString header = it->Translations.value(0);
        static const QRegularExpression language(QStringLiteral("^Language:\\s*(\\S*)"),
                                                 QRegularExpression::MultilineOption);
        static const QRegularExpression plurals(QStringLiteral("nplurals\\s*=\\s*(\\d+)"));
        catalogue.Language = language.match(header).captured(1);
        const QRegularExpressionMatch p = plurals.match(header);
        if (p.hasMatch())
            catalogue.HeaderPlurals = p.captured(1).toInt();
        catalogue.Entries.erase(it);
        break;
    }
    if (catalogue.Language.isEmpty())
        catalogue.Language = QStringLiteral("en");
    return catalogue;
}

TGlossary ReadGlossary(const QString &path)
{
    TGlossary glossary;
    TTerm term;
    auto finish = [&]() {
        if (!term.Name.isEmpty())
            glossary.Terms.push_back(term);
        term = TTerm();
    };
    static const QRegularExpression field(QStringLiteral("^([a-z-]+):\\s*(.*)$"));
    const QStringList lines = ReadLines(path);
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty()) {
            finish();
            continue;
        }
        const QRegularExpressionMatch m = field.match(line);
        if (line.startsWith(u'#') || !m.hasMatch())
            continue;
        const QString key = m.captured(1), value = m.captured(2).trimmed();
        if (key != u"term" && key != u"note" && key != u"de" && key != u"fr" &&
            !Pattern(value).isValid())
            glossary.Broken.append(key + QStringLiteral(": ") + value);
        if (key == u"term")
            term.Name = value;
        else if (key == u"match")
            term.Match = Pattern(value);
        else if (key == u"except")
            term.Except = Pattern(value);
        else if (key.endsWith(QStringLiteral("-match")))
            term.Required[key.chopped(6)] = Pattern(value);
        else if (key.endsWith(QStringLiteral("-avoid")))
            glossary.Avoid[key.chopped(6)].push_back(Pattern(value));
    }
    finish();
    return glossary;
}

class TChecker
{
public:
    explicit TChecker(TGlossary glossary) : m_glossary(std::move(glossary)) {}

    void check(const TCatalogue &catalogue)
    {
        const int forms = PluralFormCount(catalogue.Language);
        const bool english = catalogue.Language == u"en";
        if (!english && catalogue.HeaderPlurals >= 0 && catalogue.HeaderPlurals != forms)
            report(catalogue, 1,
                   QStringLiteral("header declares %1 plural forms, %2 has %3")
                       .arg(catalogue.HeaderPlurals)
                       .arg(catalogue.Language)
                       .arg(forms),
                   QString());
        for (const TEntry &entry : catalogue.Entries) {
            if (english && entry.Comments.contains(TerminalMark))
                checkTerminalText(catalogue, entry, entry.Id);
            const bool translated =
                std::any_of(entry.Translations.begin(), entry.Translations.end(),
                            [](const QString &t) { return !t.isEmpty(); });
            if (english || !translated)
                continue;
            if (entry.Plural && entry.Translations.size() != forms)
                report(catalogue, entry,
                       QStringLiteral("%1 plural forms where %2 has %3")
                           .arg(entry.Translations.size())
                           .arg(catalogue.Language)
                           .arg(forms));
            for (const QString &text : entry.Translations) {
                checkShortcut(catalogue, entry, text);
                checkQuotes(catalogue, entry, text);
                if (catalogue.Language.startsWith(QStringLiteral("fr")))
                    checkFrench(catalogue, entry, text);
                if (entry.Comments.contains(TerminalMark))
                    checkTerminalText(catalogue, entry, text);
            }
            checkGlossary(catalogue, entry);
        }
    }

    int faults() const { return m_faults; }

private:
    void report(const TCatalogue &catalogue, int line, const QString &fault, const QString &id)
    {
        ++m_faults;
        QTextStream out(stdout);
        QString shown = id.section(u'\n', 0, 0);
        if (id.startsWith(u'\n'))
            shown = id.section(u'\n', 1, 1);
        out << catalogue.File << u':' << line << QStringLiteral(": ") << fault;
        if (!id.isNull())
            out << QStringLiteral(" in \"") << shown << u'"';
        out << Qt::endl;
    }

    void report(const TCatalogue &catalogue, const TEntry &entry, const QString &fault)
    {
        report(catalogue, entry.Line, fault, entry.Id);
    }

    void checkShortcut(const TCatalogue &catalogue, const TEntry &entry, const QString &text)
    {
        auto shortcuts = [](QString s) {
            s.remove(QStringLiteral("&&"));
            return s.count(u'&');
        };
        if (shortcuts(entry.Id) != shortcuts(text))
            report(catalogue, entry, QStringLiteral("shortcut & missing or doubled"));
    }

    // „…“ in German, « … » in French; straight quotes only around text that
    // the English quotes the same way and that holds no placeholder (a
    // command line to type).
    void checkQuotes(const TCatalogue &catalogue, const TEntry &entry, const QString &text)
    {
        const bool german = catalogue.Language.startsWith(QStringLiteral("de"));
        if (!german && !catalogue.Language.startsWith(QStringLiteral("fr")))
            return;
        static const QRegularExpression straight(QStringLiteral("\"[^\"\\n]*\""));
        for (auto it = straight.globalMatch(text); it.hasNext();) {
            const QString quoted = it.next().captured();
            if (quoted.contains(u'%') || !entry.Id.contains(quoted))
                report(catalogue, entry, QStringLiteral("straight quotation marks %1").arg(quoted));
        }
        const QString foreign = german ? QStringLiteral("”«»") : QStringLiteral("“”„");
        const QString open = german ? QStringLiteral("„") : QStringLiteral("«");
        const QString close = german ? QStringLiteral("“") : QStringLiteral("»");
        bool wrong = text.count(open) != text.count(close);
        for (QChar c : foreign)
            wrong = wrong || text.contains(c);
        if (wrong)
            report(catalogue, entry,
                   QStringLiteral("quotation marks other than %1…%2").arg(open, close));
    }

    void checkFrench(const TCatalogue &catalogue, const TEntry &entry, const QString &text)
    {
        struct TRule
        {
            const char *pattern;
            const char *fault;
        };
        // Group 1 is the sign that the fault is about.
        static const TRule rules[] = {
            {" (?=([;:?!»]))", "ordinary space before \"%1\""},
            {"(?<=(«)) ", "ordinary space after \"%1\""},
            {"\\x{A0}(?=([;?!»]))", "no-break space before \"%1\" where a narrow one belongs"},
            {"(?<=(«))\\x{A0}", "no-break space after \"%1\" where a narrow one belongs"},
            {"\\x{202F}(?=(:))", "narrow no-break space before \"%1\" where U+00A0 belongs"},
            {"(?<=[\\p{L}\\p{N}»)])([;?!])", "no space before \"%1\""},
            {"(?<=[\\p{L}\\p{N}»)])(:)(?=\\s|$)", "no space before \"%1\""},
            {"(?<=\\d)([ \\x{202F}])(?=\\d{3}(?!\\d))", "number without U+00A0 between its digits"},
            {"(')", "straight apostrophe"},
        };
        static std::map<const char *, QRegularExpression> compiled;
        for (const TRule &rule : rules) {
            auto [it, added] = compiled.try_emplace(rule.pattern);
            if (added)
                it->second = Pattern(QString::fromUtf8(rule.pattern));
            const QRegularExpressionMatch m = it->second.match(text);
            if (!m.hasMatch())
                continue;
            QString fault = QString::fromUtf8(rule.fault);
            if (fault.contains(QStringLiteral("%1")))
                fault = fault.arg(m.captured(1));
            report(catalogue, entry, fault);
        }
    }

    static QString Normalised(QString text)
    {
        text.remove(u'&');
        text.replace(Nbsp, u' ');
        text.replace(NarrowNbsp, u' ');
        text.replace(QChar(0x2019), u'\'');
        return text;
    }

    void checkGlossary(const TCatalogue &catalogue, const TEntry &entry)
    {
        const QString id = Normalised(entry.Id + u'\n' + entry.IdPlural);
        const QString key =
            entry.Context.isEmpty() ? id : entry.Context + QStringLiteral(" | ") + id;
        for (const TTerm &term : m_glossary.Terms) {
            const auto required = term.Required.find(catalogue.Language.left(2));
            if (required == term.Required.end() || !term.Match.match(id).hasMatch())
                continue;
            if (!term.Except.pattern().isEmpty() && term.Except.match(key).hasMatch())
                continue;
            for (const QString &text : entry.Translations) {
                if (!required->second.match(Normalised(text)).hasMatch()) {
                    report(catalogue, entry,
                           QStringLiteral("glossary: \"%1\" is not translated with \"%2\"")
                               .arg(term.Name, required->second.pattern()));
                    break;
                }
            }
        }
        const auto avoid = m_glossary.Avoid.find(catalogue.Language.left(2));
        if (avoid == m_glossary.Avoid.end())
            return;
        for (const QRegularExpression &pattern : avoid->second) {
            for (const QString &text : entry.Translations) {
                const QRegularExpressionMatch m = pattern.match(Normalised(text));
                if (m.hasMatch()) {
                    report(catalogue, entry,
                           QStringLiteral("glossary: avoid \"%1\"").arg(m.captured().trimmed()));
                    break;
                }
            }
        }
    }

    // Lines within the terminal width; the descriptions of options (and
    // their continuation lines) begin in one column across the catalogue.
    void checkTerminalText(const TCatalogue &catalogue, const TEntry &entry, const QString &text)
    {
        static const QRegularExpression option(QStringLiteral("^  [-/]\\S+( [A-Z]+)? {2,}(?=\\S)"));
        static const QRegularExpression continuation(QStringLiteral("^ {4,}(?=\\S)"));
        const QStringList lines = text.split(u'\n');
        for (QString line : lines) {
            line.replace(QStringLiteral("%s"), ProgramName);
            if (line.size() > TerminalWidth)
                report(catalogue, entry,
                       QStringLiteral("terminal line of %1 columns: %2")
                           .arg(line.size())
                           .arg(line.left(30)));
            QRegularExpressionMatch m = option.match(line);
            if (!m.hasMatch())
                m = continuation.match(line);
            if (!m.hasMatch())
                continue;
            int &column = m_optionColumn[catalogue.File.section(u'/', 0, -2)];
            if (column == 0)
                column = int(m.capturedLength());
            else if (column != m.capturedLength())
                report(catalogue, entry,
                       QStringLiteral("option text in column %1, elsewhere in %2: %3")
                           .arg(m.capturedLength())
                           .arg(column)
                           .arg(line.trimmed().left(30)));
        }
    }

    TGlossary m_glossary;
    std::map<QString, int> m_optionColumn;
    int m_faults = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "usage: ravelin_po_check GLOSSARY FILE.po ..." << Qt::endl;
        return 2;
    }
    if (!QFileInfo(args.at(0)).isFile()) {
        err << "no glossary " << args.at(0) << Qt::endl;
        return 2;
    }
    const TGlossary glossary = ReadGlossary(args.at(0));
    if (!glossary.Broken.isEmpty()) {
        err << "broken expressions in " << args.at(0) << ":\n"
            << glossary.Broken.join(u'\n') << Qt::endl;
        return 2;
    }
    TChecker checker(glossary);
    for (const QString &file : args.mid(1)) {
        if (!QFileInfo(file).isFile()) {
            err << "no catalogue " << file << Qt::endl;
            return 2;
        }
        checker.check(ReadCatalogue(file));
    }
    if (checker.faults() > 0) {
        QTextStream(stdout) << checker.faults() << " translation faults" << Qt::endl;
        return 1;
    }
    return 0;
}
