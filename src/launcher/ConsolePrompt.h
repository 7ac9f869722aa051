#pragma once

#include "support/Prompt.h"

#include <QTextStream>

// Width of the terminal that the command-line mode writes for.
constexpr int TerminalWidth = 80;

// Breaks every line wider than width columns at its last blank that fits (a
// word wider than the width keeps a line of its own); continuation lines keep
// the indentation of their line. No-break spaces never break.
QString WrapLines(const QString &text, int width = TerminalWidth);

// Prompts of the command-line mode: every text goes to a stream (standard
// error), and nobody is there to answer. A question takes its default button
// when answerDefault is set, otherwise "No" (or "Cancel"); a retry question is
// never retried, so the command cannot loop. The answer is printed too.
class TConsolePrompt : public IPrompt
{
public:
    TConsolePrompt(QTextStream &stream, bool answerDefault);

    void error(const QString &text, QPoint pos = CenterPos) override;
    void information(const QString &text, QPoint pos = CenterPos) override;
    bool confirm(const QString &text, QPoint pos = CenterPos, bool defaultYes = true) override;
    bool confirmRetry(const QString &text, QPoint pos = CenterPos) override;

private:
    void show(const QString &text);
    void answer(const QString &caption);

    QTextStream &m_stream;
    bool m_answerDefault;
};
