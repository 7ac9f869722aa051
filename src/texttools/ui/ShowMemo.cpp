#include "texttools/ui/ShowMemo.h"

#include "dialogs/FileOpenDialog.h"
#include "dialogs/ListSelectDlg.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"
#include "texttools/TextDecoding.h"
#include "texttools/ui/FindDialog.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolButton>

namespace {

// Files from 2 GiB on are not shown.

// Every line break as the text area takes it.
// The line break a text file uses, by its first one; CR LF for a text
// without any.
QString LineBreakOf(const QString &text)
{
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (at < 0 || (text.at(at) == u'\r' && text.mid(at + 1, 1) == u"\n"))
        return QStringLiteral("\r\n");
    return QString(text.at(at));
}

QString WithLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

TShowTextDialog::TShowTextDialog(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    FormCreate();
}

TShowTextDialog::~TShowTextDialog() = default;

void TShowTextDialog::FormCreate()
{
    CreateControls();
    // Open beside the main window, the viewer must not keep the program
    // running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    Memo->clear();
    PrinterSettings = TPrinterSettings();
    LWidth = width();
    FCodePage = 0;
    TextName.clear();

    ListSelectDialog = new TListSelectDialog(this);
    ListSelectDialog->setSorted(false);
    ListSelectDialog->setOnSelect([this](int AIndex) {
        FCodePage = AIndex;
        LoadText();
    });

    connect(Memo, &QPlainTextEdit::cursorPositionChanged, this, &TShowTextDialog::MemoChange);
    connect(Memo, &QPlainTextEdit::selectionChanged, this, &TShowTextDialog::MemoChange);
    Memo->installEventFilter(this);

    connect(OpenBtn, &QToolButton::clicked, this, &TShowTextDialog::OpenBtnClick);
    connect(UpdateBtn, &QToolButton::clicked, this, &TShowTextDialog::UpdateBtnClick);
    connect(FontBtn, &QToolButton::clicked, this, &TShowTextDialog::FontBtnClick);
    connect(EncBtn, &QToolButton::clicked, this, &TShowTextDialog::EncBtnClick);
    connect(PrintBtn, &QToolButton::clicked, this, &TShowTextDialog::PrintBtnClick);
    connect(DeleteBtn, &QToolButton::clicked, this, &TShowTextDialog::DeleteBtnClick);
    connect(SearchBtn, &QToolButton::clicked, this, &TShowTextDialog::SearchBtnClick);
    connect(PrevSectBtn, &QToolButton::clicked, this, &TShowTextDialog::PrevSectBtnClick);
    connect(NextSectBtn, &QToolButton::clicked, this, &TShowTextDialog::NextSectBtnClick);
    connect(PrevErrBtn, &QToolButton::clicked, this, &TShowTextDialog::PrevErrBtnClick);
    connect(NextErrBtn, &QToolButton::clicked, this, &TShowTextDialog::NextErrBtnClick);
    connect(EndeBtn, &QToolButton::clicked, this, &TShowTextDialog::EndeBtnClick);

    // The window's keys come before its controls'.
    auto addKey = [this](const QKeySequence &key, auto handler) {
        auto *action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    addKey(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { SearchBtnClick(); });
    addKey(QKeySequence(Qt::Key_F3), [this] { SearchAgain(false); });
    addKey(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { SearchAgain(true); });

    TranslateComponent(this, QStringLiteral("dialogs"));
}

// ---------------------------------------------------------------------------
// Showing

void TShowTextDialog::Execute(const QString &Title, const QString &FileName,
                              const QString &PrevCap1, const QString &NextCap1,
                              const QString &SrchText1, const QString &PrevCap2,
                              const QString &NextCap2, const QString &SrchText2,
                              const QString &Filter, QPoint APos, int Line, TShowDlgType DlgType,
                              TShowDlgButtons Buttons, int CodePage)
{
    if (isVisible()) {
        if (QFileInfo::exists(FileName)) {
            FTitle = Title;
            LoadText(FileName);
            UpdateCaption();
        }
        raise();
        activateWindow();
        return;
    }

    PlaceFormAt(this, APos, false);
    FTitle = Title;
    setWindowTitle(Title + QStringLiteral(" [") + FileName + u']');
    FFilter = Filter;
    LPos = Line;

    PrevSectBtn->setToolTip(PrevCap1);
    NextSectBtn->setToolTip(NextCap1);
    SectText = SrchText1;
    PrevErrBtn->setToolTip(PrevCap2);
    NextErrBtn->setToolTip(NextCap2);
    ErrText = SrchText2;
    ArrangeButtons(Buttons);

    if (Buttons.contains(sbCodepage) && CodePageList.isEmpty())
        BuildCodePageList(CodePageList, D_("Automatic"));
    if (FCodePage == 0)
        FCodePage = CodePage;
    FDlgType = DlgType;

    if (!QFileInfo::exists(FileName)) {
        ErrorDialog(D_("File: ") + SafeFormat(D_("\"%s\" not found!"), FileName));
        return;
    }
    TextName = FileName;
    setWindowModality(FDlgType == stModal ? Qt::ApplicationModal : Qt::NonModal);
    show();
    FormShow();
    if (FDlgType == stModal)
        exec();
}

void TShowTextDialog::ArrangeButtons(TShowDlgButtons Buttons)
{
    OpenBtn->setVisible(Buttons.contains(sbOpen));
    UpdateBtn->setVisible(Buttons.contains(sbOpen));
    FontBtn->setVisible(Buttons.contains(sbFont));
    EncBtn->setVisible(Buttons.contains(sbCodepage));
    PrintBtn->setVisible(Buttons.contains(sbPrint));
    DeleteBtn->setVisible(Buttons.contains(sbErase));
    SearchBtn->setVisible(Buttons.contains(sbSearch));
    PrevSectBtn->setVisible(Buttons.contains(sbSection));
    NextSectBtn->setVisible(Buttons.contains(sbSection));
    PrevErrBtn->setVisible(Buttons.contains(sbError));
    NextErrBtn->setVisible(Buttons.contains(sbError));
}

void TShowTextDialog::UpdateCaption()
{
    setWindowTitle(FTitle + QStringLiteral(" [") + TextName + u']');
}

void TShowTextDialog::FormShow()
{
    SelectPrinter();
    resize(LWidth, height());
    FitFormToWorkArea(this);
    LoadText();
    raise();
    activateWindow();
}

void TShowTextDialog::hideEvent(QHideEvent *event)
{
    LWidth = width();
    if (FindDialog)
        FindDialog->hide();
    QDialog::hideEvent(event);
}

void TShowTextDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Memo->setFocus();
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Loading

void TShowTextDialog::LoadText(const QString &FileName)
{
    if (!FileName.isEmpty())
        TextName = FileName;
    const QString problem = TextName.isEmpty() ? QString() : ShownTextProblem(TextName);
    if (TextName.isEmpty() || !problem.isEmpty()) {
        Memo->setPlainText(QStringLiteral("*** ") +
                           SafeFormat(D_("Error loading file: \"%s\""), TextName));
        // A file that has gone is said in the text alone.
        if (!problem.isEmpty() && QFileInfo::exists(TextName))
            ErrorDialog(problem);
        return;
    }
    QFile file(TextName);
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorDialog(file.errorString());
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ErrorDialog(file.errorString());
        return;
    }
    file.close();

    const TDecodedText decoded = DecodeText(bytes, FCodePage);
    if (decoded.Failed) {
        ErrorDialogAt(BelowRightOfControl(EncBtn),
                      D_("The text does not fit this code page; it is shown in Windows-1252 "
                         "instead."));
        FCodePage = decoded.CodePage;
    }
    FReadCodePage = decoded.CodePage;
    FReadBom = decoded.HadByteOrderMark;
    FLineBreak = LineBreakOf(decoded.Text);
    Memo->setPlainText(WithLineFeeds(decoded.Text));
    // A name longer than the panel ends in "…"; the tool tip has it whole.
    const QString codePage = CodePageName(decoded.CodePage);
    StatusPanels[1]->setText(StatusPanels[1]->fontMetrics().elidedText(
        codePage, Qt::ElideMiddle, StatusPanels[1]->width() - ScaleByDpi(6, this)));
    StatusPanels[1]->setToolTip(codePage);

    QTextCursor cursor(Memo->document());
    if (LPos > 0 && LPos < LineCount()) {
        cursor.setPosition(Memo->document()->findBlockByNumber(LPos - 1).position());
        Memo->setTextCursor(cursor);
        Memo->verticalScrollBar()->setValue(LPos - 1);
    } else {
        cursor.movePosition(QTextCursor::End);
        Memo->setTextCursor(cursor);
        Memo->ensureCursorVisible();
    }
    MemoChange();
}

int TShowTextDialog::LineCount() const
{
    // A break at the end of the text starts no further line.
    const QTextDocument *document = Memo->document();
    const int blocks = document->blockCount();
    return document->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

int TShowTextDialog::CaretLine() const
{
    const QTextCursor cursor = Memo->textCursor();
    return Memo->document()->findBlock(cursor.selectionStart()).blockNumber() + 1;
}

QString TShowTextDialog::StatusText(int panel) const
{
    return panel >= 0 && panel < 3 ? StatusPanels[panel]->text() : QString();
}

void TShowTextDialog::MemoChange()
{
    StatusPanels[0]->setText(
        SafeFormat(D_(" Line: %u of %u"), unsigned(CaretLine()), unsigned(LineCount() + 1)));
}

QString TShowTextDialog::MemoText() const
{
    // The raw text keeps every character (no-break spaces too); positions
    // are those of the text cursor.
    QString text = Memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QStringList TShowTextDialog::MemoLines() const
{
    QStringList lines = MemoText().split(u'\n');
    if (lines.size() > LineCount())
        lines.removeLast();
    return lines;
}

bool TShowTextDialog::HasSelection() const
{
    return Memo->textCursor().hasSelection();
}

// ---------------------------------------------------------------------------
// Buttons

void TShowTextDialog::OpenBtnClick()
{
    TFileOpenRequest request;
    request.Title = FTitle;
    const QStringList filter = FFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < filter.size(); i += 2)
        request.Filters.append(TFileTypeFilter{filter.at(i), filter.at(i + 1)});
    request.StartDir = QFileInfo(TextName).absolutePath();
    const QStringList files = OpenFiles(this, request);
    if (files.isEmpty())
        return;
    LoadText(files.first());
    UpdateCaption();
}

void TShowTextDialog::UpdateBtnClick()
{
    LoadText();
}

void TShowTextDialog::FontBtnClick()
{
    std::optional<QFont> chosen;
    if (auto *script = TFontDialogScript::current()) {
        chosen = script->take(Memo->font());
    } else {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, Memo->font(), this, D_("Select font"),
                                                QFontDialog::MonospacedFonts);
        if (ok)
            chosen = font;
    }
    if (!chosen)
        return;
    QFont font = *chosen;
    if (font.pointSize() > 0)
        font.setPointSize(qBound(6, font.pointSize(), 24));
    Memo->setFont(font);
}

void TShowTextDialog::EncBtnClick()
{
    TListEntries entries;
    int current = -1;
    for (const TCodePageChoice &choice : std::as_const(CodePageList)) {
        // The word "Automatic" follows the language of the moment.
        const QString text = choice.CodePage == 0 ? u' ' + D_("Automatic") : choice.Text;
        if (choice.CodePage == FCodePage)
            current = int(entries.size());
        entries.append(TListEntry{text, choice.CodePage});
    }
    ListSelectDialog->Assign(entries, current);
    ListSelectDialog->ShowList(BelowControl(EncBtn, QPoint(0, 2)), Memo->height());
}

void TShowTextDialog::EndeBtnClick()
{
    reject();
}

// ---------------------------------------------------------------------------
// Search and navigation

void TShowTextDialog::EnsureFindDialog()
{
    if (FindDialog)
        return;
    FindDialog = new TFindDialog(this);
    // Reading goes downwards: the first search finds what is below the caret.
    FindDialog->SetDown(true);
    FindDialog->OnFind = [this] { FindDialogFind(); };
    // F3 and Shift+F3 search on from the find window too.
    FindDialog->addActions(actions());
}

void TShowTextDialog::SearchBtnClick()
{
    EnsureFindDialog();
    const QTextCursor cursor = Memo->textCursor();
    // A short selection on one line is what the user wants to find.
    if (cursor.hasSelection() && !cursor.selectedText().contains(QChar::ParagraphSeparator))
        FindDialog->SetFindText(cursor.selectedText());
    FindDialog->Execute(RightOfControl(SearchBtn));
}

void TShowTextDialog::FindDialogFind()
{
    SearchText(FindDialog->Down());
}

void TShowTextDialog::SearchAgain(bool Reverse)
{
    EnsureFindDialog();
    if (FindDialog->FindText().isEmpty()) {
        SearchBtnClick();
        return;
    }
    SearchText(FindDialog->Down() != Reverse);
}

bool TShowTextDialog::SelectHit(const QString &What, bool Down, int LinesBelow)
{
    EnsureFindDialog();
    TSearchOptions options = FindDialog->Options();
    options.Down = Down;
    const QTextCursor cursor = Memo->textCursor();
    const qsizetype pos =
        FindText(MemoText(), What, cursor.selectionStart(), cursor.selectionEnd(), options);
    if (pos < 0)
        return false;
    QTextCursor hit(Memo->document());
    if (LinesBelow > 0) {
        hit.setPosition(int(pos + What.size()));
        hit.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, LinesBelow);
        Memo->setTextCursor(hit);
        Memo->ensureCursorVisible();
    }
    hit.setPosition(int(pos));
    hit.setPosition(int(pos + What.size()), QTextCursor::KeepAnchor);
    Memo->setTextCursor(hit);
    Memo->ensureCursorVisible();
    MemoChange();
    return true;
}

bool TShowTextDialog::SearchText(bool Down)
{
    EnsureFindDialog();
    const QString what = FindDialog->FindText();
    StatusPanels[2]->clear();
    if (SelectHit(what, Down, 0))
        return true;
    // Past the end, the search goes on from the other end, as in any viewer.
    const QTextCursor from = Memo->textCursor();
    Memo->moveCursor(Down ? QTextCursor::Start : QTextCursor::End);
    if (!what.isEmpty() && SelectHit(what, Down, 0)) {
        StatusPanels[2]->setText(Down ? D_("Continued from the top")
                                      : D_("Continued from the end"));
        return true;
    }
    Memo->setTextCursor(from);
    ErrorDialog(SafeFormat(D_("\"%s\" not found!"), what));
    return false;
}

void TShowTextDialog::Navigate(const QString &What, bool Down, const QString &NoHitText)
{
    EnsureFindDialog();
    FindDialog->SetFindText(What);
    FindDialog->SetDown(Down);
    if (!What.isEmpty() && SelectHit(What, Down, Down ? 2 : 0)) {
        StatusPanels[2]->clear();
        return;
    }
    Memo->moveCursor(Down ? QTextCursor::End : QTextCursor::Start);
    Memo->ensureCursorVisible();
    MemoChange();
    StatusPanels[2]->setText(NoHitText);
}

void TShowTextDialog::PrevSectBtnClick()
{
    Navigate(SectText, false, D_("No further sections!"));
}

void TShowTextDialog::NextSectBtnClick()
{
    Navigate(SectText, true, D_("No further sections!"));
}

void TShowTextDialog::PrevErrBtnClick()
{
    Navigate(ErrText, false, D_("No further errors!"));
}

void TShowTextDialog::NextErrBtnClick()
{
    Navigate(ErrText, true, D_("No further errors!"));
}

// ---------------------------------------------------------------------------
// Deleting

bool TShowTextDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && !key->isAutoRepeat() &&
            key->modifiers() == Qt::NoModifier && HasSelection())
            DeleteSelectionByKey();
    }
    return QDialog::eventFilter(watched, event);
}

void TShowTextDialog::DeleteSelectionByKey()
{
    if (!HasSelection())
        return;
    if (ConfirmDialogAt(pos() + QPoint(200, 100), D_("Delete selected text?"), mbNo))
        RemoveSelectionAndSave(false);
}

void TShowTextDialog::DeleteBtnClick()
{
    if (HasSelection()) {
        if (!ConfirmDialogAt(pos() + QPoint(200, 100), D_("Delete selected text?"), mbNo))
            return;
        RemoveSelectionAndSave(true);
    } else {
        if (!ConfirmDialogAt(pos() + QPoint(200, 100),
                             SafeFormat(D_("Delete file \"%s\"?"), TextName), mbNo))
            return;
        QFile file(TextName);
        if (file.exists() && !file.remove()) {
            ErrorDialog(file.errorString());
            return;
        }
        Memo->clear();
    }
    if (FDlgType == stModal)
        reject();
}

void TShowTextDialog::RemoveSelectionAndSave(bool AsUtf8)
{
    QTextCursor cursor = Memo->textCursor();
    const QString text = MemoText();
    const QString remaining = text.left(cursor.selectionStart()) + text.mid(cursor.selectionEnd());
    // The file first: when it cannot be written, the text stays as it is.
    WriteBack(remaining, AsUtf8);
    cursor.removeSelectedText();
    Memo->setTextCursor(cursor);
    MemoChange();
}

void TShowTextDialog::WriteBack(const QString &Text, bool AsUtf8)
{
    // The file keeps its own line breaks.
    QString withBreaks = Text;
    withBreaks.replace(u'\n', FLineBreak);
    QByteArray bytes;
    // The code page the text was read in, as long as it holds every
    // character; otherwise UTF-8, which holds them all.
    if (!AsUtf8) {
        if (const std::optional<QByteArray> exact = EncodeTextExactly(withBreaks, FReadCodePage))
            bytes = (FReadBom ? ByteOrderMark(FReadCodePage) : QByteArray()) + *exact;
        else
            AsUtf8 = true;
    }
    if (AsUtf8) {
        bytes = ByteOrderMark(CpUtf8) + withBreaks.toUtf8();
        FReadCodePage = CpUtf8;
        FReadBom = true;
    }
    WriteFileSafely(TextName, bytes);
}
