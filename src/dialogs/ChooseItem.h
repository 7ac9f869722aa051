#pragma once

#include "dialogs/DialogScript.h"

#include <QString>
#include <QStringList>

// A modal list to pick one line from, with OK and Cancel; a double-click
// picks too. Returns the chosen line's index (the first is preselected), or
// -1 for Cancel.
int ChooseItem(const QString &title, const QString &prompt, const QStringList &items);

// A list choice as the test seam records it.
struct TAskedItemChoice
{
    QString title;
    QString prompt;
    QStringList items;
};

// Answers ChooseItem without a window (-1 when no answer is queued); see
// DialogScript.h.
class TChooseItemScript : public TDialogScript<TAskedItemChoice, int>
{
public:
    TChooseItemScript() : TDialogScript(-1) {}
};
