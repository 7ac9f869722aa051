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

// What a file-save chooser is asked to do.
struct TFileSaveRequest
{
    QString Title;
    QString StartDir;
    QString FileName; // proposed, without folder
    QString DefaultExt;
    QString Filter; // «All|*.*»
};

// The platform's file-save dialog, which asks before replacing a file.
// Returns the chosen file, or empty for Cancel.
QString SaveFileAs(QWidget *parent, const TFileSaveRequest &request);

// Answers SaveFileAs without a window: the queued name, an empty one (or
// none queued) cancels. See DialogScript.h.
using TFileSaveScript = TDialogScript<TFileSaveRequest, QString>;
