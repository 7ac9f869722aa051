#include "dialogs/ChooseItem.h"

#include "dialogs/WinUtils.h"
#include "support/ResourceStrings.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace ResourceStrings;

int ChooseItem(const QString &title, const QString &prompt, const QStringList &items)
{
    if (auto *script = TChooseItemScript::current())
        return script->take(TAskedItemChoice{title, prompt, items});
    if (items.isEmpty())
        return -1;

    QPointer<QDialog> dialog = new QDialog(QApplication::activeWindow());
    dialog->setWindowTitle(title);
    auto *label = new QLabel(prompt, dialog);
    label->setWordWrap(true);
    auto *list = new QListWidget(dialog);
    list->addItems(items);
    list->setCurrentRow(0);
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(SMsgDlgOK(), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(SMsgDlgCancel(), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, dialog, &QDialog::accept);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    dialog->resize(ScaleByDpi(420, dialog), ScaleByDpi(320, dialog));
    PlaceFormAt(dialog, CenterPos, false);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const int row = dialog ? list->currentRow() : -1;
    delete dialog;
    return accepted ? row : -1;
}
