#pragma once

#include "support/SmallSet.h"

#include <QMargins>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

// The layout of a printed text: a monospaced listing with a header on every
// page and long lines wrapped with a continuation mark. Every measure is in
// tenths of a millimetre, from the top-left corner of the printable area.

enum TPrintFontStyle
{
    pfsBold,
    pfsItalic,
    pfsUnderline,
    pfsStrikeOut
};
using TPrintFontStyles = TSmallSet<TPrintFontStyle>;

// How the text viewer prints.
struct TPrinterSettings
{
    QString PrtName;                      // empty: the system's default printer
    QMargins Margins{200, 150, 100, 150}; // left, top, right, bottom
    int Feed = 0;
    QString FontName = QStringLiteral("Courier New");
    int FontSize = 10; // points
    TPrintFontStyles FontStyle;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
};

// Page size of a device that reports none.
inline constexpr int DefaultPageWidth = 2000;
inline constexpr int DefaultPageHeight = 2900;
// Before a continued piece of a wrapped line.
inline constexpr char16_t ContinuationMark[] = u"* ";

// Character height of the body font: 10 points are 3.53 mm, i.e. 35.
int PrintCharHeight(int FontSize);

// Width of a text in the current font, in 0.1 mm.
using TTextWidth = std::function<int(const QString &)>;

// The pieces a line is printed in: while what is left (after the mark "* "
// of a continuation) is as wide as the available width or wider, a piece
// ends after the last blank, "\" or "}" that still fits, or, without one,
// after as many characters as fit (at least one). The first piece has no
// mark; every following one begins with "* ".
QStringList WrapPrintLine(const QString &Line, int AvailableWidth, const TTextWidth &Width);

// The lines FirstLine to LastLine (0-based, both included) of Lines, or
// every line when FirstLine is negative.
QStringList LinesToPrint(const QStringList &Lines, int FirstLine = -1, int LastLine = -1);

// Where a print run draws. Coordinates in 0.1 mm; the top of a text is its
// y coordinate. The first page exists when printing starts.
class IPrintCanvas
{
public:
    virtual ~IPrintCanvas() = default;
    // Switches between the bold header font and the body font.
    virtual void SetBold(bool Bold) = 0;
    virtual int TextWidth(const QString &Text) = 0;
    virtual void TextOut(int X, int Y, const QString &Text) = 0;
    virtual void HorizontalLine(int X1, int X2, int Y) = 0;
    virtual void NewPage() = 0;
};

struct TPrintJob
{
    QStringList Lines;
    QString Title;
    QString FileName;
    int PageWidth = DefaultPageWidth;
    int PageHeight = DefaultPageHeight;
    TPrinterSettings Settings;
};

// Prints the job's lines page by page: a header at the top of every page
// (title and page number, file name, rule), a new page only when a further
// line follows. Returns the number of pages.
int PrintLines(IPrintCanvas &Canvas, const TPrintJob &Job);
