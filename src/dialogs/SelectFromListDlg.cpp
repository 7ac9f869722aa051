#include "dialogs/SelectFromListDlg.h"

#include "dialogs/ActionImages.h"
#include "dialogs/InputString.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <initializer_list>

namespace {

// Design sizes at 96 pixels per inch.
constexpr int EditPartWidth = 141;
constexpr int GroupLeft = 10;
constexpr int ButtonLeft = 5;
constexpr int ButtonWidth = 111;
constexpr int ButtonHeight = 34;
constexpr int ButtonStep = 35;
constexpr int GlyphSize = 20;
constexpr int Dist = 5;
constexpr int HintHeight = 31;
constexpr int DefaultClientWidth = 420;
constexpr QPoint QuestionOffset(-100, 10);

} // namespace

TSelectFromListDialog::TSelectFromListDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint)
{
    setObjectName(QStringLiteral("SelectFromListDialog"));
    setWindowTitle(ND_("Select item from list"));
    setModal(true);
    setSizeGripEnabled(true);

    paList = new QWidget(this);
    paList->setObjectName(QStringLiteral("paList"));
    lbDesc = new QLabel(paList);
    lbDesc->setObjectName(QStringLiteral("lbDesc"));
    lbDesc->setWordWrap(true);
    lbDesc->setTextFormat(Qt::PlainText);
    lbxStringList = new QListWidget(paList);
    lbxStringList->setObjectName(QStringLiteral("lbxStringList"));
    lbxStringList->setUniformItemSizes(true);
    lbDesc->setBuddy(lbxStringList);
    auto *listLayout = new QVBoxLayout(paList);
    listLayout->setContentsMargins(0, ScaleByDpi(Dist, this), 0, ScaleByDpi(Dist, this));
    listLayout->addWidget(lbDesc);
    listLayout->addWidget(lbxStringList, 1);

    paEdit = new QWidget(this);
    paEdit->setObjectName(QStringLiteral("paEdit"));
    gbxEdit = new QGroupBox(ND_("Edit items"), paEdit);
    gbxEdit->setObjectName(QStringLiteral("gbxEdit"));
    const auto makeButton = [](QWidget *owner, const char *name, const QString &caption,
                               const QString &hint, const QIcon &glyph) {
        auto *b = new QPushButton(caption, owner);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setIcon(glyph);
        b->setIconSize(QSize(GlyphSize, GlyphSize));
        b->setAutoDefault(false);
        return b;
    };
    btnInsert =
        makeButton(gbxEdit, "btnInsert", ND_("Add"), ND_("Add item"),
                   ThemeIcon({QStringLiteral("list-add")}, QStyle::SP_FileDialogNewFolder, this));
    btnDelete = makeButton(
        gbxEdit, "btnDelete", ND_("Remove"), ND_("Remove selected items"),
        ThemeIcon({QStringLiteral("list-remove")}, QStyle::SP_DialogDiscardButton, this));
    btnEdit = makeButton(
        gbxEdit, "btnEdit", ND_("Change"), ND_("Edit item"),
        ThemeIcon({QStringLiteral("document-edit")}, QStyle::SP_FileDialogContentsView, this));
    btnDefault =
        makeButton(gbxEdit, "btnDefault", ND_("Default"), ND_("Reset to default values"),
                   ThemeIcon({QStringLiteral("edit-undo")}, QStyle::SP_DialogResetButton, this));
    btnDelAll = makeButton(gbxEdit, "btnDelAll", ND_("Remove all"), ND_("Remove all items"),
                           ThemeIcon({QStringLiteral("edit-clear")}, QStyle::SP_TrashIcon, this));
    gbxMove = new QGroupBox(ND_("Move item"), paEdit);
    gbxMove->setObjectName(QStringLiteral("gbxMove"));
    UpBtn = makeButton(gbxMove, "UpBtn", QString(), ND_("Move item up"),
                       ThemeIcon({QStringLiteral("go-up-symbolic"), QStringLiteral("go-up")},
                                 QStyle::SP_ArrowUp, this));
    DownBtn = makeButton(gbxMove, "DownBtn", QString(), ND_("Move item down"),
                         ThemeIcon({QStringLiteral("go-down-symbolic"), QStringLiteral("go-down")},
                                   QStyle::SP_ArrowDown, this));
    lbHint = new QLabel(paEdit);
    lbHint->setObjectName(QStringLiteral("lbHint"));
    lbHint->setWordWrap(true);
    lbHint->setTextFormat(Qt::PlainText);
    lbHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    btnPrompt = makeButton(
        paEdit, "btnPrompt", ND_("Prompt"), QString(),
        ThemeIcon({QStringLiteral("dialog-question")}, QStyle::SP_MessageBoxQuestion, this));
    OKBtn = makeButton(paEdit, "OKBtn", ND_("OK"), QString(),
                       style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, this));
    OKBtn->setDefault(true);
    CancelBtn = makeButton(paEdit, "CancelBtn", ND_("Cancel"), QString(),
                           style()->standardIcon(QStyle::SP_DialogCancelButton, nullptr, this));

    auto *main = new QHBoxLayout(this);
    main->setContentsMargins(ScaleByDpi(2 * Dist, this), 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(paList, 1);
    main->addWidget(paEdit);
    paEdit->installEventFilter(this);
    lbxStringList->installEventFilter(this);
    lbxStringList->viewport()->installEventFilter(this);

    connect(btnInsert, &QPushButton::clicked, this, &TSelectFromListDialog::btnInsertClick);
    connect(btnEdit, &QPushButton::clicked, this, &TSelectFromListDialog::btnEditClick);
    connect(btnDelete, &QPushButton::clicked, this, &TSelectFromListDialog::btnDeleteClick);
    connect(btnDelAll, &QPushButton::clicked, this, &TSelectFromListDialog::btnDelAllClick);
    connect(btnDefault, &QPushButton::clicked, this, &TSelectFromListDialog::btnDefaultClick);
    connect(UpBtn, &QPushButton::clicked, this, &TSelectFromListDialog::UpBtnClick);
    connect(DownBtn, &QPushButton::clicked, this, &TSelectFromListDialog::DownBtnClick);
    connect(btnPrompt, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(lbxStringList, &QListWidget::itemDoubleClicked, this,
            &TSelectFromListDialog::lbxStringListDblClick);
    connect(lbxStringList, &QListWidget::currentRowChanged, this,
            &TSelectFromListDialog::UpdateButtons);
    connect(lbxStringList, &QListWidget::itemSelectionChanged, this,
            &TSelectFromListDialog::UpdateButtons);

    ScaleControlGlyphs(this, 96, MonitorPpi(screen()));
    MarkUserData(lbxStringList);
    TranslateComponent(this, QStringLiteral("dialogs"));
    resize(DefaultClientWidth, 360);
}

void TSelectFromListDialog::Prepare(QPoint pos, const QString &title, const QString &description,
                                    const QString &hint, TSelectOptions options, int cols,
                                    const QString &defaultText, const QStringList &entries,
                                    const QString &text, bool showCancel, TCheckEntry checkEntry)
{
    setWindowTitle(title);
    CancelBtn->setVisible(showCancel);
    FCheckEntry = std::move(checkEntry);

    lbDesc->setText(description);
    lbDesc->setVisible(!description.isEmpty());
    lbHint->setText(hint);
    lbHint->setFocusPolicy(hint.isEmpty() ? Qt::NoFocus : Qt::TabFocus);

    FEdit = options.contains(soEdit);
    FNoConfirm = options.contains(soNoConfirm);
    FOrder = options.contains(soOrder);
    FDelAll = options.contains(soDelAll);
    btnPrompt->setVisible(options.contains(soPrompt));
    gbxEdit->setVisible(FEdit);
    gbxMove->setVisible(FOrder);
    DefDelimitedText = defaultText;

    const int clientHeight = LayoutRightPart();
    setMinimumHeight(clientHeight);
    resize(width(), clientHeight);

    lbxStringList->setToolTip(description);
    lbxStringList->clear();
    lbxStringList->addItems(entries);
    FCols = qMax(1, cols);
    UpdateColumns();
    lbxStringList->setSelectionMode(options.contains(soMulti) ? QListWidget::ExtendedSelection
                                                              : QListWidget::SingleSelection);
    int current = -1;
    for (int i = 0; i < entries.size() && !text.isEmpty(); ++i) {
        if (SameText(entries.at(i), text)) {
            current = i;
            break;
        }
    }
    lbxStringList->clearSelection();
    if (current >= 0) {
        lbxStringList->setCurrentRow(current);
    } else {
        lbxStringList->setCurrentRow(-1);
        lbxStringList->clearSelection();
    }
    lbxStringList->setFocus();
    UpdateButtons();
    // Hidden windows get no resize events until shown.
    layout()->activate();
    PlaceBottomControls();
    PlaceFormAt(this, pos, false);
}

void TSelectFromListDialog::ReadBack(TModalResult r, TTextChange convert, QStringList &entries,
                                     QString &text)
{
    if (r == mrCancel)
        return;
    if (convert != TTextChange::tcNone) {
        for (int i = 0; i < lbxStringList->count(); ++i) {
            QListWidgetItem *item = lbxStringList->item(i);
            item->setText(ChangeTextCase(item->text(), convert));
        }
    }
    if (FEdit)
        entries = Items();
    QListWidgetItem *current = lbxStringList->currentItem();
    if (!current) {
        text.clear();
    } else if (lbxStringList->selectionMode() == QListWidget::ExtendedSelection) {
        QStringList chosen;
        for (int i = 0; i < lbxStringList->count(); ++i) {
            if (lbxStringList->item(i)->isSelected())
                chosen.append(lbxStringList->item(i)->text());
        }
        text = chosen.join(u'|');
    } else {
        text = current->text();
    }
}

TModalResult TSelectFromListDialog::Execute(QPoint pos, const QString &title,
                                            const QString &description, const QString &hint,
                                            TSelectOptions options, int cols, TTextChange convert,
                                            const QString &defaultText, QStringList &entries,
                                            QString &text, bool showCancel, TCheckEntry checkEntry)
{
    Prepare(pos, title, description, hint, options, cols, defaultText, entries, text, showCancel,
            std::move(checkEntry));
    const TModalResult r = exec();
    ReadBack(r, convert, entries, text);
    FCheckEntry = nullptr;
    return r;
}

QStringList TSelectFromListDialog::Items() const
{
    QStringList items;
    items.reserve(lbxStringList->count());
    for (int i = 0; i < lbxStringList->count(); ++i)
        items.append(lbxStringList->item(i)->text());
    return items;
}

int TSelectFromListDialog::LayoutRightPart()
{
    const auto s = [this](int n) { return ScaleByDpi(n, this); };
    dist = s(Dist);
    hh = s(HintHeight);
    // The design widths, wider where translated captions or group titles
    // would not fit.
    int buttonWidth = s(ButtonWidth);
    for (QPushButton *b :
         {btnInsert, btnDelete, btnEdit, btnDefault, btnDelAll, btnPrompt, OKBtn, CancelBtn})
        buttonWidth = qMax(buttonWidth, b->sizeHint().width());
    const int groupWidth =
        std::max({s(EditPartWidth) - s(GroupLeft) - dist, buttonWidth + s(ButtonLeft) + s(10),
                  gbxEdit->minimumSizeHint().width(), gbxMove->minimumSizeHint().width()});
    buttonWidth = groupWidth - s(ButtonLeft) - s(10);
    const int partWidth = s(GroupLeft) + groupWidth + dist;
    paEdit->setFixedWidth(partWidth);

    const int titleTop = gbxEdit->fontMetrics().height() + s(6);
    const QList<QPushButton *> column{btnInsert, btnDelete, btnEdit, btnDefault};
    for (int i = 0; i < column.size(); ++i)
        column.at(i)->setGeometry(s(ButtonLeft), titleTop + i * s(ButtonStep), buttonWidth,
                                  s(ButtonHeight));
    int v;
    if (!DefDelimitedText.isEmpty()) {
        btnDefault->show();
        v = btnDefault->geometry().bottom() + 1 + dist;
    } else {
        btnDefault->hide();
        v = btnEdit->geometry().bottom() + 1 + dist;
    }
    if (FDelAll) {
        btnDelAll->show();
        btnDelAll->setGeometry(s(ButtonLeft), v, buttonWidth, s(ButtonHeight));
        v += btnDelAll->height() + 2 * dist;
    } else {
        btnDelAll->hide();
    }
    gbxEdit->setGeometry(s(GroupLeft), dist, groupWidth, v);

    const int half = (buttonWidth - dist) / 2;
    UpBtn->setGeometry(s(ButtonLeft), titleTop, half, s(ButtonHeight));
    DownBtn->setGeometry(s(ButtonLeft) + half + dist, titleTop, half, s(ButtonHeight));
    const int moveHeight = titleTop + s(ButtonHeight) + dist;
    gbxMove->setGeometry(s(GroupLeft), gbxEdit->y() + v + dist, groupWidth, moveHeight);

    const int buttonHeight = s(ButtonHeight);
    for (QPushButton *b : {btnPrompt, OKBtn, CancelBtn})
        b->resize(buttonWidth, buttonHeight);

    int height = gbxEdit->y() + v + 2 * dist;
    if (FOrder)
        height += gbxMove->height() + 2 * dist;
    // A long hint makes room for itself rather than being cut off.
    const int hintWidth = partWidth - s(GroupLeft) - dist;
    const int hintHeight = lbHint->text().isEmpty() ? 0 : lbHint->heightForWidth(hintWidth);
    height += qMax(hh, hintHeight);
    if (btnPrompt->isVisibleTo(this))
        height += btnPrompt->height() + 2 * dist;
    height += 2 * OKBtn->height() + 2 * dist;
    return height;
}

// The hint and the buttons at the bottom follow the window's height.
void TSelectFromListDialog::PlaceBottomControls()
{
    const int left = ScaleByDpi(GroupLeft + ButtonLeft, this);
    const int bottom = paEdit->height();
    int y = bottom - dist - CancelBtn->height();
    if (CancelBtn->isVisibleTo(this)) {
        CancelBtn->move(left, y);
        y -= OKBtn->height() + ScaleByDpi(4, this);
    }
    OKBtn->move(left, y);
    if (btnPrompt->isVisibleTo(this)) {
        y -= btnPrompt->height() + dist;
        btnPrompt->move(left, y);
    }
    const int hintTop = FOrder ? gbxMove->geometry().bottom() + 1 + 2 * dist : gbxMove->y();
    const int hintLeft = ScaleByDpi(GroupLeft, this);
    const int hintWidth = paEdit->width() - hintLeft - dist;
    lbHint->setGeometry(hintLeft, hintTop, hintWidth, qMax(hh, y - dist - hintTop));
}

void TSelectFromListDialog::UpdateColumns()
{
    // Several columns: the entries run down each column, then on to the next.
    const bool columns = FCols > 1;
    lbxStringList->setFlow(QListView::TopToBottom);
    lbxStringList->setWrapping(columns);
    lbxStringList->setResizeMode(columns ? QListView::Adjust : QListView::Fixed);
    if (columns) {
        const int w = lbxStringList->viewport()->width() / FCols;
        const int h = lbxStringList->fontMetrics().height() + ScaleByDpi(4, this);
        lbxStringList->setGridSize(QSize(qMax(1, w), h));
    } else {
        lbxStringList->setGridSize(QSize());
    }
}

void TSelectFromListDialog::UpdateButtons()
{
    const int row = lbxStringList->currentRow();
    const int count = lbxStringList->count();
    const bool multi = lbxStringList->selectionMode() == QListWidget::ExtendedSelection;
    const bool any = multi ? !lbxStringList->selectedItems().isEmpty() : row >= 0;
    btnDelete->setEnabled(any);
    btnEdit->setEnabled(row >= 0);
    btnDelAll->setEnabled(count > 0);
    UpBtn->setEnabled(row > 0);
    DownBtn->setEnabled(row >= 0 && row < count - 1);
}

bool TSelectFromListDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == paEdit && event->type() == QEvent::Resize) {
        PlaceBottomControls();
    } else if (watched == lbxStringList->viewport() && event->type() == QEvent::Resize) {
        if (FCols > 1)
            UpdateColumns();
    } else if (watched == lbxStringList && event->type() == QEvent::KeyPress) {
        // The keyboard reaches every command of the buttons.
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (FEdit && mods == Qt::NoModifier) {
            switch (key->key()) {
            case Qt::Key_Insert:
                btnInsertClick();
                return true;
            case Qt::Key_Delete:
                btnDeleteClick();
                return true;
            case Qt::Key_F2:
                btnEditClick();
                return true;
            default:
                break;
            }
        }
        if (FOrder && mods == Qt::ControlModifier) {
            if (key->key() == Qt::Key_Up) {
                UpBtnClick();
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                DownBtnClick();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSelectFromListDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QWindow *window = windowHandle(); window && !FScreenWatched) {
        // Spacing follows the pixel density of the monitor the window is on.
        FScreenWatched = true;
        connect(window, &QWindow::screenChanged, this, [this] {
            setMinimumHeight(LayoutRightPart());
            PlaceBottomControls();
        });
    }
    FitFormToWorkArea(this);
    if (QListWidgetItem *item = lbxStringList->currentItem())
        lbxStringList->scrollToItem(item);
}

void TSelectFromListDialog::reject()
{
    done(mrCancel);
}

bool TSelectFromListDialog::Confirm(QPushButton *pressed, const QString &question)
{
    return FNoConfirm || ConfirmDialogAt(BelowControl(pressed, QuestionOffset), question, mbYes);
}

// An entry the check rejects is reported and not taken.
bool TSelectFromListDialog::EditText(QPoint pos, const QString &title, QString &text)
{
    QString edited = text;
    if (!InputText(pos, title, lbDesc->text(), edited))
        return false;
    if (FCheckEntry && !FCheckEntry(edited)) {
        ErrorDialogAt(CurrentCursorPos(), SafeFormat(D_("Invalid entry: \"%s\""), edited));
        return false;
    }
    text = edited;
    return true;
}

void TSelectFromListDialog::btnInsertClick()
{
    if (!FEdit)
        return;
    QString text;
    if (!EditText(BelowControl(btnInsert, QuestionOffset), D_("Add item"), text))
        return;
    lbxStringList->addItem(text);
    lbxStringList->clearSelection();
    lbxStringList->setCurrentRow(lbxStringList->count() - 1);
    UpdateButtons();
}

void TSelectFromListDialog::ReplaceCurrent(const QString &text)
{
    if (QListWidgetItem *item = lbxStringList->currentItem())
        item->setText(text);
}

void TSelectFromListDialog::btnEditClick()
{
    QListWidgetItem *item = lbxStringList->currentItem();
    if (!FEdit || !item)
        return;
    QString text = item->text();
    if (EditText(BelowControl(btnEdit, QuestionOffset), D_("Edit item"), text))
        ReplaceCurrent(text);
}

void TSelectFromListDialog::lbxStringListDblClick()
{
    if (!FEdit) {
        done(mrOk);
        return;
    }
    QListWidgetItem *item = lbxStringList->currentItem();
    if (!item)
        return;
    QString text = item->text();
    if (EditText(CursorPosOffset(QPoint(-20, 20)), D_("Edit item"), text))
        ReplaceCurrent(text);
}

void TSelectFromListDialog::btnDeleteClick()
{
    if (!FEdit)
        return;
    if (lbxStringList->selectionMode() == QListWidget::ExtendedSelection) {
        QList<int> rows;
        for (int i = 0; i < lbxStringList->count(); ++i) {
            if (lbxStringList->item(i)->isSelected())
                rows.append(i);
        }
        if (rows.isEmpty() || !Confirm(btnDelete, D_("Remove all selected items?")))
            return;
        for (qsizetype i = rows.size() - 1; i >= 0; --i)
            delete lbxStringList->takeItem(rows.at(i));
        lbxStringList->clearSelection();
        const int count = lbxStringList->count();
        lbxStringList->setCurrentRow(count > 0 ? qMin(rows.first(), count - 1) : -1);
    } else {
        const int row = lbxStringList->currentRow();
        if (row < 0)
            return;
        const QString question =
            SafeFormat(D_("Remove item: \"%s\"?"), lbxStringList->item(row)->text());
        if (!Confirm(btnDelete, question))
            return;
        delete lbxStringList->takeItem(row);
        const int count = lbxStringList->count();
        lbxStringList->setCurrentRow(count > 0 ? qMin(row, count - 1) : -1);
    }
    UpdateButtons();
}

void TSelectFromListDialog::btnDelAllClick()
{
    if (!FEdit || lbxStringList->count() == 0)
        return;
    if (!Confirm(btnDelAll, D_("Clear whole list?")))
        return;
    lbxStringList->clear();
    UpdateButtons();
}

void TSelectFromListDialog::btnDefaultClick()
{
    if (!FEdit || DefDelimitedText.isEmpty())
        return;
    if (!Confirm(btnDefault, D_("Reset to default values?")))
        return;
    lbxStringList->clear();
    lbxStringList->addItems(DelimitedTextToList(DefDelimitedText));
    UpdateButtons();
}

void TSelectFromListDialog::MoveCurrent(int by)
{
    const int row = lbxStringList->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= lbxStringList->count())
        return;
    QListWidgetItem *item = lbxStringList->takeItem(row);
    lbxStringList->insertItem(to, item);
    lbxStringList->clearSelection();
    lbxStringList->setCurrentRow(to);
    UpdateButtons();
}

void TSelectFromListDialog::UpBtnClick()
{
    MoveCurrent(-1);
}

void TSelectFromListDialog::DownBtnClick()
{
    MoveCurrent(1);
}
