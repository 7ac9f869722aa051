#pragma once

#include "support/Prompt.h"

// The prompt of the windowed program: the program's message dialogs, each
// at the position the command gives. Tests answer it with a TMessageScript.
class TDialogPrompt : public IPrompt
{
public:
    void error(const QString &text, QPoint pos = CenterPos) override;
    void information(const QString &text, QPoint pos = CenterPos) override;
    bool confirm(const QString &text, QPoint pos = CenterPos, bool defaultYes = true) override;
    bool confirmRetry(const QString &text, QPoint pos = CenterPos) override;
};
