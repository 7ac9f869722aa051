#include "support/SystemProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <vector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Children whose end cannot be watched: reaped at the next start.
std::vector<pid_t> &UnwatchedChildren()
{
    static std::vector<pid_t> children;
    return children;
}

void ReapEndedChildren()
{
    auto &children = UnwatchedChildren();
    std::erase_if(children, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

// Reaps the child as soon as it ends: its pidfd becomes readable then.
void WatchChild(pid_t pid, std::function<void()> onEnded)
{
    QCoreApplication *app = QCoreApplication::instance();
    const int fd = app && QThread::currentThread() == app->thread()
                       ? int(syscall(SYS_pidfd_open, pid, 0))
                       : -1;
    if (fd < 0) {
        UnwatchedChildren().push_back(pid);
        return;
    }
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier, fd, pid, onEnded = std::move(onEnded)] {
                         waitpid(pid, nullptr, WNOHANG);
                         notifier->setEnabled(false);
                         notifier->deleteLater();
                         close(fd);
                         if (onEnded)
                             onEnded();
                     });
}

class TSpawnSetup
{
public:
    TSpawnSetup()
    {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
    }
    ~TSpawnSetup()
    {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSetup(const TSpawnSetup &) = delete;
    TSpawnSetup &operator=(const TSpawnSetup &) = delete;

    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};

} // namespace

TSpawnResult SpawnDetached(const TSpawnRequest &request)
{
    ReapEndedChildren();
    TSpawnSetup setup;
    int error = 0;
    const QByteArray workDir = QFile::encodeName(request.WorkDir);
    const QByteArray out = QFile::encodeName(request.StdOutFile);
    const QByteArray err = QFile::encodeName(request.StdErrFile);
    if (!workDir.isEmpty())
        error = error ? error : posix_spawn_file_actions_addchdir_np(&setup.Actions, workDir);
    constexpr int flags = O_WRONLY | O_CREAT | O_TRUNC;
    if (!out.isEmpty())
        error = error ? error
                      : posix_spawn_file_actions_addopen(&setup.Actions, STDOUT_FILENO, out, flags,
                                                         0666);
    if (!err.isEmpty())
        error = error ? error
                      : posix_spawn_file_actions_addopen(&setup.Actions, STDERR_FILENO, err, flags,
                                                         0666);
    // A clean start: no blocked signals, every signal at its default action.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&setup.Attributes, &none);
    posix_spawnattr_setsigdefault(&setup.Attributes, &all);
    posix_spawnattr_setflags(&setup.Attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (error)
        return {0, error};

    const QByteArray program = QFile::encodeName(request.Program);
    std::vector<QByteArray> args{program};
    for (const QString &argument : request.Arguments)
        args.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const bool searchPath = !program.contains('/');
    error = (searchPath ? posix_spawnp : posix_spawn)(&pid, program.constData(), &setup.Actions,
                                                      &setup.Attributes, argv.data(), environ);
    if (error)
        return {0, error};
    WatchChild(pid, request.OnEnded);
    return {pid, 0};
}
