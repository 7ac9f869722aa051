#include "support/InstanceChannel.h"
#include "common/TestUtils.h"

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
