#include "dialogs/DialogPrompt.h"

#include "dialogs/MsgDialogs.h"

void TDialogPrompt::error(const QString &text, QPoint pos)
{
    ErrorDialogAt(pos, text, dmActiveForm);
}

void TDialogPrompt::information(const QString &text, QPoint pos)
{
    InfoDialogAt(pos, text, dmActiveForm);
}

bool TDialogPrompt::confirm(const QString &text, QPoint pos, bool defaultYes)
{
    return ConfirmDialogAt(pos, text, defaultYes ? mbYes : mbNo, dmActiveForm);
}

bool TDialogPrompt::confirmRetry(const QString &text, QPoint pos)
{
    return ConfirmRetryDialogAt(pos, text, mbRetry, dmActiveForm);
}
