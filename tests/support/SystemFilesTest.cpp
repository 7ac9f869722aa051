#include "support/SystemFiles.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "launcher/ConfigList.h"
#include "localisation/LanguageFile.h"
#include "support/Errors.h"
#include "support/FileCopy.h"
#include "support/IniFileUtils.h"
#include "support/SystemShell.h"
#include "texttools/TextConversion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// The process may write no file beyond limit bytes while it exists; the
// signal that would end it is ignored, so writes fail with EFBIG instead,
// as a full disk makes them fail.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

QStringList Leftovers(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(S(".ravelin-"));
}

} // namespace

TEST(SystemFiles, ReplacesWholeKeepingPermissionsAndLinks)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(S("cat.ini"));
    WriteTestFile(file, "old");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    const QString link = dir.filePath(S("link.ini"));
    QFile::link(file, link);

    const TFileState state = WriteFileSafely(link, "new content");
    EXPECT_EQ(ReadTestFile(file), QByteArray("new content"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(PermissionsToMode(QFile::permissions(file).toInt()) & 0777, 0600);
    EXPECT_EQ(state, FileStateOf(file));
    EXPECT_EQ(state.Size, 11);
    EXPECT_FALSE(FileStateOf(dir.filePath(S("none"))).Exists);
    EXPECT_TRUE(Leftovers(dir).isEmpty());
}

TEST(SystemFiles, LeftoversOfDeadWritersGoAtTheNextWrite)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(S("cat.ini"));
    const QString dead = dir.filePath(S(".cat.ini.ravelin-AbCdEf"));
    const QString alive = dir.filePath(S(".cat.ini.ravelin-GhIjKl"));
    const QString other = dir.filePath(S("cat.ini.ravelin-backup"));
    WriteTestFile(dead, "partial");
    WriteTestFile(alive, "being written");
    WriteTestFile(other, "the user's own");
    // A writer that is still at work holds a lock on its file.
    QFile held(alive);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(held.handle(), LOCK_EX), 0);

    WriteFileSafely(file, "x");
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_TRUE(QFile::exists(alive));
    EXPECT_TRUE(QFile::exists(other));
}

// Every writer of the program, with a file size limit that the new content
// exceeds: each reports the reason and leaves the old file as it was.
TEST(SystemFiles, EveryWriterKeepsTheOldFileOnAWriteFault)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(S("target"));
    const QByteArray old("old content\r\n");
    const QString big(20000, u'x');
    const QString source = dir.filePath(S("source.txt"));
    WriteTestFile(source, big.toUtf8());

    const std::vector<std::pair<const char *, std::function<void()>>> writers = {
        {"safe write", [&] { WriteFileSafely(target, big.toUtf8()); }},
        {"ini file",
         [&] {
             auto ini = TUnicodeIniFile::CreateForRead(target);
             ini.WriteString(u"Config", u"Value", big);
             ini.SaveAs(target);
         }},
        {"launch file",
         [&] {
             TConfigList conf(target);
             conf.append(big);
             conf.Save();
         }},
        {"language file", [&] { WriteLanguageFile(target, big); }},
        {"text conversion", [&] { ConvertTextFile(source, target, 437); }},
        {"file copy", [&] { SafeCopyFile(source, target); }},
        {"desktop entry",
         [&] {
             TShellLink link;
             link.Target = S("/usr/bin/ravelin");
             link.Description = big;
             QString error;
             if (CreateShellLink(target, link, &error) != 0)
                 throw EWriteError(error);
         }},
    };
    for (const auto &[name, write] : writers) {
        WriteTestFile(target, old);
        QString message;
        {
            TFileSizeLimit limit(4096);
            try {
                write();
            } catch (const ERavelinError &e) {
                message = e.message();
            }
        }
        EXPECT_TRUE(message.endsWith(S("The file is larger than the system allows.")))
            << name << ": " << qPrintable(message);
        EXPECT_EQ(ReadTestFile(target), old) << name;
        EXPECT_TRUE(Leftovers(dir).isEmpty()) << name;
    }
}
