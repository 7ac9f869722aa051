#include "support/SearchText.h"

namespace {

bool IsAsciiOnly(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool IsApostrophe(char16_t c)
{
    return c == u'\'' || c == u'\u2019' || c == u'\u02BC';
}

// Letters that stand for two letters or carry a stroke, which no
// decomposition takes apart.
const char *SpelledOut(char16_t c)
{
    switch (c) {
    case u'ß':
    case u'ẞ':
        return "ss";
    case u'æ':
    case u'Æ':
        return "ae";
    case u'œ':
    case u'Œ':
        return "oe";
    case u'ø':
    case u'Ø':
        return "o";
    case u'ł':
    case u'Ł':
        return "l";
    case u'đ':
    case u'Đ':
    case u'ð':
    case u'Ð':
        return "d";
    case u'þ':
    case u'Þ':
        return "th";
    case u'ħ':
    case u'Ħ':
        return "h";
    case u'ı':
        return "i";
    default:
        return nullptr;
    }
}

} // namespace

QString FoldForSearch(QStringView text)
{
    if (IsAsciiOnly(text)) {
        QString folded;
        folded.reserve(text.size());
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == u'\'')
                continue;
            folded.append(u >= u'A' && u <= u'Z' ? QChar(u + 32) : c);
        }
        return folded;
    }
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString stripped;
    stripped.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || IsApostrophe(c.unicode()))
            continue;
        if (const char *letters = SpelledOut(c.unicode()))
            stripped.append(QLatin1StringView(letters));
        else
            stripped.append(c);
    }
    return stripped.toCaseFolded();
}

QStringList SearchWords(QStringView typed)
{
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= typed.size(); ++i) {
        if (i < typed.size() && !typed.at(i).isSpace())
            continue;
        if (i > start) {
            QString folded = FoldForSearch(typed.sliced(start, i - start));
            if (!folded.isEmpty())
                words.append(std::move(folded));
        }
        start = i + 1;
    }
    return words;
}

bool ContainsAllWords(QStringView foldedText, const QStringList &words)
{
    for (const QString &word : words) {
        if (!foldedText.contains(word))
            return false;
    }
    return true;
}

bool NarrowsSearch(const QStringList &words, const QStringList &earlier)
{
    for (const QString &old : earlier) {
        bool within = false;
        for (const QString &word : words)
            within = within || word.contains(old);
        if (!within)
            return false;
    }
    return true;
}
