#include "support/StringUtils.h"

#include "support/GnuGettext.h"

#include <QLocale>
#include <cmath>

bool SameText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int CompareText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

QString ReadNextItem(QString &list, QChar sep)
{
    if (list.isEmpty())
        return {};
    const qsizetype p = list.indexOf(sep);
    if (p < 0) {
        QString item = list;
        list.clear();
        return item;
    }
    QString item = list.left(p);
    list.remove(0, p + 1);
    return item;
}

namespace {

void TrimLeadingWhiteSpace(QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && IsWhiteSpace(s.at(i)))
        ++i;
    s.remove(0, i);
}

QString TrimTrailingWhiteSpace(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && IsWhiteSpace(s.at(n - 1)))
        --n;
    return s.left(n);
}

// Removes the enclosing quotes of raw (which begins with quote); doubled
// quotes inside stand for one; text after the closing quote is dropped. An
// unclosed quote leaves raw as it is.
QString Dequote(const QString &raw, QChar quote)
{
    QString result;
    qsizetype i = 1;
    while (i < raw.size()) {
        const QChar c = raw.at(i);
        if (c == quote) {
            if (i + 1 < raw.size() && raw.at(i + 1) == quote) {
                result += quote;
                i += 2;
                continue;
            }
            return result;
        }
        result += c;
        ++i;
    }
    return raw;
}

} // namespace

QString ReadNextQuotedItem(QString &list, QChar sep, QChar quote)
{
    TrimLeadingWhiteSpace(list);
    if (list.isEmpty())
        return {};
    if (list.at(0) != quote)
        return ReadNextItem(list, sep);

    bool inside = true;
    qsizetype end = -1;
    for (qsizetype i = 1; i < list.size(); ++i) {
        const QChar c = list.at(i);
        if (c == quote)
            inside = !inside;
        else if (c == sep && !inside) {
            end = i;
            break;
        }
    }
    QString raw;
    if (end < 0) {
        raw = list;
        list.clear();
    } else {
        raw = list.left(end);
        list.remove(0, end + 1);
    }
    if (raw.size() < 3)
        return {};
    return Dequote(TrimTrailingWhiteSpace(raw), quote);
}

QString FirstQuotedItem(const QString &text, QChar sep, QChar quote)
{
    QString copy = text;
    return ReadNextQuotedItem(copy, sep, quote);
}

int ReadNextInt(QString &list, QChar sep, int def)
{
    TrimLeadingWhiteSpace(list);
    if (list.isEmpty())
        return def;
    const QString item = ReadNextItem(list, sep);
    bool ok = false;
    const int value = item.trimmed().toInt(&ok, 10);
    // Leading blanks are allowed, trailing garbage is not.
    if (!ok || TrimTrailingWhiteSpace(item) != item)
        return def;
    return value;
}

QString QuoteIfBlank(const QString &text)
{
    if (!text.contains(u' '))
        return text;
    QString inner = text;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

bool MatchesAbbreviation(const QString &word, const QString &keyword)
{
    const QString lower = word.toLower();
    return lower.size() <= keyword.size() && keyword.startsWith(lower);
}

bool ReadOption(QString &option, const QString &keyword)
{
    const qsizetype colon = option.indexOf(u':');
    if (colon < 0)
        return false;
    if (!MatchesAbbreviation(option.left(colon), keyword))
        return false;
    option.remove(0, colon + 1);
    return true;
}

QString ChangeTextCase(const QString &text, TTextChange change)
{
    switch (change) {
    case TTextChange::tcLower:
        return QLocale().toLower(text);
    case TTextChange::tcUpper:
        return QLocale().toUpper(text);
    case TTextChange::tcNone:
        break;
    }
    return text;
}

QString StripLeading(const QString &text, QChar c)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == c)
        ++i;
    return text.mid(i);
}

QString StripTrailing(const QString &text, QChar c)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == c)
        --n;
    return text.left(n);
}

QString RemoveChar(const QString &text, QChar c)
{
    QString result = text;
    result.remove(c);
    return result;
}

QString ZeroPaddedInt(int width, qint64 value)
{
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    if (digits.size() < width)
        digits.prepend(QString(width - digits.size(), u'0'));
    return value < 0 ? u'-' + digits : digits;
}

namespace {

struct Placeholder
{
    bool leftAlign = false;
    bool zeroPad = false;
    int width = -1;
    int precision = -1;
    QChar conversion;
};

// Parses one placeholder after its "%" at pos; argIndex receives an explicit
// "n:" index or stays -1. Returns false for a malformed placeholder.
bool ParsePlaceholder(const QString &f, qsizetype &pos, Placeholder &ph, int &argIndex)
{
    auto readNumber = [&](int &out) {
        qint64 n = 0;
        bool any = false;
        while (pos < f.size() && f.at(pos).isDigit() && f.at(pos).unicode() < 128) {
            n = n * 10 + (f.at(pos).unicode() - '0');
            if (n > 100000)
                return false; // absurd widths are treated as malformed
            ++pos;
            any = true;
        }
        if (any)
            out = int(n);
        return true;
    };

    argIndex = -1;
    // Optional argument index "n:".
    const qsizetype start = pos;
    int index = -1;
    if (!readNumber(index))
        return false;
    if (index >= 0 && pos < f.size() && f.at(pos) == u':') {
        argIndex = index;
        ++pos;
    } else {
        pos = start;
    }
    while (pos < f.size() && (f.at(pos) == u'-' || f.at(pos) == u'0')) {
        if (f.at(pos) == u'-')
            ph.leftAlign = true;
        else
            ph.zeroPad = true;
        ++pos;
    }
    if (!readNumber(ph.width))
        return false;
    if (pos < f.size() && f.at(pos) == u'.') {
        ++pos;
        ph.precision = 0;
        if (!readNumber(ph.precision))
            return false;
    }
    if (pos >= f.size())
        return false;
    ph.conversion = f.at(pos).toLower();
    ++pos;
    return true;
}

QString Pad(QString text, const Placeholder &ph, bool numeric)
{
    if (ph.width <= text.size())
        return text;
    const qsizetype fill = ph.width - text.size();
    if (ph.leftAlign)
        return text + QString(fill, u' ');
    if (ph.zeroPad && numeric) {
        const qsizetype signLen = (text.startsWith(u'-') || text.startsWith(u'+')) ? 1 : 0;
        text.insert(signLen, QString(fill, u'0'));
        return text;
    }
    return QString(fill, u' ') + text;
}

// Digits of an integer with a minimum number of digits (the precision).
QString IntDigits(quint64 magnitude, bool negative, int precision, int base = 10)
{
    QString digits = QString::number(magnitude, base).toUpper();
    if (precision > digits.size())
        digits.prepend(QString(precision - digits.size(), u'0'));
    return negative ? u'-' + digits : digits;
}

bool FormatOne(const Placeholder &ph, const FormatArg &arg, QString &out)
{
    const auto &v = arg.value();
    switch (ph.conversion.unicode()) {
    case 's': {
        const QString *s = std::get_if<QString>(&v);
        if (!s)
            return false;
        out = ph.precision >= 0 ? s->left(ph.precision) : *s;
        out = Pad(out, ph, false);
        return true;
    }
    case 'd':
    case 'u':
    case 'x': {
        quint64 magnitude = 0;
        bool negative = false;
        if (const qint64 *i = std::get_if<qint64>(&v)) {
            negative = *i < 0;
            magnitude = negative ? quint64(0) - quint64(*i) : quint64(*i);
        } else if (const quint64 *u = std::get_if<quint64>(&v)) {
            magnitude = *u;
        } else {
            return false;
        }
        // Unsigned conversions show a negative value in two's complement.
        if (negative && ph.conversion != u'd') {
            magnitude = quint64(0) - magnitude;
            negative = false;
        }
        out = Pad(IntDigits(magnitude, negative, ph.precision, ph.conversion == u'x' ? 16 : 10), ph,
                  true);
        return true;
    }
    case 'f':
    case 'e':
    case 'g':
    case 'n': {
        double d = 0;
        if (const double *p = std::get_if<double>(&v))
            d = *p;
        else
            return false;
        if (!std::isfinite(d)) {
            out = Pad(QString::number(d), ph, false);
            return true;
        }
        const int precision = ph.precision >= 0 ? qMin(ph.precision, 100) : 2;
        const char fmt = ph.conversion == u'n' ? 'f' : char(ph.conversion.unicode());
        out = QString::number(d, fmt, precision);
        if (ph.conversion == u'n')
            out = QLocale().toString(d, 'f', precision);
        out = Pad(out, ph, true);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

QString SafeFormatArgs(const QString &format, std::initializer_list<FormatArg> args)
{
    const FormatArg *argv = args.begin();
    const qsizetype argc = qsizetype(args.size());
    QString result;
    result.reserve(format.size() + 16 * argc);
    qsizetype next = 0;
    qsizetype pos = 0;
    auto failed = [&]() -> QString { return U_("Format error: ") + format; };

    while (pos < format.size()) {
        const qsizetype pct = format.indexOf(u'%', pos);
        if (pct < 0) {
            result += QStringView(format).mid(pos);
            break;
        }
        result += QStringView(format).mid(pos, pct - pos);
        pos = pct + 1;
        if (pos < format.size() && format.at(pos) == u'%') {
            result += u'%';
            ++pos;
            continue;
        }
        Placeholder ph;
        int argIndex = -1;
        if (!ParsePlaceholder(format, pos, ph, argIndex))
            return failed();
        if (argIndex >= 0)
            next = argIndex;
        if (next >= argc)
            return failed();
        QString piece;
        if (!FormatOne(ph, argv[next], piece))
            return failed();
        ++next;
        result += piece;
    }
    return result;
}

QStringList DelimitedTextToList(const QString &text, QChar delimiter, QChar quote)
{
    QStringList list;
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n && IsWhiteSpace(text.at(i)))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text.at(i) == quote) {
            // Up to the closing quote; a doubled quote stands for one.
            ++i;
            while (i < n) {
                if (text.at(i) == quote) {
                    if (i + 1 < n && text.at(i + 1) == quote) {
                        item += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
        } else {
            const qsizetype start = i;
            while (i < n && !IsWhiteSpace(text.at(i)) && text.at(i) != delimiter)
                ++i;
            item = text.mid(start, i - start);
        }
        list.append(item);
        skipBlanks();
        if (i < n && text.at(i) == delimiter) {
            // A delimiter at the very end stands before one more, empty entry.
            if (i + 1 == n)
                list.append(QString());
            ++i;
            skipBlanks();
        }
    }
    return list;
}
