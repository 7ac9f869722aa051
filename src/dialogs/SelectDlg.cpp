#include "dialogs/SelectDlg.h"

#include "dialogs/ShowMessageDlg.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {
constexpr int CheckedBit = 256;
constexpr int DefaultButtonWidth = 105;
} // namespace

TSelectDialog::TSelectDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SelectDialog"));
    setWindowTitle(ND_("Dialog"));

    ilIcons = MessageIconList(this);

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    stCaption = new QLabel(this);
    stCaption->setObjectName(QStringLiteral("stCaption"));
    stCaption->setTextFormat(Qt::PlainText);
    stCaption->setWordWrap(false);
    stCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cbOption = new QCheckBox(this);
    cbOption->setObjectName(QStringLiteral("cbOption"));
    cbOption->setVisible(false);
    TranslateComponent(this, QStringLiteral("dialogs"));
}

void TSelectDialog::Prepare(QPoint pos, const QString &title, const QString &caption,
                            TMsgDialogType kind, TFontStyles captionFormat,
                            const TButtonArray &buttons, const QString &option, int buttonWidth,
                            int preSelection, const QString &defaultButton)
{
    setWindowTitle(title.isEmpty() ? DefaultMessageTitle(kind) : title);
    FCaption = caption;
    FOption = option;
    FDefault = defaultButton;
    FButtons = buttons;
    FBw = buttonWidth;
    FPreSel = preSelection;

    QFont font = this->font();
    font.setBold(captionFormat.contains(fsBold));
    font.setItalic(captionFormat.contains(fsItalic));
    font.setUnderline(captionFormat.contains(fsUnderline));
    font.setStrikeOut(captionFormat.contains(fsStrikeOut));
    stCaption->setFont(font);

    const QMessageBox::Icon icon = MessageIconOf(kind);
    imgIcon->setVisible(icon != QMessageBox::NoIcon);
    if (icon != QMessageBox::NoIcon)
        imgIcon->setPixmap(ilIcons.pixmap(MessageIconIndex(icon), devicePixelRatioF()));

    layoutWindow();
    PlaceFormAt(this, pos, false);
}

int TSelectDialog::Execute(QPoint pos, const QString &title, const QString &caption,
                           TMsgDialogType kind, TFontStyles captionFormat,
                           const TButtonArray &buttons, const QString &option, int buttonWidth,
                           int preSelection, const QString &defaultButton)
{
    Prepare(pos, title, caption, kind, captionFormat, buttons, option, buttonWidth, preSelection,
            defaultButton);
    exec();
    const int result = Result();
    clearButtons();
    return result;
}

int TSelectDialog::Result() const
{
    return Selection >= 0 && cbOption->isChecked() ? Selection + CheckedBit : Selection;
}

void TSelectDialog::clearButtons()
{
    qDeleteAll(Buttons);
    Buttons.clear();
}

void TSelectDialog::layoutWindow()
{
    clearButtons();
    const auto s = [this](int n) { return ScaleByDpi(n, this); };
    const QFont font = stCaption->font();
    const QFontMetrics metrics(font);
    const int fontHeight = QFontInfo(font).pixelSize();

    // Translated captions may need wider buttons than the caller asked for.
    int b = s(FBw > 0 ? FBw : DefaultButtonWidth);
    const QFontMetrics buttonMetrics(this->font());
    const QString cancelCaption = FDefault.isEmpty() ? D_("Cancel") : FDefault;
    for (const QString &caption : FButtons + QStringList{cancelCaption}) {
        QString shown = caption;
        shown.remove(u'&');
        b = qMax(b, buttonMetrics.horizontalAdvance(shown) + s(20));
    }
    int w = s(70) + 3 * b;
    const int m = s(50);
    const int g = s(10);

    int t = TextBlockWidth(FCaption, metrics);
    if (font.bold())
        t = t * 5 / 4;
    const int lines = TextLineCount(FCaption);
    // The design's line pitch, but never less than the font's own.
    const int lineHeight = qMax(fontHeight * 12 / 10, metrics.lineSpacing());
    const int textHeight = lineHeight * lines + g;
    if (t < w - m - g)
        t = w - m - g;
    else
        w = t + m + g;
    stCaption->setText(DisplayText(FCaption));
    stCaption->setGeometry(m, s(10), t, textHeight);
    imgIcon->setGeometry(s(8), s(10), ilIcons.width(), ilIcons.height());

    int y = stCaption->geometry().bottom() + 1 + 2 * g;
    const int h = qMax(fontHeight * 24 / 10, metrics.height() + s(10));
    const int rowStep = h * 30 / 26;

    cbOption->setChecked(false);
    cbOption->setVisible(!FOption.isEmpty());
    if (!FOption.isEmpty()) {
        cbOption->setText(FOption);
        const int boxHeight = cbOption->sizeHint().height();
        cbOption->setGeometry(m, y - g / 2, w - m - g, boxHeight);
        y += boxHeight;
        cbOption->setChecked(FPreSel > 0 && (FPreSel & CheckedBit) != 0);
    }

    const int n = int(FButtons.size());
    const int x0 = w - 3 * b - 4 * s(5);
    const auto column = [&](int i) { return x0 + i * (b + s(5)); };
    const auto addButton = [&](const QString &caption, int answer, int col) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("btOption%1").arg(Buttons.size()));
        button->setGeometry(column(col), y, b, h);
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, answer] {
            Selection = answer;
            done(QDialog::Accepted);
        });
        button->show();
        Buttons.append(button);
    };
    const int fullRows = n / 3;
    for (int k = 0; k < 3 * fullRows; ++k) {
        addButton(FButtons.at(k), k, k % 3);
        if (k % 3 == 2)
            y += rowStep;
    }
    const int rest = n % 3;
    for (int k = 3 * fullRows; k < n; ++k)
        addButton(FButtons.at(k), k, 2 - rest + (k - 3 * fullRows));
    addButton(cancelCaption, n == 0 ? 0 : -1, 2);

    QWidget *previous = nullptr;
    for (QPushButton *button : Buttons) {
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    if (!FOption.isEmpty())
        setTabOrder(previous, cbOption);

    setFixedSize(w, y + rowStep + s(5));

    Selection = -1;
    if (FPreSel > 0)
        FPreSel &= 0xFF;
    if (FPreSel > n || FPreSel < 0)
        FPreSel = -1;
    QPushButton *focused = FPreSel >= 0 ? Buttons.at(FPreSel) : Buttons.last();
    focused->setFocus();
}

void TSelectDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FitFormToWorkArea(this);
}

void TSelectDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        !Buttons.isEmpty()) {
        Buttons.last()->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSelectDialog::reject()
{
    Selection = -1;
    done(QDialog::Rejected);
}

int SelectOptionDialog(const QString &title, const QString &caption, TMsgDialogType kind,
                       TFontStyles captionFormat, const TButtonArray &buttons,
                       const QString &option, int buttonWidth, int preSelection,
                       const QString &defaultButton)
{
    if (auto *script = TSelectOptionScript::current()) {
        return script->take(
            TAskedSelection{title, caption, kind, buttons, option, preSelection, defaultButton});
    }
    QPointer<TSelectDialog> dialog = new TSelectDialog(QApplication::activeWindow());
    const int result = dialog->Execute(CenterPos, title, caption, kind, captionFormat, buttons,
                                       option, buttonWidth, preSelection, defaultButton);
    delete dialog;
    return result;
}
