#pragma once

#include "dialogs/DialogScript.h"

#include <QApplication>
#include <functional>

// The program's application object. Its general error handler catches a
// failure that escapes an event handler (a file that cannot be created, a
// process that cannot be started, ...), shows its message in the platform's
// message box and lets the program go on.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Runs one delivery under the general error handler: its result, or
    // false after a failure has been shown.
    static bool HandleExceptions(const std::function<bool()> &deliver);
    // Shows the message of a failure that no command caught.
    static void ShowException(const QString &message);
};

// Records the messages of the general error handler instead of showing a
// message box; see DialogScript.h.
using TExceptionScript = TDialogScript<QString, bool>;
