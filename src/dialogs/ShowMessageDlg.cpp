#include "dialogs/ShowMessageDlg.h"

#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/ResourceStrings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <iterator>

using namespace ResourceStrings;

namespace {

// The pictures of the message icons, in the order of MessageIconList.
constexpr struct
{
    QMessageBox::Icon icon;
    QStyle::StandardPixmap picture;
} IconPictures[] = {{QMessageBox::Warning, QStyle::SP_MessageBoxWarning},
                    {QMessageBox::Critical, QStyle::SP_MessageBoxCritical},
                    {QMessageBox::Information, QStyle::SP_MessageBoxInformation},
                    {QMessageBox::Question, QStyle::SP_MessageBoxQuestion}};

enum Glyph
{
    glClose,
    glCancel,
    glYes,
    glNo,
    glRetry
};

// Design sizes at 96 pixels per inch.
constexpr int TextTop = 15;
constexpr int TextLeft = 45;
constexpr int IconLeft = 5;
constexpr int IconSize = 32;
constexpr int GlyphSize = 24;
constexpr int ButtonHeight = 32;
constexpr int SideButtonWidth = 87;
constexpr int CloseButtonWidth = 112;
constexpr int ButtonGap = 3;
constexpr int ButtonRight = 4;
constexpr int ButtonBottom = 5;
constexpr int PerCharacterMs = 120;
constexpr int BaseCustomMs = 2000;

const char ResultProperty[] = "modalResult";

// The lower-case underlined letter of a caption ("&No" gives 'n'), or none.
QChar MnemonicOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i; // "&&" is a plain "&"
    }
    return {};
}

} // namespace

QMessageBox::Icon MessageIconOf(TMsgDialogType kind)
{
    switch (kind) {
    case mdtInformation:
        return QMessageBox::Information;
    case mdtWarning:
        return QMessageBox::Warning;
    case mdtError:
    case mdtConfirmError:
    case mdtConfirmRetry:
        return QMessageBox::Critical;
    case mdtConfirm:
    case mdtConfirmCancel:
    case mdtConfirmYesNo:
        return QMessageBox::Question;
    case mdtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

void SplitMessageText(const QString &text, QString &title, QString &message)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        title.clear();
        message = text;
    } else {
        title = text.left(bar);
        message = text.mid(bar + 1);
    }
}

QString DefaultMessageTitle(TMsgDialogType kind)
{
    switch (MessageIconOf(kind)) {
    case QMessageBox::Warning:
        return SMsgDlgWarning();
    case QMessageBox::Critical:
        return SMsgDlgError();
    case QMessageBox::Information:
        return SMsgDlgInformation();
    case QMessageBox::Question:
        return SMsgDlgConfirm();
    case QMessageBox::NoIcon:
        break;
    }
    return QString();
}

TImageList MessageIconList(const QWidget *window)
{
    const QStyle *style = window->style();
    TImageList icons(QSize(IconSize, IconSize));
    for (const auto &entry : IconPictures)
        icons.add(style->standardIcon(entry.picture, nullptr, window));
    ScaleImageList(icons, 96, MonitorPpi(window->screen()));
    return icons;
}

int MessageIconIndex(QMessageBox::Icon icon)
{
    for (int i = 0; i < std::ssize(IconPictures); ++i) {
        if (IconPictures[i].icon == icon)
            return i;
    }
    return -1;
}

TShowMsgDialog::TShowMsgDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ShowMsgDialog"));
    setModal(true);

    QStyle *style = this->style();
    ilIcons = MessageIconList(this);
    ilGlyphs = TImageList(QSize(GlyphSize, GlyphSize));
    ilGlyphs.add(style->standardIcon(QStyle::SP_DialogCloseButton, nullptr, this));
    ilGlyphs.add(style->standardIcon(QStyle::SP_DialogCancelButton, nullptr, this));
    ilGlyphs.add(style->standardIcon(QStyle::SP_DialogYesButton, nullptr, this));
    ilGlyphs.add(style->standardIcon(QStyle::SP_DialogNoButton, nullptr, this));
    ilGlyphs.add(style->standardIcon(QStyle::SP_BrowserReload, nullptr, this));
    ScaleImageList(ilGlyphs, 96, MonitorPpi(screen()));

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    stInfo = new QLabel(this);
    stInfo->setObjectName(QStringLiteral("stInfo"));
    stInfo->setTextFormat(Qt::PlainText);
    stInfo->setWordWrap(false);
    stInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Selectable so that a message can be copied; focusable because the
    // message, not a button, holds the focus at first (Enter = default button).
    stInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stInfo->setFocusPolicy(Qt::StrongFocus);

    const auto makeButton = [this](const char *name) {
        auto *b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this,
                [this, b] { done(b->property(ResultProperty).toInt()); });
        return b;
    };
    btLeft = makeButton("btLeft");
    btCenter = makeButton("btCenter");
    btClose = makeButton("btClose");

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, [this] { done(mrCancel); });
    TranslateComponent(this, QStringLiteral("dialogs"));
}

TShowMsgDialog::~TShowMsgDialog()
{
    qApp->removeEventFilter(this);
}

void TShowMsgDialog::setButton(QPushButton *button, const QString &caption, int glyph,
                               TModalResult result)
{
    button->setText(caption);
    button->setIcon(ilGlyphs.icon(glyph));
    button->setIconSize(ilGlyphs.size());
    button->setProperty(ResultProperty, result);
    button->setVisible(true);
}

bool TShowMsgDialog::Prepare(QPoint APos, const QString &AHint, int Delay, TMsgDialogType DlgType,
                             TMsgDlgBtn DefaultButton, TDefaultMonitor AMonitor)
{
    if (AHint.isEmpty())
        return false;
    SetDefaultMonitor(this, AMonitor);

    for (QPushButton *b : {btLeft, btCenter, btClose}) {
        b->setDefault(false);
        b->setVisible(false);
    }
    setButton(btClose, SCloseButton(), glClose, mrCancel);
    stInfo->setFocus();

    QPushButton *defaultButton = nullptr;
    switch (DlgType) {
    case mdtInformation:
    case mdtWarning:
    case mdtError:
        defaultButton = btClose;
        break;
    case mdtConfirm:
        setButton(btCenter, SMsgDlgYes(), glYes, mrYes);
        setButton(btClose, SMsgDlgNo(), glNo, mrNo);
        defaultButton = DefaultButton == mbYes  ? btCenter
                        : DefaultButton == mbNo ? btClose
                                                : nullptr;
        break;
    case mdtConfirmError:
        setButton(btCenter, SMsgDlgYes(), glYes, mrOk);
        setButton(btClose, SMsgDlgCancel(), glCancel, mrCancel);
        defaultButton = DefaultButton == mbYes ? btCenter : nullptr;
        break;
    case mdtConfirmRetry:
        setButton(btCenter, SMsgDlgRetry(), glRetry, mrRetry);
        setButton(btClose, SMsgDlgCancel(), glCancel, mrCancel);
        defaultButton = DefaultButton == mbRetry ? btCenter : nullptr;
        break;
    case mdtConfirmCancel:
        setButton(btCenter, SMsgDlgYes(), glYes, mrYes);
        setButton(btClose, SMsgDlgCancel(), glCancel, mrCancel);
        defaultButton = DefaultButton == mbYes ? btCenter : nullptr;
        break;
    case mdtConfirmYesNo:
        setButton(btLeft, SMsgDlgYes(), glYes, mrYes);
        setButton(btCenter, SMsgDlgNo(), glNo, mrNo);
        setButton(btClose, SMsgDlgCancel(), glCancel, mrCancel);
        defaultButton = DefaultButton == mbYes  ? btLeft
                        : DefaultButton == mbNo ? btCenter
                                                : nullptr;
        break;
    case mdtCustom:
        btClose->setVisible(false);
        break;
    }
    if (defaultButton)
        defaultButton->setDefault(true);

    const QMessageBox::Icon icon = MessageIconOf(DlgType);
    imgIcon->setVisible(icon != QMessageBox::NoIcon);
    imgIcon->setPixmap(ilIcons.pixmap(MessageIconIndex(icon), devicePixelRatioF()));

    QString title;
    QString message;
    SplitMessageText(AHint, title, message);
    RunTimer = DlgType == mdtCustom || Delay > 0;
    setWindowTitle(title.isEmpty() ? DefaultMessageTitle(DlgType) : title);
    if (RunTimer) {
        // A negative delay counts as none: the reading time of the text.
        Timer->setInterval(Delay > 0 ? Delay * 1000
                                     : BaseCustomMs + PerCharacterMs * int(message.size()));
    }
    FCaption = message;
    FDlgType = DlgType;

    adjustWindow();
    PlaceFormAt(this, APos, false);
    return true;
}

TModalResult TShowMsgDialog::Execute(QPoint APos, const QString &AHint, int Delay,
                                     TMsgDialogType DlgType, TMsgDlgBtn DefaultButton,
                                     TDefaultMonitor AMonitor)
{
    if (!Prepare(APos, AHint, Delay, DlgType, DefaultButton, AMonitor))
        return mrNone;
    const TModalResult result = exec();
    Timer->stop();
    return result;
}

// The window's size follows the text, which is never wrapped.
void TShowMsgDialog::adjustWindow()
{
    const auto s = [this](int n) { return ScaleByDpi(n, this); };
    const int margin = s(TextTop);
    const int buttonHeight = s(ButtonHeight);
    // Translated captions may need more than the design widths.
    const auto widthOf = [&](QPushButton *b, int design) {
        return qMax(s(design), b->sizeHint().width());
    };
    const int leftWidth = widthOf(btLeft, SideButtonWidth);
    const int centerWidth = widthOf(btCenter, SideButtonWidth);
    const int closeWidth = widthOf(btClose, CloseButtonWidth);

    int minWidth = centerWidth + closeWidth;
    if (FDlgType == mdtConfirmYesNo)
        minWidth += leftWidth;
    const int minHeight = FDlgType == mdtCustom ? 2 * margin : margin + s(IconSize);

    QSize text = TextBlockExtent(FCaption, stInfo->font());
    text = QSize(qMax(text.width(), minWidth), qMax(text.height(), minHeight));
    const int clientWidth = text.width() + 2 * margin + s(TextLeft);
    const int clientHeight = text.height() + 3 * margin + buttonHeight;

    stInfo->setText(DisplayText(FCaption));
    stInfo->setGeometry(s(TextLeft), margin, clientWidth - s(TextLeft) - margin, text.height());
    imgIcon->setGeometry(s(IconLeft), margin, ilIcons.width(), ilIcons.height());

    const int top = clientHeight - s(ButtonBottom) - buttonHeight;
    int right = clientWidth - s(ButtonRight);
    btClose->setGeometry(right - closeWidth, top, closeWidth, buttonHeight);
    right -= closeWidth + s(ButtonGap);
    btCenter->setGeometry(right - centerWidth, top, centerWidth, buttonHeight);
    right -= centerWidth + s(ButtonGap);
    btLeft->setGeometry(right - leftWidth, top, leftWidth, buttonHeight);

    setFixedSize(clientWidth, clientHeight);
}

void TShowMsgDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    qApp->installEventFilter(this);
    if (RunTimer)
        Timer->start();
    FitFormToWorkArea(this);
}

void TShowMsgDialog::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    Timer->stop();
    QDialog::hideEvent(event);
}

void TShowMsgDialog::reject()
{
    done(mrCancel);
}

void TShowMsgDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape presses the rightmost button, which answers No in a Yes/No question.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (btClose->isVisible())
            btClose->click();
        event->accept();
        return;
    }
    // As in the message boxes users know, the underlined letter of a button
    // answers without Alt: Y for Yes, N for No.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) && event->text().size() == 1 &&
        event->text().front().isLetterOrNumber()) {
        const QChar pressed = event->text().front().toLower();
        for (QPushButton *button : {btLeft, btCenter, btClose}) {
            if (button->isVisible() && button->isEnabled() &&
                MnemonicOf(button->text()) == pressed) {
                button->click();
                event->accept();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

// Sees every key before the window's controls do.
bool TShowMsgDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (RunTimer || key->key() == Qt::Key_F11) {
            done(mrCancel);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
