#include "dialogs/Application.h"

#include "dialogs/MsgDialogs.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"

#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    return HandleExceptions([&] { return QApplication::notify(receiver, event); });
}

bool TApplication::HandleExceptions(const std::function<bool()> &deliver)
{
    try {
        return deliver();
    } catch (const ERavelinError &e) {
        ShowException(e.message());
    } catch (const std::exception &e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(D_("An unknown error has occurred."));
    }
    return false;
}

void TApplication::ShowException(const QString &message)
{
    if (TExceptionScript::current()) {
        TExceptionScript::current()->take(message);
        return;
    }
    // The program's own error window, like every other message.
    ErrorDialogAt(CenterPos, message);
}
