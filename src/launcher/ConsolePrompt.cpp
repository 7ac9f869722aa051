#include "launcher/ConsolePrompt.h"

#include "support/ResourceStrings.h"

using namespace ResourceStrings;

QString WrapLines(const QString &text, int width)
{
    QStringList result;
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines) {
        qsizetype indent = 0;
        while (indent < line.size() && line.at(indent) == u' ')
            ++indent;
        QString rest = line;
        while (rest.size() > width) {
            qsizetype cut = rest.lastIndexOf(u' ', width);
            if (cut <= indent)
                cut = rest.indexOf(u' ', width);
            if (cut < 0)
                break;
            result.append(rest.left(cut));
            qsizetype next = cut;
            while (next < rest.size() && rest.at(next) == u' ')
                ++next;
            rest = next == rest.size() ? QString() : line.left(indent) + rest.mid(next);
        }
        if (!rest.isEmpty() || line.isEmpty())
            result.append(rest);
    }
    return result.join(u'\n');
}

TConsolePrompt::TConsolePrompt(QTextStream &stream, bool answerDefault)
    : m_stream(stream), m_answerDefault(answerDefault)
{}

void TConsolePrompt::show(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_stream << WrapLines(plain) << Qt::endl;
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
