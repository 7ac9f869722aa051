#pragma once

#include <QPoint>
#include <QString>

// Screen positions understood by every prompt: centred over the main window,
// centred on the screen, or a top-left corner in screen pixels (a negative
// coordinate keeps the window's current coordinate on that axis).
inline constexpr QPoint CenterPos{-1, -1};
inline constexpr QPoint ScreenCenterPos{-1, 0};

// How core commands talk to the user. The window implements it with the
// message dialogs, the command-line mode with standard error, tests with
// scripted answers. Texts arrive translated and formatted.
class IPrompt
{
public:
    virtual ~IPrompt() = default;

    // An error the user must acknowledge.
    virtual void error(const QString &text, QPoint pos = CenterPos) = 0;
    // A notice the user must acknowledge.
    virtual void information(const QString &text, QPoint pos = CenterPos) = 0;
    // A Yes/No question; true for Yes. defaultYes picks the default button.
    virtual bool confirm(const QString &text, QPoint pos = CenterPos, bool defaultYes = true) = 0;
    // A Retry/Cancel question; true for Retry (the default button).
    virtual bool confirmRetry(const QString &text, QPoint pos = CenterPos) = 0;
};
