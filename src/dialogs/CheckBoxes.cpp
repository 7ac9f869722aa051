#include "dialogs/CheckBoxes.h"

TCheckGroupBox::TCheckGroupBox(QWidget *parent) : TCheckGroupBox(QString(), parent) {}

TCheckGroupBox::TCheckGroupBox(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    setCheckable(true);
    connect(this, &QGroupBox::toggled, this, [this] { Invalidate(); });
    connect(this, &QGroupBox::clicked, this, [this] {
        if (FOnCheckClick)
            FOnCheckClick();
    });
    Invalidate();
}

void TCheckGroupBox::setCaption(const QString &caption)
{
    if (caption != title())
        setTitle(caption);
}

void TCheckGroupBox::setChecked(bool checked)
{
    QGroupBox::setChecked(checked);
    Invalidate();
}

void TCheckGroupBox::Invalidate()
{
    const bool on = isChecked();
    for (QObject *child : children()) {
        if (child->isWidgetType())
            static_cast<QWidget *>(child)->setEnabled(on);
    }
    update();
}
