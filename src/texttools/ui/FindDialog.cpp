#include "texttools/ui/FindDialog.h"

#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(ND_("Find"));
    setModal(false);

    edFind = new QLineEdit(this);
    edFind->setObjectName(QStringLiteral("edFind"));
    auto *caption = new QLabel(ND_("Fi&nd what:"), this);
    caption->setBuddy(edFind);

    cbWholeWord = new QCheckBox(ND_("Match &whole word only"), this);
    cbWholeWord->setObjectName(QStringLiteral("cbWholeWord"));
    cbMatchCase = new QCheckBox(ND_("Match &case"), this);
    cbMatchCase->setObjectName(QStringLiteral("cbMatchCase"));

    gbDirection = new QGroupBox(ND_("Direction"), this);
    gbDirection->setObjectName(QStringLiteral("gbDirection"));
    rbUp = new QRadioButton(ND_("&Up"), gbDirection);
    rbUp->setObjectName(QStringLiteral("rbUp"));
    rbDown = new QRadioButton(ND_("&Down"), gbDirection);
    rbDown->setObjectName(QStringLiteral("rbDown"));
    rbDown->setChecked(true);
    auto *direction = new QHBoxLayout(gbDirection);
    direction->addWidget(rbUp);
    direction->addWidget(rbDown);

    btFindNext = new QPushButton(ND_("&Find Next"), this);
    btFindNext->setObjectName(QStringLiteral("btFindNext"));
    btFindNext->setDefault(true);
    btFindNext->setEnabled(false);
    btCancel = new QPushButton(ND_("Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(edFind, 0, 1, 1, 2);
    auto *options = new QVBoxLayout;
    options->addStretch(1);
    options->addWidget(cbWholeWord);
    options->addWidget(cbMatchCase);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->addWidget(gbDirection, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btFindNext);
    buttons->addWidget(btCancel);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 3, 2, 1);
    grid->setColumnStretch(1, 1);
    edFind->setMinimumWidth(ScaleByDpi(180, this));

    connect(edFind, &QLineEdit::textChanged, this,
            [this](const QString &text) { btFindNext->setEnabled(!text.isEmpty()); });
    connect(btFindNext, &QPushButton::clicked, this, [this] {
        if (OnFind && !FindText().isEmpty())
            OnFind();
    });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    TranslateComponent(this, QStringLiteral("dialogs"));
}

QString TFindDialog::FindText() const
{
    return edFind->text();
}

void TFindDialog::SetFindText(const QString &text)
{
    edFind->setText(text);
}

bool TFindDialog::Down() const
{
    return rbDown->isChecked();
}

void TFindDialog::SetDown(bool down)
{
    (down ? rbDown : rbUp)->setChecked(true);
}

TSearchOptions TFindDialog::Options() const
{
    return TSearchOptions{Down(), cbMatchCase->isChecked(), cbWholeWord->isChecked()};
}

void TFindDialog::Execute(QPoint pos)
{
    if (!isVisible()) {
        adjustSize();
        PlaceFormAt(this, pos, false);
    }
    show();
    raise();
    activateWindow();
    edFind->setFocus();
    edFind->selectAll();
}
