#include "support/InstanceChannel.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

TEST(InstanceChannel, OneHolderPerCatalogueAnswersTheOthers)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("ravelin.ini"));
    // The holder answers in its own event loop, as the window's does.
    QThread thread;
    thread.start();
    QObject context;
    context.moveToThread(&thread);
    TInstanceChannel *holder = nullptr;
    QStringList received;
    QMetaObject::invokeMethod(
        &context,
        [&] {
            holder = new TInstanceChannel(catalogue);
            ASSERT_TRUE(holder->Claim());
            holder->SetHandler([&](const QString &command, const QString &argument) {
                received.append(command + u'|' + argument);
                return command == TInstanceChannel::CmdActivate ? TInstanceChannel::AnswerOk
                                                                : TInstanceChannel::AnswerUnknown;
            });
        },
        Qt::BlockingQueuedConnection);

    TInstanceChannel second(catalogue);
    EXPECT_FALSE(second.Claim());
    EXPECT_EQ(second.Send(TInstanceChannel::CmdActivate), TInstanceChannel::AnswerOk);
    EXPECT_EQ(second.Send(QStringLiteral("run"), QStringLiteral("Monkey Island")),
              TInstanceChannel::AnswerUnknown);
    EXPECT_EQ(received,
              (QStringList{QStringLiteral("activate|"), QStringLiteral("run|Monkey Island")}));
    // Another catalogue is another channel.
    TInstanceChannel other(dir.filePath(QStringLiteral("other.ini")));
    EXPECT_TRUE(other.Claim());
    EXPECT_NE(other.ServerName(), second.ServerName());

    QMetaObject::invokeMethod(
        &context, [&] { delete holder; }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    EXPECT_TRUE(second.Claim());
}

TEST(InstanceChannel, TheLockOfACrashedHolderIsTakenOver)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("ravelin.ini"));
    // What a holder that was killed leaves: its lock naming a process that
    // no longer runs.
    WriteTestFile(catalogue + QStringLiteral(".lock"),
                  "2147483646\n" + QCoreApplication::applicationName().toUtf8() + '\n' +
                      QSysInfo::machineHostName().toUtf8() + '\n');
    TInstanceChannel channel(catalogue);
    EXPECT_TRUE(channel.Claim());
    EXPECT_TRUE(channel.Claimed());
    // Nobody answers a channel whose holder has gone.
    TInstanceChannel lonely(dir.filePath(QStringLiteral("nobody.ini")));
    EXPECT_TRUE(lonely.Send(TInstanceChannel::CmdActivate, QString(), 200).isEmpty());
}
