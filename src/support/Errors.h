#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Failures that end a command and reach the application's general error
// handler, which shows their message. They carry only the message text.
class ERavelinError : public std::exception
{
public:
    explicit ERavelinError(const QString &message) : m_message(message), m_utf8(message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A file could not be copied (SafeCopyFile).
class ECopyError : public ERavelinError
{
public:
    using ERavelinError::ERavelinError;
};

// A process could not be started (StartProcess).
class EProcessError : public ERavelinError
{
public:
    using ERavelinError::ERavelinError;
};

// A file could not be created ("Cannot create file ...").
class EFCreateError : public ERavelinError
{
public:
    using ERavelinError::ERavelinError;
};

// A file could not be written ("Error writing to ...").
class EWriteError : public ERavelinError
{
public:
    using ERavelinError::ERavelinError;
};
