#include "dialogs/InputString.h"

#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int DesignWidth = 301;
constexpr int TextPadding = 20;
} // namespace

TInputStringDialog::TInputStringDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("InputStringDialog"));
    setWindowTitle(ND_("Edit text"));

    Descriptor = new QLabel(this);
    Descriptor->setObjectName(QStringLiteral("Descriptor"));
    TextFeld = new QLineEdit(this);
    TextFeld->setObjectName(QStringLiteral("TextFeld"));
    Descriptor->setBuddy(TextFeld);
    SuffixText = new QLabel(this);
    SuffixText->setObjectName(QStringLiteral("SuffixText"));
    SuffixText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    OKBtn = new QPushButton(ND_("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(ND_("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    auto *field = new QHBoxLayout;
    field->addWidget(TextFeld, 1);
    field->addWidget(SuffixText);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Descriptor);
    layout->addLayout(field);
    layout->addSpacing(ScaleByDpi(6, this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    TranslateComponent(this, QStringLiteral("dialogs"));
    // Measured after translation: captions may be longer than in English.
    defWidth = qMax(ScaleByDpi(DesignWidth, this), minimumSizeHint().width());
    resize(defWidth, sizeHint().height());
}

void TInputStringDialog::Prepare(QPoint pos, const QString &title, const QString &description,
                                 const QString &suffix, const QString &text)
{
    if (!title.isEmpty())
        setWindowTitle(title);
    Descriptor->setText(description);
    Descriptor->setVisible(!description.isEmpty());
    SuffixText->setText(suffix);
    SuffixText->setVisible(!suffix.isEmpty());
    TextFeld->setText(text);
    TextFeld->setToolTip(description);
    TextFeld->selectAll();
    TextFeld->setFocus();

    // Wide enough for the whole text, but never wider than the work area.
    const QMargins margins = layout()->contentsMargins();
    int chrome = margins.left() + margins.right();
    if (!suffix.isEmpty())
        chrome += SuffixText->sizeHint().width() + layout()->spacing();
    const int wanted =
        TextWidthInFont(text, TextFeld->font()) + ScaleByDpi(TextPadding, this) + chrome;
    const int widest = WorkAreaOf(screen()).width() - 2 * ScaleByDpi(TextPadding, this);
    resize(qMax(defWidth, qMin(wanted, widest)), sizeHint().height());
    PlaceFormAt(this, pos, false);
}

bool TInputStringDialog::Execute(QPoint pos, const QString &title, const QString &description,
                                 const QString &suffix, QString &text)
{
    Prepare(pos, title, description, suffix, text);
    if (exec() != QDialog::Accepted)
        return false;
    text = TextFeld->text();
    return true;
}

void TInputStringDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FitFormToWorkArea(this);
}

bool InputTextWithSuffix(QPoint pos, const QString &title, const QString &description,
                         const QString &suffix, QString &text)
{
    if (auto *script = TInputTextScript::current()) {
        const std::optional<QString> answer =
            script->take(TAskedText{pos, title, description, suffix, text});
        if (!answer)
            return false;
        text = *answer;
        return true;
    }
    QPointer<TInputStringDialog> dialog = new TInputStringDialog(QApplication::activeWindow());
    const bool ok = dialog->Execute(pos, title, description, suffix, text);
    delete dialog;
    return ok;
}

bool InputText(QPoint pos, const QString &title, const QString &description, QString &text)
{
    return InputTextWithSuffix(pos, title, description, QString(), text);
}
