#include "support/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace {

// A request is one short line; anything longer is no client of ours.
constexpr qint64 MaxLine = 64 * 1024;

QString RuntimeDir()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

bool TryLock(QLockFile &lock)
{
    // A live holder keeps its lock however old it is; only a dead one's goes.
    lock.setStaleLockTime(0);
    return lock.tryLock(0);
}

} // namespace

TInstanceChannel::TInstanceChannel(const QString &catalogueFile, QObject *parent) : QObject(parent)
{
    const QFileInfo info(catalogueFile);
    const QString canonical = info.canonicalFilePath();
    const QString path = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    m_lockFile = path + QStringLiteral(".lock");
    m_fallbackLockFile =
        QDir(RuntimeDir()).filePath(QStringLiteral("ravelin-") + hash + QStringLiteral(".lock"));
    m_serverName =
        QDir(RuntimeDir()).filePath(QStringLiteral("ravelin-") + hash + QStringLiteral(".socket"));
}

TInstanceChannel::~TInstanceChannel() = default;

bool TInstanceChannel::Claim(bool listen)
{
    if (m_lock)
        return true;
    auto lock = std::make_unique<QLockFile>(m_lockFile);
    if (!TryLock(*lock)) {
        if (lock->error() == QLockFile::LockFailedError)
            return false;
        // No lock file can be made beside the catalogue.
        lock = std::make_unique<QLockFile>(m_fallbackLockFile);
        if (!TryLock(*lock))
            return lock->error() != QLockFile::LockFailedError;
    }
    m_lock = std::move(lock);
    if (!listen)
        return true;
    // A socket left by a crashed holder would block listening.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceChannel::Serve);
    m_server->listen(m_serverName);
    return true;
}

void TInstanceChannel::Serve()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > MaxLine)
                    socket->abort();
                return;
            }
            const QString line = QString::fromUtf8(socket->readLine(MaxLine)).trimmed();
            const qsizetype blank = line.indexOf(u' ');
            const QString command = blank < 0 ? line : line.left(blank);
            const QString argument = blank < 0 ? QString() : line.mid(blank + 1);
            // Until the holder has set its handler it is still starting.
            const QString answer = m_handler ? m_handler(command, argument) : AnswerBusy;
            socket->write(answer.toUtf8() + '\n');
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

QString TInstanceChannel::Send(const QString &command, const QString &argument, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The holder may still be starting: it takes the lock before it listens.
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(qMax<qint64>(deadline.remainingTime(), 0))))
            break;
        if (deadline.hasExpired())
            return QString();
        QThread::msleep(50);
    }
    return Exchange(socket, command, argument, deadline);
}

QString TInstanceChannel::SendOrClaim(const QString &command, const QString &argument, bool listen,
                                      int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (Claim(listen))
            return QString();
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(qBound(qint64(0), deadline.remainingTime(), qint64(200)))))
            return Exchange(socket, command, argument, deadline);
        if (deadline.hasExpired())
            return QString();
        QThread::msleep(50);
    }
}

QString TInstanceChannel::Exchange(QLocalSocket &socket, const QString &command,
                                   const QString &argument, const QDeadlineTimer &deadline)
{
    QString line = command;
    if (!argument.isEmpty())
        line += u' ' + argument;
    socket.write(line.toUtf8() + '\n');
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(int(qMax<qint64>(deadline.remainingTime(), 1))))
            return QString();
    }
    return QString::fromUtf8(socket.readLine(MaxLine)).trimmed();
}
