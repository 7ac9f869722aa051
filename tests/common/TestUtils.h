#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable gtest output for Qt strings.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toUtf8().constData() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '[';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", " : "") << '"' << l.at(i).toUtf8().constData() << '"';
    *os << ']';
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toHex(' ').constData() << '"';
}
