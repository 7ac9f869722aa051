#pragma once

#include "dialogs/DialogScript.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// One filter of a file chooser: a translated description and its patterns
// («*.exe;*.com»).
struct TFileTypeFilter
{
    QString Description;
    QString Patterns;
};

// What a file chooser is asked to do.
struct TFileOpenRequest
{
    QString Title;
    QString DefaultExt; // added to a typed name without extension
    QList<TFileTypeFilter> Filters;
    QString StartDir;
    bool Multiple = false;
};

// The platform's file-open dialog: the chosen files must exist, the first
// filter is active. Returns the chosen files in the chooser's order, none for
// Cancel.
QStringList OpenFiles(QWidget *parent, const TFileOpenRequest &request);

// Answers OpenFiles without a window; an unanswered request is cancelled.
// See DialogScript.h.
using TFileOpenScript = TDialogScript<TFileOpenRequest, QStringList>;
