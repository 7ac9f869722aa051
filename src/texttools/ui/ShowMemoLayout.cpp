// Building the text viewer: button row, text area, status bar.

#include "texttools/ui/ShowMemo.h"

#include "dialogs/ActionImages.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int DesignClientWidth = 845;
constexpr int DesignClientHeight = 512;
// The code page's name is long ("IBM EBCDIC - Denmark/Norway (20277)").
constexpr int StatusPanelWidths[] = {150, 360, 50};

QToolButton *RowButton(QWidget *parent, const char *name, const QString &caption,
                       const QString &hint, const QStringList &icons)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(ThemeIcon(icons));
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                                                 : Qt::ToolButtonTextBesideIcon);
    return button;
}

// The text area's font: Courier New where the system has it, else the
// system's fixed-pitch font, at the design's 8 points or the system's
// fixed font size, whichever is larger to stay readable.
QFont MemoFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontDatabase::families().contains(QStringLiteral("Courier New")))
        font.setFamily(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (font.pointSize() < 8)
        font.setPointSize(8);
    return font;
}

} // namespace

void TShowTextDialog::CreateControls()
{
    setObjectName(QStringLiteral("ShowTextDialog"));
    setWindowTitle(ND_("Show text"));
    setSizeGripEnabled(false);

    ButtonRow = new QWidget(this);
    ButtonRow->setObjectName(QStringLiteral("ButtonRow"));
    OpenBtn =
        RowButton(ButtonRow, "OpenBtn", ND_("&Open"), QString(), {QStringLiteral("document-open")});
    UpdateBtn = RowButton(ButtonRow, "UpdateBtn", QString(), ND_("Update"),
                          {QStringLiteral("view-refresh")});
    FontBtn = RowButton(ButtonRow, "FontBtn", QString(), ND_("Select font"),
                        {QStringLiteral("preferences-desktop-font"),
                         QStringLiteral("font-x-generic"), QStringLiteral("format-text-bold")});
    EncBtn = RowButton(ButtonRow, "EncBtn", QString(), ND_("Select codepage"),
                       {QStringLiteral("preferences-desktop-locale"),
                        QStringLiteral("accessories-character-map"),
                        QStringLiteral("format-text-direction-ltr")});
    PrintBtn = RowButton(ButtonRow, "PrintBtn", ND_("&Print"), QString(),
                         {QStringLiteral("document-print")});
    DeleteBtn = RowButton(ButtonRow, "DeleteBtn", ND_("&Delete"), QString(),
                          {QStringLiteral("edit-delete")});
    SearchBtn = RowButton(ButtonRow, "SearchBtn", ND_("&Search"), QString(),
                          {QStringLiteral("edit-find"), QStringLiteral("system-search")});
    PrevSectBtn = RowButton(ButtonRow, "PrevSectBtn", QString(), ND_("Go to previous section"),
                            {QStringLiteral("go-up")});
    NextSectBtn = RowButton(ButtonRow, "NextSectBtn", QString(), ND_("Go to next section"),
                            {QStringLiteral("go-down")});
    PrevErrBtn = RowButton(ButtonRow, "PrevErrBtn", QString(), ND_("Go to previous error"),
                           {QStringLiteral("go-previous"), QStringLiteral("go-up")});
    NextErrBtn = RowButton(ButtonRow, "NextErrBtn", QString(), ND_("Go to next error"),
                           {QStringLiteral("go-next"), QStringLiteral("go-down")});
    EndeBtn = RowButton(ButtonRow, "EndeBtn", ND_("Close"), QString(),
                        {QStringLiteral("window-close"), QStringLiteral("application-exit")});

    auto *row = new QHBoxLayout(ButtonRow);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    for (QToolButton *button : {OpenBtn, UpdateBtn, FontBtn, EncBtn, PrintBtn, DeleteBtn, SearchBtn,
                                PrevSectBtn, NextSectBtn, PrevErrBtn, NextErrBtn})
        row->addWidget(button);
    row->addStretch(1);
    row->addWidget(EndeBtn);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setFont(MemoFont());
    Memo->setUndoRedoEnabled(false);
    MarkUserData(Memo);
    // The selection stays visible while another window has the focus.
    QPalette palette = Memo->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    Memo->setPalette(palette);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        MarkUserData(panel);
        if (i < 2)
            panel->setFixedWidth(ScaleByDpi(StatusPanelWidths[i], this));
        else
            panel->setMinimumWidth(ScaleByDpi(StatusPanelWidths[i], this));
        StatusBar->addWidget(panel, i == 2 ? 1 : 0);
        StatusPanels[i] = panel;
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ButtonRow);
    layout->addWidget(Memo, 1);
    layout->addWidget(StatusBar);

    resize(ScaleByDpi(DesignClientWidth, this), ScaleByDpi(DesignClientHeight, this));
    setTabOrder(Memo, OpenBtn);
}
