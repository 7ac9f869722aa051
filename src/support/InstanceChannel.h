#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;
class QLockFile;

// One window per catalogue file. The start that claims the channel holds a
// lock file beside the catalogue ("<file>.lock"; in the user's runtime
// folder when the catalogue's folder is read-only) and listens on a local
// socket named after the catalogue's path; a later start on the same file
// finds the lock held and sends its request over the socket instead. A lock
// left by a program that ended without removing it (a crash) is taken over.
//
// The protocol: the client sends one line, a command and optionally a blank
// and an argument, in UTF-8; the holder answers one line, "ok" or another
// text the command defines ("unknown" for a command it does not know).
// Commands: "activate" (bring the window to the front), "run NAME" (start
// the entry NAME: "ok", "unknown" for no such entry, "busy" while the
// window cannot take it).
//
// A command-line start that writes the catalogue holds the lock without
// listening: a later start waits until it has ended and then claims the
// channel itself (SendOrClaim).
class TInstanceChannel : public QObject
{
    Q_OBJECT
public:
    // Answers a command with its argument; runs in the holder's event loop.
    using THandler = std::function<QString(const QString &command, const QString &argument)>;

    static inline const QString CmdActivate = QStringLiteral("activate");
    static inline const QString CmdRun = QStringLiteral("run");
    static inline const QString AnswerOk = QStringLiteral("ok");
    static inline const QString AnswerUnknown = QStringLiteral("unknown");
    static inline const QString AnswerBusy = QStringLiteral("busy");

    explicit TInstanceChannel(const QString &catalogueFile, QObject *parent = nullptr);
    ~TInstanceChannel() override;

    // Takes the lock and, with listen, answers requests; false when another
    // running start holds it.
    bool Claim(bool listen = true);
    bool Claimed() const { return m_lock != nullptr; }
    void SetHandler(THandler handler) { m_handler = std::move(handler); }

    // Sends a command to the start that holds the lock and returns its
    // answer; empty when none answers within timeoutMs.
    QString Send(const QString &command, const QString &argument = QString(),
                 int timeoutMs = 10000) const;

    // Sends a command to the start that holds the lock, or claims the
    // channel (as Claim(listen) does) as soon as no start holds it, also
    // after a holder that did not listen has ended. Returns the answer;
    // empty when this start claimed the channel (Claimed()) or none answered
    // within timeoutMs.
    QString SendOrClaim(const QString &command, const QString &argument, bool listen,
                        int timeoutMs = 10000);

    const QString &ServerName() const { return m_serverName; }

private:
    void Serve();
    static QString Exchange(QLocalSocket &socket, const QString &command, const QString &argument,
                            const QDeadlineTimer &deadline);

    QString m_lockFile;
    QString m_fallbackLockFile;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    THandler m_handler;
};
