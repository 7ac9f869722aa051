#include "dialogs/DialogTranslation.h"

#include "localisation/GnuGettext.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace {
QString Tr(const QString &text)
{
    return text.isEmpty() ? text : GnuGettext::dgettext(QStringLiteral("dialogs"), text);
}
} // namespace

void TranslateDialog(QWidget *dialog)
{
    if (!dialog)
        return;
    dialog->setWindowTitle(Tr(dialog->windowTitle()));
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (!w->toolTip().isEmpty())
            w->setToolTip(Tr(w->toolTip()));
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->setText(Tr(b->text()));
        else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(Tr(l->text()));
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            g->setTitle(Tr(g->title()));
    }
}
