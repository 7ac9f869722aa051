#include "launcher/ConsolePrompt.h"

#include "support/ResourceStrings.h"

using namespace ResourceStrings;

TConsolePrompt::TConsolePrompt(QTextStream &stream, bool answerDefault)
    : m_stream(stream), m_answerDefault(answerDefault)
{}

void TConsolePrompt::show(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_stream << plain << Qt::endl;
}

void TConsolePrompt::answer(const QString &caption)
{
    QString plain = caption;
    plain.remove(u'&');
    m_stream << QStringLiteral("-> ") << plain << Qt::endl;
}

void TConsolePrompt::error(const QString &text, QPoint)
{
    show(text);
}

void TConsolePrompt::information(const QString &text, QPoint)
{
    show(text);
}

bool TConsolePrompt::confirm(const QString &text, QPoint, bool defaultYes)
{
    show(text);
    const bool yes = m_answerDefault && defaultYes;
    answer(yes ? SMsgDlgYes() : SMsgDlgNo());
    return yes;
}

bool TConsolePrompt::confirmRetry(const QString &text, QPoint)
{
    show(text);
    answer(SMsgDlgCancel());
    return false;
}
