#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace zephrix {
namespace {

// A request is one short line; anything longer is not one of ours.
constexpr qint64 LongestRequest = 64;

// Only a folder of our own that nobody else may enter can hold the lock and
// the socket: another user could otherwise take the name first.
bool privateFolder(const QByteArray& path)
{
    struct stat details {};
    return ::lstat(path.constData(), &details) == 0 && S_ISDIR(details.st_mode) &&
           details.st_uid == ::getuid() && (details.st_mode & 077) == 0;
}

QString runtimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && privateFolder(runtime))
        return QString::fromLocal8Bit(runtime);
    const QByteArray fallback = "/tmp/zephrix-" + QByteArray::number(::getuid());
    ::mkdir(fallback.constData(), 0700);
    return privateFolder(fallback) ? QString::fromLocal8Bit(fallback) : QString();
}

} // namespace

SingleInstance::SingleInstance(const std::string& indexesFolder, QObject* parent) : QObject(parent)
{
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return;
    const QString guarded = QDir::cleanPath(QDir(QString::fromStdString(indexesFolder)).absolutePath());
    const QByteArray name =
        QCryptographicHash::hash(guarded.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString stem = folder + "/zephrix-" + QString::fromLatin1(name);
    socketPath_ = stem + ".socket";
    lockPath_ = stem + ".lock";
}

SingleInstance::~SingleInstance()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

SingleInstance::Claim SingleInstance::claim()
{
    if (lockPath_.isEmpty())
        return Claim::Unguarded;
    const int fd = ::open(lockPath_.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return Claim::Unguarded;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lockFd_ = fd;
        return Claim::First;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? Claim::Running : Claim::Unguarded;
}

bool SingleInstance::listen()
{
    if (lockFd_ < 0)
        return false;
    // Holding the lock, any socket file there is one a killed instance left.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    return server_->listen(socketPath_);
}

void SingleInstance::answer()
{
    while (QLocalSocket* caller = server_->nextPendingConnection()) {
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
            if (!caller->canReadLine()) {
                if (caller->bytesAvailable() > LongestRequest)
                    caller->abort();
                return;
            }
            const QByteArray request = caller->readLine(LongestRequest);
            if (request == ShowRequest) {
                emit showRequested();
                caller->write(ShowAnswer);
                caller->flush();
            }
            caller->disconnectFromServer();
        });
    }
}

bool SingleInstance::askToShow(int timeoutMs)
{
    if (socketPath_.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        const auto remaining = [&] { return int(std::clamp<qint64>(deadline.remainingTime(), 1, 1000)); };
        if (socket.waitForConnected(remaining())) {
            socket.write(ShowRequest);
            while (!socket.canReadLine() && !deadline.hasExpired() &&
                   socket.state() == QLocalSocket::ConnectedState)
                socket.waitForReadyRead(remaining());
            return socket.canReadLine() && socket.readLine(LongestRequest) == ShowAnswer;
        }
        QThread::msleep(100);
    }
    return false;
}

} // namespace zephrix
