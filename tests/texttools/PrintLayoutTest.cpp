#include "texttools/PrintLayout.h"
#include "common/TestUtils.h"

#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// Every character 20 units (2 mm) wide.
int Mono(const QString &text)
{
    return int(text.size()) * 20;
}

// Records a print run.
class TRecordingCanvas : public IPrintCanvas
{
public:
    struct TOut
    {
        int Page, X, Y;
        QString Text;
        bool Bold;
    };
    void SetBold(bool Bold) override { m_bold = Bold; }
    int TextWidth(const QString &Text) override { return Mono(Text); }
    void TextOut(int X, int Y, const QString &Text) override
    {
        Outs.push_back({Page, X, Y, Text, m_bold});
    }
    void HorizontalLine(int X1, int X2, int Y) override
    {
        Rules.push_back({Page, X1, Y, QString::number(X2), m_bold});
    }
    void NewPage() override { ++Page; }

    // The body lines (not bold) printed.
    QStringList Body() const
    {
        QStringList lines;
        for (const TOut &o : Outs) {
            if (!o.Bold)
                lines.append(o.Text);
        }
        return lines;
    }

    int Page = 1;
    std::vector<TOut> Outs;
    std::vector<TOut> Rules;

private:
    bool m_bold = false;
};
} // namespace

TEST(PrintLayout, CharHeight)
{
    EXPECT_EQ(PrintCharHeight(10), 35);
    EXPECT_EQ(PrintCharHeight(12), 42);
    EXPECT_EQ(PrintCharHeight(8), 28);
}

TEST(PrintLayout, LineWithoutBreaksIsFilledCharacterByCharacter)
{
    const QString line(200, u'x');
    // 30 characters fit in 610 units (the 31st would reach 620).
    const QStringList pieces = WrapPrintLine(line, 610, Mono);
    ASSERT_GE(pieces.size(), 7);
    EXPECT_EQ(pieces[0], QString(30, u'x'));
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i)
        EXPECT_EQ(pieces[i], S("* ") + QString(28, u'x')) << i;
    EXPECT_TRUE(pieces.last().startsWith(S("* ")));
    QString joined = pieces[0];
    for (qsizetype i = 1; i < pieces.size(); ++i)
        joined += pieces[i].mid(2);
    EXPECT_EQ(joined, line);
}

TEST(PrintLayout, LineBreaksAfterBlanksBackslashesAndBraces)
{
    EXPECT_EQ(WrapPrintLine(S("short"), 200, Mono), QStringList{S("short")});
    // Exactly as wide as the page is too wide.
    EXPECT_EQ(WrapPrintLine(S("abcde fghij"), 220, Mono), (QStringList{S("abcde "), S("* fghij")}));
    EXPECT_EQ(WrapPrintLine(S("C:\\Games\\Doom\\Data\\Levels\\Episode1\\readme.txt"), 600, Mono),
              (QStringList{S("C:\\Games\\Doom\\Data\\Levels\\"), S("* Episode1\\readme.txt")}));
    EXPECT_EQ(WrapPrintLine(S("{a}{b}{c}"), 140, Mono), (QStringList{S("{a}{b}"), S("* {c}")}));
    // A piece exactly as wide as the page does not fit either.
    EXPECT_EQ(WrapPrintLine(S("{a}{b}{c}"), 120, Mono),
              (QStringList{S("{a}"), S("* {b}"), S("* {c}")}));
    // The mark counts: "cccc dddd" alone would fit.
    EXPECT_EQ(WrapPrintLine(S("aaaa bbbb cccc dddd"), 220, Mono),
              (QStringList{S("aaaa bbbb "), S("* cccc "), S("* dddd")}));
    // However narrow the page, every piece takes a character.
    EXPECT_EQ(WrapPrintLine(S("ab"), 10, Mono), (QStringList{S("a"), S("* b")}));
    EXPECT_EQ(WrapPrintLine(QString(), 10, Mono), QStringList{QString()});
}

TEST(PrintLayout, SelectedLines)
{
    const QStringList lines{S("1"), S("2"), S("3"), S("4"), S("5"), S("6")};
    EXPECT_EQ(LinesToPrint(lines), lines);
    EXPECT_EQ(LinesToPrint(lines, 2, 4), (QStringList{S("3"), S("4"), S("5")}));
    EXPECT_EQ(LinesToPrint(lines, 5, 9), QStringList{S("6")});
    EXPECT_EQ(LinesToPrint(lines, 9, 9), QStringList());
}

TEST(PrintLayout, HeaderOnEveryPage)
{
    TPrintJob job;
    job.Title = S("Manual for Doom");
    job.FileName = S("/home/user/dos/games/doom/manual.txt");
    job.Lines = {S("first"), S("second")};
    TRecordingCanvas canvas;
    EXPECT_EQ(PrintLines(canvas, job), 1);
    // Title, page number right-aligned at the right limit (2000 - 100),
    // file line, rule, 2 mm gap, then the body at the left margin.
    ASSERT_EQ(canvas.Outs.size(), 5u);
    EXPECT_EQ(canvas.Outs[0].Text, S("Manual for Doom"));
    EXPECT_EQ(canvas.Outs[0].X, 200);
    EXPECT_EQ(canvas.Outs[0].Y, 150);
    EXPECT_TRUE(canvas.Outs[0].Bold);
    EXPECT_EQ(canvas.Outs[1].Text, S("Page: 1"));
    EXPECT_EQ(canvas.Outs[1].X + Mono(S("Page: 1")), 1900);
    EXPECT_EQ(canvas.Outs[2].Text, S("File: /home/user/dos/games/doom/manual.txt"));
    EXPECT_EQ(canvas.Outs[2].Y, 150 + 38);
    ASSERT_EQ(canvas.Rules.size(), 1u);
    EXPECT_EQ(canvas.Rules[0].Y, 150 + 2 * 38);
    EXPECT_EQ(canvas.Outs[3].Text, S("first"));
    EXPECT_FALSE(canvas.Outs[3].Bold);
    EXPECT_EQ(canvas.Outs[3].Y, 150 + 2 * 38 + 20);
    EXPECT_EQ(canvas.Outs[4].Y, 150 + 3 * 38 + 20);
}

TEST(PrintLayout, LongFileNameIsShortened)
{
    TPrintJob job;
    job.FileName = S("/home/user/") + QString(60, u'd') + S("/manuals/games/readme.txt");
    job.Lines = {S("x")};
    TRecordingCanvas canvas;
    PrintLines(canvas, job);
    const QString fileLine = canvas.Outs[2].Text;
    EXPECT_TRUE(fileLine.startsWith(S("File: ")));
    EXPECT_LE(fileLine.size(), 80);
    EXPECT_EQ(fileLine.count(S("...")), 1);
    EXPECT_TRUE(fileLine.endsWith(S("/readme.txt")));
}

TEST(PrintLayout, NewPageOnlyForAFurtherLine)
{
    TPrintJob job;
    // Body from 150 + 96 = 246; bottom limit 2900 - 150 = 2750; 38 per line:
    // 66 lines reach it exactly.
    const int perPage = (2750 - 246 + 37) / 38;
    ASSERT_EQ(perPage, 66);
    for (int i = 0; i < perPage; ++i)
        job.Lines.append(QString::number(i));
    TRecordingCanvas full;
    EXPECT_EQ(PrintLines(full, job), 1);
    EXPECT_EQ(full.Page, 1);

    job.Lines.append(S("next"));
    TRecordingCanvas more;
    EXPECT_EQ(PrintLines(more, job), 2);
    ASSERT_EQ(more.Page, 2);
    const auto &last = more.Outs.back();
    EXPECT_EQ(last.Text, S("next"));
    EXPECT_EQ(last.Page, 2);
    EXPECT_EQ(last.Y, 246);
    int pageTwoHeaders = 0;
    for (const auto &o : more.Outs)
        pageTwoHeaders += o.Page == 2 && o.Text == S("Page: 2");
    EXPECT_EQ(pageTwoHeaders, 1);
}

TEST(PrintLayout, WrappedPiecesContinueOnTheNextPage)
{
    TPrintJob job;
    job.PageHeight = 150 + 96 + 38 + 150; // one body line per page
    job.Lines = {QString(200, u'y')};
    TRecordingCanvas canvas;
    const int pages = PrintLines(canvas, job);
    EXPECT_EQ(pages, int(canvas.Body().size()));
    EXPECT_TRUE(canvas.Body().last().startsWith(S("* ")));

    // An empty text still gets its header.
    TRecordingCanvas empty;
    job.Lines.clear();
    EXPECT_EQ(PrintLines(empty, job), 1);
    EXPECT_EQ(empty.Rules.size(), 1u);
    EXPECT_TRUE(empty.Body().isEmpty());
}
