#include "support/SystemFiles.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary files are ".<name>.ravelin-XXXXXX" beside their file: hidden, and
// named so that nothing else is ever taken for one.
QString TempPrefix(const QString &name)
{
    return u'.' + name + QStringLiteral(".ravelin-");
}

TFileState StateOf(const struct stat &st)
{
    TFileState stamp;
    stamp.Exists = true;
    stamp.Device = quint64(st.st_dev);
    stamp.Inode = quint64(st.st_ino);
    stamp.Size = qint64(st.st_size);
    stamp.ModifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + qint64(st.st_mtim.tv_nsec);
    return stamp;
}

[[noreturn]] void Fail(const QString &fileName, int errorNumber)
{
    throw EWriteError(
        SafeFormat(U_("Error writing to \"%s\""), QDir::toNativeSeparators(fileName)) +
        QStringLiteral("\r\n") + SystemErrorText(errorNumber));
}

// A writer holds a lock on its temporary file until the file is renamed or
// removed; one that can be locked was left by a writer that died.
void RemoveStaleTempFiles(const QString &dir, const QString &name)
{
    const QString prefix = TempPrefix(name);
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (!it.fileName().startsWith(prefix))
            continue;
        const QByteArray path = QFile::encodeName(it.filePath());
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

// Creates and locks a new temporary file in dir; -1 with errno on failure.
int CreateTempFile(const QString &dir, const QString &name, QByteArray &path)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QChar(Letters[QRandomGenerator::global()->bounded(62)]);
        path = QFile::encodeName(QDir(dir).filePath(TempPrefix(name) + suffix));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool WriteAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(qMin<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// The file that a write of fileName replaces: a symbolic link's target.
QString WriteTarget(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    return QFileInfo(info.symLinkTarget()).absoluteFilePath();
}

} // namespace

QString SystemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return U_("The disk is full.");
    case EDQUOT:
        return U_("The disk quota is exhausted.");
    case EFBIG:
        return U_("The file is larger than the system allows.");
    case EACCES:
    case EPERM:
        return U_("Permission denied.");
    case EROFS:
        return U_("The file system is read-only.");
    case ENOENT:
        return U_("The folder does not exist.");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

TFileState FileStateOf(const QString &fileName)
{
    struct stat st;
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return {};
    return StateOf(st);
}

TFileState WriteFileSafely(const QString &fileName, const QByteArray &data, bool durable)
{
    const QString target = WriteTarget(fileName);
    const QByteArray targetPath = QFile::encodeName(target);
    const QString dir = QFileInfo(target).absolutePath();
    const QString name = QFileInfo(target).fileName();

    struct stat old;
    const bool exists = ::stat(targetPath.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        throw EWriteError(
            SafeFormat(U_("Error writing to \"%s\""), QDir::toNativeSeparators(fileName)) +
            QStringLiteral("\r\n") + U_("It is not a regular file."));
    }
    if (exists && ::access(targetPath.constData(), W_OK) != 0)
        Fail(fileName, errno);

    RemoveStaleTempFiles(dir, name);
    QByteArray tempPath;
    const int fd = CreateTempFile(dir, name, tempPath);
    if (fd < 0)
        Fail(fileName, errno);
    struct stat written;
    // Renamed while still open and locked, so that no cleaner takes the
    // file for a leftover in between; fsync has reported any write error.
    const bool ok = (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                    WriteAll(fd, data.constData(), data.size()) && (!durable || ::fsync(fd) == 0) &&
                    ::fstat(fd, &written) == 0 &&
                    ::rename(tempPath.constData(), targetPath.constData()) == 0;
    const int error = errno;
    ::close(fd);
    if (ok && !durable)
        return StateOf(written);
    if (ok) {
        // The new name reaches the disk with the folder; a failure here
        // leaves the data safe in either the old or the new file.
        const int dirFd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
        return StateOf(written);
    }
    ::unlink(tempPath.constData());
    Fail(fileName, error);
}
