// Printing the viewer's text: printer choice, print dialog and the page
// drawing of PrintLayout on the printer.

#include "texttools/ui/ShowMemo.h"

#include "dialogs/MsgDialogs.h"
#include "support/GnuGettext.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTextBlock>
#include <QToolButton>
#include <cmath>

namespace {

// PrintLayout's 0.1 mm on a printer: text tops become base lines, and
// widths come from the printer's own font metrics.
class TPrinterCanvas : public IPrintCanvas
{
public:
    TPrinterCanvas(QPrinter &printer, QPainter &painter, const TPrinterSettings &settings)
        : m_printer(printer), m_painter(painter),
          m_scale(printer.logicalDpiY() / 254.0) // device pixels per 0.1 mm
    {
        m_body = QFont(settings.FontName);
        m_body.setStyleHint(QFont::TypeWriter);
        m_body.setPixelSize(
            qMax(1, int(std::lround(PrintCharHeight(settings.FontSize) * m_scale))));
        m_body.setBold(settings.FontStyle.contains(pfsBold));
        m_body.setItalic(settings.FontStyle.contains(pfsItalic));
        m_body.setUnderline(settings.FontStyle.contains(pfsUnderline));
        m_body.setStrikeOut(settings.FontStyle.contains(pfsStrikeOut));
        m_bold = m_body;
        m_bold.setBold(true);
        m_painter.setBackgroundMode(Qt::OpaqueMode);
        m_painter.setBackground(Qt::white);
        m_painter.setPen(Qt::black);
        SetBold(false);
    }

    void SetBold(bool Bold) override { m_painter.setFont(Bold ? m_bold : m_body); }

    int TextWidth(const QString &Text) override
    {
        const QFontMetricsF metrics(m_painter.font(), &m_printer);
        return int(std::ceil(metrics.horizontalAdvance(Text) / m_scale));
    }

    void TextOut(int X, int Y, const QString &Text) override
    {
        const QFontMetricsF metrics(m_painter.font(), &m_printer);
        m_painter.drawText(QPointF(X * m_scale, Y * m_scale + metrics.ascent()), Text);
    }

    void HorizontalLine(int X1, int X2, int Y) override
    {
        QPen pen(Qt::black);
        pen.setWidthF(qMax(1.0, 3 * m_scale)); // 0.3 mm
        m_painter.save();
        m_painter.setPen(pen);
        m_painter.drawLine(QPointF(X1 * m_scale, Y * m_scale), QPointF(X2 * m_scale, Y * m_scale));
        m_painter.restore();
    }

    void NewPage() override { m_printer.newPage(); }

private:
    QPrinter &m_printer;
    QPainter &m_painter;
    const double m_scale;
    QFont m_body;
    QFont m_bold;
};

class TBusyCursor
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};

} // namespace

void TShowTextDialog::SelectPrinter()
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    QString name;
    if (!printers.isEmpty()) {
        name = printers.contains(PrinterSettings.PrtName) ? PrinterSettings.PrtName
                                                          : QPrinterInfo::defaultPrinterName();
        if (name.isEmpty() || !printers.contains(name))
            name = printers.first();
    }
    PrinterSettings.PrtName = name;
    // Without a printer the text still prints into a PDF file.
    PrintBtn->setEnabled(true);
}

QString TShowTextDialog::PdfFileName() const
{
    const QFileInfo text(TextName);
    const QString name =
        text.completeBaseName().isEmpty() ? QStringLiteral("print") : text.completeBaseName();
    QString dir = text.absolutePath();
    if (TextName.isEmpty() || !QFileInfo(dir).isWritable()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(dir).isDir())
            dir = QDir::homePath();
    }
    return QDir(dir).filePath(name + QStringLiteral(".pdf"));
}

QStringList TShowTextDialog::LinesForPrinting(bool SelectedOnly) const
{
    const QStringList lines = MemoLines();
    const QTextCursor cursor = Memo->textCursor();
    if (!SelectedOnly || !cursor.hasSelection())
        return lines;
    const QTextDocument *document = Memo->document();
    // The line of the last character: a selection that ends after a line
    // break does not take the line that follows.
    const int first = document->findBlock(cursor.selectionStart()).blockNumber();
    const int last = document->findBlock(cursor.selectionEnd() - 1).blockNumber();
    return LinesToPrint(lines, first, last);
}

void TShowTextDialog::PrintBtnClick()
{
    if (FPrinting)
        return;
    bool selected = false;
    if (HasSelection())
        selected = ConfirmDialog(D_("Print selected lines?"));
    PrintText(true, selected);
    Memo->setFocus();
}

void TShowTextDialog::PrintText(bool ShowDialog, bool SelectedOnly)
{
    if (FPrinting)
        return;
    FPrinting = true;
    const auto done = qScopeGuard([this] { FPrinting = false; });

    // One printer for the run keeps what the user chose in the print dialog.
    if (!FPrinter) {
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!PrinterSettings.PrtName.isEmpty())
            FPrinter->setPrinterName(PrinterSettings.PrtName);
        FPrinter->setPageOrientation(PrinterSettings.Orientation);
    }
    QPrinter &printer = *FPrinter;
    // Qt's print dialog proposes a PDF file named after the document in the
    // user's folder: the text's own name, not the window's caption with its
    // path. Without a printer, PDF is the only choice: the file goes beside
    // the text (or into the documents folder) unless the user names another.
    const QString pdf =
        FPrintFile.isEmpty() && PrinterSettings.PrtName.isEmpty() ? PdfFileName() : FPrintFile;
    if (!pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }
    printer.setDocName(QFileInfo(TextName).fileName());

    TPrintJob job;
    job.Title = FTitle;
    job.FileName = TextName;
    job.Settings = PrinterSettings;
    job.Lines = LinesForPrinting(SelectedOnly);

    if (ShowDialog) {
        if (auto *script = TPrintDialogScript::current()) {
            if (!script->take(job.Title))
                return;
        } else {
            QPrintDialog dialog(&printer, this);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
            if (dialog.exec() != QDialog::Accepted)
                return;
        }
    }

    TBusyCursor busy;
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    job.PageHeight = area.height() > 0 ? int(std::lround(area.height() * 10)) : DefaultPageHeight;
    job.PageWidth = area.width() > 0 ? int(std::lround(area.width() * 10)) : DefaultPageWidth;

    QPainter painter;
    if (!painter.begin(&printer)) {
        ErrorDialog(D_("The printer could not be started."));
        return;
    }
    TPrinterCanvas canvas(printer, painter, PrinterSettings);
    PrintLines(canvas, job);
    painter.end();
}
