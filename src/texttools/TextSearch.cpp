#include "texttools/TextSearch.h"

namespace {

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool IsWholeWord(const QString &text, qsizetype pos, qsizetype length)
{
    if (pos > 0 && IsWordChar(text.at(pos - 1)) && IsWordChar(text.at(pos)))
        return false;
    const qsizetype end = pos + length;
    return end >= text.size() || !IsWordChar(text.at(end)) || !IsWordChar(text.at(end - 1));
}

} // namespace

qsizetype FindText(const QString &Text, const QString &What, qsizetype SelStart, qsizetype SelEnd,
                   const TSearchOptions &Options)
{
    if (What.isEmpty() || What.size() > Text.size())
        return -1;
    const Qt::CaseSensitivity cs = Options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    SelStart = qBound<qsizetype>(0, SelStart, Text.size());
    SelEnd = qBound<qsizetype>(SelStart, SelEnd, Text.size());
    if (Options.Down) {
        for (qsizetype pos = Text.indexOf(What, SelEnd, cs); pos >= 0;
             pos = Text.indexOf(What, pos + 1, cs)) {
            if (!Options.WholeWord || IsWholeWord(Text, pos, What.size()))
                return pos;
        }
        return -1;
    }
    qsizetype from = SelStart - What.size();
    while (from >= 0) {
        const qsizetype pos = Text.lastIndexOf(What, from, cs);
        if (pos < 0)
            return -1;
        if (!Options.WholeWord || IsWholeWord(Text, pos, What.size()))
            return pos;
        from = pos - 1;
    }
    return -1;
}
