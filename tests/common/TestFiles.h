#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QThread>
#include <gtest/gtest.h>

// Files the tests set up and look at. A file that cannot be written or read
// fails the calling test with its name and the system's reason, rather than
// showing up later as a puzzling empty value.

// Writes the file whole, replacing an earlier one; missing folders are made.
inline void WriteTestFile(const QString &path, const QByteArray &data = QByteArray())
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly))
        << "cannot write " << qPrintable(path) << ": " << qPrintable(f.errorString());
    ASSERT_TRUE(f.write(data) == data.size() && f.flush())
        << "cannot write " << qPrintable(path) << ": " << qPrintable(f.errorString());
}

// The whole content of the file; empty (and a failure) if it cannot be read.
inline QByteArray ReadTestFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << qPrintable(path) << ": " << qPrintable(f.errorString());
        return QByteArray();
    }
    return f.readAll();
}

// The content of a file another process writes, once it is there and ends
// with endMark (any content for an empty mark); empty after timeoutMs.
inline QByteArray WaitForTestFile(const QString &path, const QByteArray &endMark = QByteArray(),
                                  int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray data = f.readAll();
            if (!data.isEmpty() && data.endsWith(endMark))
                return data;
        }
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return QByteArray();
}

// A program: the file as WriteTestFile writes it, executable by its owner.
inline void WriteTestProgram(const QString &path, const QByteArray &script)
{
    WriteTestFile(path, script);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner))
        << "cannot make " << qPrintable(path) << " executable";
}

// A stand-in for the emulator's program that answers every start (such as
// the version question) with the given text and a line break.
inline void WriteStandInEmulator(const QString &path, const QByteArray &answer)
{
    WriteTestProgram(path, "#!/bin/sh\ncat <<'EOF'\n" + answer + "\nEOF\n");
}
