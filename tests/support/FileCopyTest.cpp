#include "support/FileCopy.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// The message of the ECopyError the copy raises, or nothing.
std::optional<QString> CopyError(const QString &source, const QString &target)
{
    try {
        SafeCopyFile(source, target);
    } catch (const ECopyError &e) {
        return e.message();
    }
    return std::nullopt;
}

class FileCopy : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        source = dir.filePath(S("source.dat"));
        WriteTestFile(source, payload);
        QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ExeOwner);
        QFile f(source);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(stamp, QFileDevice::FileModificationTime);
    }

    QTemporaryDir dir;
    QString source;
    // Larger than one buffer and not a multiple of it.
    QByteArray payload = QByteArray(DefaultCopyBufferSize * 2 + 77, 'x') + "end";
    QDateTime stamp = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
};

} // namespace

TEST_F(FileCopy, CopiesContentTimeAndPermissions)
{
    const QString target = dir.filePath(S("target.dat"));
    WriteTestFile(target, "old and longer than nothing");
    EXPECT_FALSE(CopyError(source, target));
    EXPECT_EQ(ReadTestFile(target), payload);
    EXPECT_EQ(QFileInfo(target).lastModified(), stamp);
    EXPECT_EQ(QFileInfo(target).permissions(), QFileInfo(source).permissions());

    // Exactly one buffer, and an empty file.
    const QString small = dir.filePath(S("small"));
    WriteTestFile(small, "abcd");
    SafeCopyFile(small, target, 0600, 4);
    EXPECT_EQ(ReadTestFile(target), QByteArray("abcd"));
    EXPECT_EQ(PermissionsToMode(QFileInfo(target).permissions().toInt()) & 0777, 0600);
    WriteTestFile(small, QByteArray());
    SafeCopyFile(small, target, -1, 0);
    EXPECT_EQ(QFileInfo(target).size(), 0);
}

TEST_F(FileCopy, ReplacesAReadOnlyTarget)
{
    const QString target = dir.filePath(S("readonly.dat"));
    WriteTestFile(target, "protected");
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    EXPECT_FALSE(CopyError(source, target));
    EXPECT_EQ(ReadTestFile(target), payload);
    EXPECT_EQ(QFileInfo(target).permissions(), QFileInfo(source).permissions());
    EXPECT_EQ(QFileInfo(target).lastModified(), stamp);
}

TEST_F(FileCopy, CopyingAFileOntoItselfLeavesItIntact)
{
    EXPECT_FALSE(CopyError(source, source));
    EXPECT_FALSE(CopyError(source, dir.path() + S("/./source.dat")));
    const QString link = dir.filePath(S("link.dat"));
    ASSERT_TRUE(QFile::link(source, link));
    EXPECT_FALSE(CopyError(source, link));
    EXPECT_EQ(ReadTestFile(source), payload);
}

TEST_F(FileCopy, FailuresNameTheFileAndTheStep)
{
    const QString missing = dir.filePath(S("missing.dat"));
    EXPECT_EQ(CopyError(missing, dir.filePath(S("t"))), S("File not found: \"") + missing + u'"');
    EXPECT_EQ(CopyError(source, QString()), S("File not found: \"") + source + u'"');
    EXPECT_EQ(CopyError(dir.path(), dir.filePath(S("t"))),
              S("File not found: \"") + dir.path() + u'"');

    // Target failures add the system's reason on a line of their own.
    const auto writeError = [](const QString &target) -> QString {
        return S("Error writing to \"") + target + S("\"\r\n");
    };
    const QString noFolder = dir.filePath(S("no/such/folder/t.dat"));
    EXPECT_TRUE(CopyError(source, noFolder)->startsWith(writeError(noFolder)));
    const QString underFile = source + S("/t.dat");
    EXPECT_TRUE(CopyError(source, underFile)->startsWith(writeError(underFile)));
    const QString targetDir = dir.filePath(S("adir"));
    ASSERT_TRUE(QDir().mkdir(targetDir));
    EXPECT_EQ(CopyError(source, targetDir), writeError(targetDir) + S("It is not a regular file."));
    // A relative name is reported in full.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(CopyError(S("gone.dat"), S("t")),
              S("File not found: \"") + dir.filePath(S("gone.dat")) + u'"');
    QDir::setCurrent(cwd);
}

TEST_F(FileCopy, UnwritableFolderAndUnreadableSource)
{
    if (QFileInfo(S("/root")).isWritable())
        GTEST_SKIP() << "permissions do not bind the super-user";
    const QString locked = dir.filePath(S("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString target = locked + S("/t.dat");
    EXPECT_EQ(CopyError(source, target), S("Error creating \"") + target + u'"');

    QFile::setPermissions(source, QFileDevice::WriteOwner);
    EXPECT_EQ(CopyError(source, dir.filePath(S("t"))), S("Error opening \"") + source + u'"');
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
