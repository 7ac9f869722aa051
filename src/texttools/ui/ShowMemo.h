#pragma once

#include "dialogs/DialogScript.h"
#include "support/SmallSet.h"
#include "texttools/CodePageList.h"
#include "texttools/PrintLayout.h"
#include "texttools/TextSearch.h"

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QStatusBar;
class QToolButton;
class TFindDialog;
class TListSelectDialog;

enum TShowDlgType
{
    stShow, // stays open beside the other windows
    stModal
};

enum TShowDlgBtn
{
    sbOpen,
    sbErase,
    sbPrint,
    sbSearch,
    sbSection,
    sbError,
    sbFont,
    sbCodepage
};
using TShowDlgButtons = TSmallSet<TShowDlgBtn>;

// The text viewer: a text file shown read-only in a monospaced area, decoded
// in a chosen code page or detected automatically, with search, section and
// error navigation, deleting of selected text, printing and a status line.
// Created once at start and reused: Execute while it is showing loads the
// new file into it.
class TShowTextDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TShowTextDialog(QWidget *parent = nullptr);
    ~TShowTextDialog() override;

    // PrevCap1/NextCap1 are the hints of the section buttons and SrchText1
    // the text they look for; PrevCap2/NextCap2/SrchText2 the same for the
    // error buttons. Filter is the Open button's («All|*.*»). Line is shown
    // after loading (from 1; 0 or less: the end). CodePage 0 detects the
    // encoding; a code page chosen in the window wins for the rest of the run.
    void Execute(const QString &Title, const QString &FileName, const QString &PrevCap1,
                 const QString &NextCap1, const QString &SrchText1, const QString &PrevCap2,
                 const QString &NextCap2, const QString &SrchText2, const QString &Filter,
                 QPoint APos, int Line, TShowDlgType DlgType, TShowDlgButtons Buttons,
                 int CodePage);

    // Reads and decodes the file (TextName when none is given) and places
    // the caret.
    void LoadText(const QString &FileName = QString());
    // Searches for the find window's text, downward or upward.
    bool SearchText(bool Down);

    // Print settings, and the file a print run goes to instead of the
    // printer (a PDF file; empty: the printer).
    TPrinterSettings PrinterSettings;
    void SetPrintToFile(const QString &pdfFile) { FPrintFile = pdfFile; }
    // The PDF file proposed when printing into a file: the text's name with
    // ".pdf", beside it, or in the documents (else home) folder when its
    // folder cannot be written.
    QString PdfFileName() const;
    // Prints the whole text or the lines of the selection; with ShowDialog
    // the print dialog comes first.
    void PrintText(bool ShowDialog, bool SelectedOnly);
    // The lines a print run prints: all, or those from the selection's
    // first to its last character.
    QStringList LinesForPrinting(bool SelectedOnly) const;

    // The state of the window.
    QString TextName;
    QString FTitle;
    QString FFilter;
    int LPos = 0;
    int FCodePage = 0;
    TShowDlgType FDlgType = stShow;
    int LWidth = 0;
    QString SectText;
    QString ErrText;
    TCodePageChoices CodePageList;
    TListSelectDialog *ListSelectDialog;
    TFindDialog *FindDialog = nullptr;

    // The text and the caret as the status line counts them.
    int LineCount() const;
    int CaretLine() const;
    QString StatusText(int panel) const;

    // Event handlers.
    void MemoChange();
    void OpenBtnClick();
    void UpdateBtnClick();
    void FontBtnClick();
    void EncBtnClick();
    void PrintBtnClick();
    void DeleteBtnClick();
    void SearchBtnClick();
    void FindDialogFind();
    void PrevSectBtnClick();
    void NextSectBtnClick();
    void PrevErrBtnClick();
    void NextErrBtnClick();
    void EndeBtnClick();
    // Releasing Del with a selection: delete it and write the file back.
    void DeleteSelectionByKey();

    // Components.
    QWidget *ButtonRow;
    QToolButton *OpenBtn;
    QToolButton *UpdateBtn;
    QToolButton *FontBtn;
    QToolButton *EncBtn;
    QToolButton *PrintBtn;
    QToolButton *DeleteBtn;
    QToolButton *SearchBtn;
    QToolButton *PrevSectBtn;
    QToolButton *NextSectBtn;
    QToolButton *PrevErrBtn;
    QToolButton *NextErrBtn;
    QToolButton *EndeBtn;
    QPlainTextEdit *Memo;
    QStatusBar *StatusBar;
    QLabel *StatusPanels[3];

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormCreate();
    void CreateControls();
    void FormShow();
    void ArrangeButtons(TShowDlgButtons Buttons);
    void SelectPrinter();
    void UpdateCaption();
    void EnsureFindDialog();
    void SearchAgain(bool Reverse);
    void Navigate(const QString &What, bool Down, const QString &NoHitText);
    bool SelectHit(const QString &What, bool Down, int LinesBelow);
    QString MemoText() const;
    QStringList MemoLines() const;
    bool HasSelection() const;
    void RemoveSelectionAndSave(bool AsUtf8);
    void WriteBack(const QString &Text, bool AsUtf8);

    QString FPrintFile;
    std::unique_ptr<QPrinter> FPrinter;
    bool FPrinting = false;
    // How the shown text was read, so that writing it back keeps it.
    int FReadCodePage = 0;
    bool FReadBom = false;
    QString FLineBreak = QStringLiteral("\r\n");
};

// Test seams of the viewer's system dialogs (see DialogScript.h): the print
// dialog (asked with the job's title; true prints) and the font dialog
// (asked with the current font; a font chooses it, nothing cancels).
using TPrintDialogScript = TDialogScript<QString, bool>;
using TFontDialogScript = TDialogScript<QFont, std::optional<QFont>>;
