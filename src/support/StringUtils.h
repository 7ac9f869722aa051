#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <type_traits>
#include <variant>

// Separated lists, option words, character and formatting helpers. The
// catalogue file stores lists and command lines in the forms these read and
// write, so their exact behaviour is part of the file format.

enum class TTextChange
{
    tcNone,
    tcLower,
    tcUpper
};

// White space: every character whose code is below 33.
inline bool IsWhiteSpace(QChar c)
{
    return c.unicode() < 33;
}

// Case-insensitive equality and ordering of texts (Unicode case folding).
bool SameText(const QString &a, const QString &b);
int CompareText(const QString &a, const QString &b);

// Next item of a list separated by sep; the list loses the item and its separator.
QString ReadNextItem(QString &list, QChar sep);
// As ReadNextItem, but an item may be enclosed in quote characters (doubled
// inside) and so contain the separator; leading white space is skipped.
QString ReadNextQuotedItem(QString &list, QChar sep, QChar quote = u'"');
// The item ReadNextQuotedItem would return; text stays unchanged.
QString FirstQuotedItem(const QString &text, QChar sep, QChar quote = u'"');
// Next item of the list as a signed decimal integer, def when it is none.
int ReadNextInt(QString &list, QChar sep, int def);
// The text in double quotes (inner quotes doubled) when it holds a blank.
QString QuoteIfBlank(const QString &text);

// Option words of the command line.
bool MatchesAbbreviation(const QString &word, const QString &keyword);
bool ReadOption(QString &option, const QString &keyword);

QString ChangeTextCase(const QString &text, TTextChange change);
QString StripLeading(const QString &text, QChar c);
QString StripTrailing(const QString &text, QChar c);
QString RemoveChar(const QString &text, QChar c);

// The value in decimal with leading zeros up to at least width digits.
QString ZeroPaddedInt(int width, qint64 value);

// One argument of SafeFormat: a text, a signed or unsigned integer, or a
// floating-point number.
class FormatArg
{
public:
    FormatArg(const QString &s) : m_value(s) {}
    FormatArg(const char *s) : m_value(QString::fromUtf8(s)) {}
    FormatArg(QStringView s) : m_value(s.toString()) {}
    FormatArg(QChar c) : m_value(QString(c)) {}
    template <typename T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T> &&
                                               !std::is_same_v<T, char>,
                                           int> = 0>
    FormatArg(T v) : m_value(qint64(v))
    {}
    template <typename T, std::enable_if_t<std::is_integral_v<T> && std::is_unsigned_v<T> &&
                                               !std::is_same_v<T, bool>,
                                           int> = 0>
    FormatArg(T v) : m_value(quint64(v))
    {}
    FormatArg(double v) : m_value(v) {}

    const std::variant<QString, qint64, quint64, double> &value() const { return m_value; }

private:
    std::variant<QString, qint64, quint64, double> m_value;
};

// printf-like formatting that never fails: %s, %d, %u, %x, %f, %e, %g, %%,
// with flags "-" and "0", width, precision (%.3d, %.2f) and an argument
// index ("%1:s", zero-based). Any mismatch between placeholders and arguments
// gives "Format error: " followed by the format.
QString SafeFormatArgs(const QString &format, std::initializer_list<FormatArg> args);

template <typename... Args> QString SafeFormat(const QString &format, const Args &...args)
{
    return SafeFormatArgs(format, {FormatArg(args)...});
}

// Entries of a delimited text: separated by the delimiter or by unquoted
// white space; an entry in quote characters (doubled inside) may hold both.
QStringList DelimitedTextToList(const QString &text, QChar delimiter = u',', QChar quote = u'"');
