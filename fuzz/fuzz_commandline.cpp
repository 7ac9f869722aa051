// Quoting and splitting of the emulator's command line: every argument the
// program quotes with QuoteIfBlank comes back whole from SplitCommandLine,
// and splitting any text never crashes.
#include "launcher/WinExecute.h"
#include "support/StringUtils.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

namespace {

// Arguments as the program builds them: paths and options, without control
// characters, without blanks at their ends, not beginning with a quote.
bool IsPlainArgument(const QString &arg)
{
    if (arg.isEmpty() || arg.front() == u' ' || arg.back() == u' ' || arg.front() == u'"')
        return false;
    for (const QChar c : arg) {
        if (c.unicode() < 32)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)SplitCommandLine(text);

    QStringList args;
    for (const QString &arg : text.split(u'\n')) {
        if (IsPlainArgument(arg))
            args.append(arg);
    }
    QString commandLine;
    for (const QString &arg : args)
        commandLine +=
            (commandLine.isEmpty() ? QString() : QStringLiteral(" ")) + QuoteIfBlank(arg);
    if (SplitCommandLine(commandLine) != args)
        std::abort();
    return 0;
}
