// The window's Run command against the real emulator (Debian's dosbox,
// headless): a double click on an entry must start DOS in the entry's folder,
// with the real process start, not only a recorded command line.
#include "mainwindow/MainWindow.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/AppListView.h"
#include "support/IniFileUtils.h"
#include "support/InitProg.h"

#include <QAbstractItemView>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

// Ids of processes working below folder.
QList<qint64> ProcessesIn(const QString &folder)
{
    QList<qint64> found;
    const QString root = QFileInfo(folder).canonicalFilePath() + u'/';
    QDirIterator it(S("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        bool ok = false;
        const qint64 pid = it.fileName().toLongLong(&ok);
        const QString cwd = QFileInfo(it.filePath() + S("/cwd")).symLinkTarget();
        if (ok && QString(cwd + u'/').startsWith(root))
            found.append(pid);
    }
    return found;
}

bool WaitUntilNoProcessIn(const QString &folder, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!ProcessesIn(folder).isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

class WindowLaunchE2e : public testing::Test
{
protected:
    void SetUp() override
    {
        const QString exe = QStandardPaths::findExecutable(S("dosbox"));
        if (exe.isEmpty())
            GTEST_SKIP() << "dosbox is not installed (scripts/install-deps.sh installs it)";
        m_emulatorDir = QFileInfo(exe).absolutePath();
        ASSERT_TRUE(m_dir.isValid());
        SetExePaths(m_dir.filePath(S("bin/ravelin")));
    }

    void TearDown() override
    {
        // An emulator that did not end by itself must not outlive the test.
        for (const qint64 pid : ProcessesIn(m_dir.path()))
            ::kill(pid_t(pid), SIGKILL);
        WaitUntilNoProcessIn(m_dir.path(), 5000);
    }

    QTemporaryDir m_dir{QDir::tempPath() + S("/ravelin window e2e-XXXXXX")};
    QString m_emulatorDir;
};

} // namespace

TEST_F(WindowLaunchE2e, DoubleClickStartsTheEntryAndAutoCloseEndsTheWindow)
{
    const QString app = m_dir.filePath(S("my games/bat game"));
    QDir().mkpath(app);
    WriteTestFile(app + S("/GO.BAT"), "@echo off\r\necho %1>RESULT.TXT\r\n");
    WriteTestFile(m_dir.filePath(S("dosbox.conf")), "[mixer]\nnosound=true\n");
    const QString ini = m_dir.filePath(S("ravelin.ini"));
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteString(u"Config", u"DosBoxPath", m_emulatorDir);
        file.WriteString(u"Config", u"ConfFile", m_dir.filePath(S("dosbox.conf")));
        file.WriteInteger(u"Config", u"AppCount", 1);
        file.WriteString(u"App001", u"AppName", S("Bat Game"));
        file.WriteString(u"App001", u"RootPath", app);
        file.WriteString(u"App001", u"Executable", S("GO.BAT"));
        file.WriteString(u"App001", u"Parameters", S("window"));
        file.WriteString(u"App001", u"Commands", S("#C:;CD \\#"));
        file.WriteBool(u"App001", u"MountCD", false);
        file.WriteBool(u"App001", u"AutoEnd", true);
        file.WriteBool(u"App001", u"AutoClose", true);
        file.UpdateFile();
    }

    TfrmMain window;
    window.IniName = ini;
    window.show();
    ASSERT_EQ(window.AppItems->Count(), 1);
    QAbstractItemView *view = window.lvApps->CurrentView();
    const QPoint centre = view->visualRect(window.AppItems->index(0, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);

    EXPECT_EQ(WaitForTestFile(app + S("/RESULT.TXT"), "\r\n"), QByteArray("window\r\n"));
    EXPECT_TRUE(WaitUntilNoProcessIn(m_dir.path(), 20000)) << "EXIT did not end the emulator";
    EXPECT_FALSE(window.isVisible()) << "AutoClose did not close the window";
}
