#pragma once

#include "launcher/WinExecute.h"
#include "support/Prompt.h"

#include <QStringList>
#include <deque>

// Answers questions from a script (Yes/Retry when it runs dry, unless told
// otherwise) and records every text it was shown as "kind: text".
class TScriptedPrompt : public IPrompt
{
public:
    std::deque<bool> answers;
    bool answerWhenDry = true;
    QStringList asked;
    QList<QPoint> positions;

    void error(const QString &text, QPoint pos) override
    {
        record(QStringLiteral("error"), text, pos);
    }
    void information(const QString &text, QPoint pos) override
    {
        record(QStringLiteral("information"), text, pos);
    }
    bool confirm(const QString &text, QPoint pos, bool defaultYes) override
    {
        record(defaultYes ? QStringLiteral("confirm") : QStringLiteral("confirm(no)"), text, pos);
        return next();
    }
    bool confirmRetry(const QString &text, QPoint pos) override
    {
        record(QStringLiteral("retry"), text, pos);
        return next();
    }

private:
    void record(const QString &kind, const QString &text, QPoint pos)
    {
        asked.append(kind + QStringLiteral(": ") + text);
        positions.append(pos);
    }
    bool next()
    {
        if (answers.empty())
            return answerWhenDry;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Records the processes it is asked to start instead of starting them.
class TRecordingStarter : public IProcessStarter
{
public:
    struct Call
    {
        QString commandLine;
        QString workDir;
    };
    QList<Call> calls;

    qint64 StartProcess(const QString &CommandLine, const QString &WorkDir) override
    {
        calls.append({CommandLine, WorkDir});
        return 4711;
    }
};
