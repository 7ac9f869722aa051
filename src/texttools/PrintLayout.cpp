#include "texttools/PrintLayout.h"

#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <cmath>

int PrintCharHeight(int FontSize)
{
    return int(std::lround(FontSize * 3.53));
}

namespace {

qsizetype NextBreak(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u' ' || c == u'\\' || c == u'}')
            return i;
    }
    return -1;
}

} // namespace

QStringList WrapPrintLine(const QString &Line, int AvailableWidth, const TTextWidth &Width)
{
    QStringList pieces;
    QString prefix;
    QString rest = Line;
    while (!rest.isEmpty() && Width(prefix + rest) >= AvailableWidth) {
        QString piece;
        for (;;) {
            const qsizetype pos = NextBreak(rest);
            if (pos >= 0 && Width(prefix + piece + rest.left(pos + 1)) < AvailableWidth) {
                piece += rest.left(pos + 1);
                rest.remove(0, pos + 1);
                continue;
            }
            if (piece.isEmpty()) {
                // Every piece takes at least one character, however narrow
                // the page.
                do {
                    piece += rest.at(0);
                    rest.remove(0, 1);
                } while (!rest.isEmpty() && Width(prefix + piece + rest.at(0)) < AvailableWidth);
            }
            break;
        }
        pieces.append(prefix + piece);
        prefix = QString::fromUtf16(ContinuationMark);
    }
    // What is left; nothing when the last piece took the end of the line.
    if (!rest.isEmpty() || pieces.isEmpty())
        pieces.append(prefix + rest);
    return pieces;
}

QStringList LinesToPrint(const QStringList &Lines, int FirstLine, int LastLine)
{
    if (FirstLine < 0)
        return Lines;
    FirstLine = qMin(FirstLine, int(Lines.size()));
    LastLine = qBound(FirstLine - 1, LastLine, int(Lines.size()) - 1);
    return Lines.mid(FirstLine, LastLine - FirstLine + 1);
}

namespace {

class TPagePrinter
{
public:
    TPagePrinter(IPrintCanvas &canvas, const TPrintJob &job)
        : m_canvas(canvas), m_job(job), m_margins(job.Settings.Margins),
          m_bottom(job.PageHeight - m_margins.bottom()), m_right(job.PageWidth - m_margins.right()),
          m_advance(PrintCharHeight(job.Settings.FontSize) + 3), m_y(m_margins.top())
    {}

    int Print()
    {
        const int available = m_right - m_margins.left();
        const TTextWidth width = [this](const QString &text) { return m_canvas.TextWidth(text); };
        // An empty text still gets its page with the header.
        if (m_job.Lines.isEmpty())
            PageHeader();
        for (const QString &line : m_job.Lines) {
            PageHeader();
            const QStringList pieces = WrapPrintLine(line, available, width);
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                m_canvas.TextOut(m_margins.left(), m_y, pieces.at(i));
                m_y += m_advance;
                if (i + 1 < pieces.size())
                    PageHeader();
            }
        }
        return m_page;
    }

private:
    void PageHeader()
    {
        if (m_y >= m_bottom) {
            m_y = m_margins.top();
            m_canvas.NewPage();
            ++m_page;
        }
        if (m_y != m_margins.top())
            return;
        m_canvas.SetBold(true);
        m_canvas.TextOut(m_margins.left(), m_y, m_job.Title);
        const QString page = SafeFormat(D_("Page: %u"), m_page);
        m_canvas.TextOut(m_right - m_canvas.TextWidth(page), m_y, page);
        m_y += m_advance;
        const QString fileCaption = D_("File: ");
        m_canvas.TextOut(m_margins.left(), m_y,
                         fileCaption + ShortenPath(m_job.FileName, 80 - int(fileCaption.size())));
        m_y += m_advance;
        m_canvas.HorizontalLine(m_margins.left(), m_right, m_y);
        m_canvas.SetBold(false);
        m_y += 20;
    }

    IPrintCanvas &m_canvas;
    const TPrintJob &m_job;
    const QMargins m_margins;
    const int m_bottom;
    const int m_right;
    const int m_advance;
    int m_y;
    int m_page = 1;
};

} // namespace

int PrintLines(IPrintCanvas &Canvas, const TPrintJob &Job)
{
    return TPagePrinter(Canvas, Job).Print();
}
