#pragma once

#include "dialogs/DialogScript.h"
#include "dialogs/DialogTypes.h"
#include "support/Prompt.h"

#include <QPoint>
#include <QString>

// The message functions of the whole program. Texts arrive translated; a
// text "Title|Message" brings its own window title. All are modal.

// One message: a new TShowMsgDialog for this call, translated, shown at APos
// (CenterPos, ScreenCenterPos or a top-left corner), closed after Delay
// seconds when Delay > 0.
TModalResult MessageDialog(QPoint APos, const QString &AHint, int Delay, TMsgDialogType DlgType,
                           TMsgDlgBtn DefaultButton, TDefaultMonitor AMonitor = dmActiveForm);

void ErrorDialog(const QString &AHint, int Delay = 0);
void ErrorDialogAt(QPoint APos, const QString &AHint, TDefaultMonitor AMonitor = dmActiveForm);
void InfoDialog(const QString &AHint, int Delay = 0);
void InfoDialogAt(QPoint APos, const QString &AHint, TDefaultMonitor AMonitor = dmActiveForm);
// True for Yes.
bool ConfirmDialog(const QString &AHint);
bool ConfirmDialogAt(QPoint APos, const QString &AHint, TMsgDlgBtn DefaultButton = mbYes,
                     TDefaultMonitor AMonitor = dmActiveForm);
// True for Retry.
bool ConfirmRetryDialogAt(QPoint APos, const QString &AHint, TMsgDlgBtn DefaultButton = mbRetry,
                          TDefaultMonitor AMonitor = dmActiveForm);

// A message as the test seam records it.
struct TAskedMessage
{
    QString text; // as passed, title part included
    TMsgDialogType kind = mdtInformation;
    QPoint pos;
    int delay = 0;
    TMsgDlgBtn defaultButton = mbOK;
    TDefaultMonitor monitor = dmActiveForm;

    // The window title and message the window would show.
    QString title() const;
    QString message() const;
};

// Answers MessageDialog (and so every wrapper and TDialogPrompt) without a
// window; see DialogScript.h. Notices (information, warning, error, custom)
// are recorded and answered mrCancel without using a queued answer; an
// unanswered question gets mrCancel, the close box.
class TMessageScript : public TDialogScript<TAskedMessage, TModalResult>
{
public:
    TMessageScript() : TDialogScript(mrCancel) {}
};
