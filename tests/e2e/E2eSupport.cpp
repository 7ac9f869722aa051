#include "E2eSupport.h"

#include "common/TestFiles.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>

namespace {
QString TemplateName(bool blank)
{
    return QDir::tempPath() +
           (blank ? QStringLiteral("/ravelin e2e-XXXXXX") : QStringLiteral("/ravelin-e2e-XXXXXX"));
}
} // namespace

TE2eFolder::TE2eFolder(bool blankInName) : m_dir(TemplateName(blankInName)) {}

TE2eFolder::~TE2eFolder()
{
    // An emulator that did not end by itself must not outlive the test.
    for (const qint64 pid : processesInFolder())
        ::kill(pid_t(pid), SIGKILL);
    QDeadlineTimer deadline(5000);
    while (!processesInFolder().isEmpty() && !deadline.hasExpired())
        QThread::msleep(20);
}

QString TE2eFolder::path(const QString &name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
}

QString TE2eFolder::makeDir(const QString &name) const
{
    QDir().mkpath(path(name));
    return path(name);
}

QString TE2eFolder::writeFile(const QString &name, const QByteArray &data) const
{
    WriteTestFile(path(name), data);
    return path(name);
}

QString TE2eFolder::writePrimaryConfig() const
{
    return writeFile(QStringLiteral("conf/dosbox.conf"),
                     "[sdl]\nfullscreen=false\n[mixer]\nnosound=true\n[midi]\nmpu401=none\n"
                     "mididevice=none\n");
}

QString TE2eFolder::writeCatalogue(const Keys &config, const QList<Keys> &entries) const
{
    QString text = QStringLiteral("[Unicode]\r\nEncoding=UTF-16LE\r\n\r\n[Config]\r\n");
    for (const auto &[key, value] : config)
        text += key + u'=' + value + QStringLiteral("\r\n");
    text +=
        QStringLiteral("AppCount=") + QString::number(entries.size()) + QStringLiteral("\r\n\r\n");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        text += QStringLiteral("[App") + QString::number(i + 1).rightJustified(3, u'0') +
                QStringLiteral("]\r\n");
        for (const auto &[key, value] : entries.at(i))
            text += key + u'=' + value + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    QByteArray data("\xff\xfe");
    data.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return writeFile(QStringLiteral("ravelin.ini"), data);
}

TE2eFolder::Result TE2eFolder::runRavelin(const QStringList &args,
                                          const QProcessEnvironment &env) const
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(QStringLiteral(RAVELIN_EXE));
    process.setArguments(
        QStringList{QStringLiteral("/ini:") + path(QStringLiteral("ravelin.ini"))} + args);
    process.start();
    Result result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("timed out");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

bool TE2eFolder::waitForEmulatorsToEnd(int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!processesInFolder().isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

QList<qint64> TE2eFolder::processesInFolder() const
{
    QList<qint64> found;
    const QString root = QFileInfo(m_dir.path()).canonicalFilePath() + u'/';
    QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        bool ok = false;
        const qint64 pid = it.fileName().toLongLong(&ok);
        if (!ok)
            continue;
        const QString cwd = QFileInfo(it.filePath() + QStringLiteral("/cwd")).symLinkTarget();
        if (QString(cwd + u'/').startsWith(root))
            found.append(pid);
    }
    return found;
}

QString Quoted(const QString &path)
{
    return path.contains(u' ') ? u'"' + path + u'"' : path;
}
