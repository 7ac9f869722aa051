#include "dialogs/MsgDialogs.h"

#include "dialogs/ShowMessageDlg.h"

#include <QApplication>
#include <QPointer>

TModalResult MessageDialog(QPoint APos, const QString &AHint, int Delay, TMsgDialogType DlgType,
                           TMsgDlgBtn DefaultButton, TDefaultMonitor AMonitor)
{
    if (AHint.isEmpty())
        return mrNone;
    if (auto *script = TMessageScript::current()) {
        const TAskedMessage asked{AHint, DlgType, APos, Delay, DefaultButton, AMonitor};
        // Notices have one answer and leave the queued answers to questions.
        if (DlgType <= mdtError || DlgType == mdtCustom) {
            script->note(asked);
            return mrCancel;
        }
        return script->take(asked);
    }
    // Parented to the active window so that it stays above it; guarded
    // because closing that window would take the dialog with it.
    QPointer<TShowMsgDialog> dialog = new TShowMsgDialog(QApplication::activeWindow());
    const TModalResult result =
        dialog->Execute(APos, AHint, Delay, DlgType, DefaultButton, AMonitor);
    delete dialog;
    return result;
}

void ErrorDialog(const QString &AHint, int Delay)
{
    MessageDialog(CenterPos, AHint, Delay, mdtError, mbClose, dmActiveForm);
}

void ErrorDialogAt(QPoint APos, const QString &AHint, TDefaultMonitor AMonitor)
{
    MessageDialog(APos, AHint, 0, mdtError, mbClose, AMonitor);
}

void InfoDialog(const QString &AHint, int Delay)
{
    MessageDialog(CenterPos, AHint, Delay, mdtInformation, mbClose, dmActiveForm);
}

void InfoDialogAt(QPoint APos, const QString &AHint, TDefaultMonitor AMonitor)
{
    MessageDialog(APos, AHint, 0, mdtInformation, mbClose, AMonitor);
}

bool ConfirmDialog(const QString &AHint)
{
    return MessageDialog(CenterPos, AHint, 0, mdtConfirm, mbYes, dmActiveForm) == mrYes;
}

bool ConfirmDialogAt(QPoint APos, const QString &AHint, TMsgDlgBtn DefaultButton,
                     TDefaultMonitor AMonitor)
{
    return MessageDialog(APos, AHint, 0, mdtConfirm, DefaultButton, AMonitor) == mrYes;
}

bool ConfirmRetryDialogAt(QPoint APos, const QString &AHint, TMsgDlgBtn DefaultButton,
                          TDefaultMonitor AMonitor)
{
    return MessageDialog(APos, AHint, 0, mdtConfirmRetry, DefaultButton, AMonitor) == mrRetry;
}

QString TAskedMessage::title() const
{
    QString t;
    QString m;
    SplitMessageText(text, t, m);
    return t.isEmpty() ? DefaultMessageTitle(kind) : t;
}

QString TAskedMessage::message() const
{
    QString t;
    QString m;
    SplitMessageText(text, t, m);
    return m;
}
