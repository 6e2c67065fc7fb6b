#include "shell/FileManagerBus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QStringList>

#include "shell/FileUri.h"

namespace zephrix::FileManagerBus {
namespace {

Answer call(const char* method, const std::string& path, std::chrono::milliseconds timeout)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Answer::NoService;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QString::fromLatin1(method));
    // The URIs, and an empty start-up notification ID.
    message << QStringList{QString::fromLatin1(fileUri(path))} << QString();

    // Waited on in a local loop that repaints but takes no input, so a file
    // manager that never answers freezes nothing and cannot be asked twice.
    QDBusPendingCallWatcher watcher(bus.asyncCall(message, int(timeout.count())));
    if (!watcher.isFinished()) {
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!watcher.isError())
        return Answer::Done;
    switch (watcher.error().type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
        return Answer::NoService;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return Answer::NoAnswer;
    default:
        return Answer::Refused;
    }
}

} // namespace

Answer showFolder(const std::string& path, std::chrono::milliseconds timeout)
{
    return call("ShowFolders", path, timeout);
}

Answer showItemProperties(const std::string& path, std::chrono::milliseconds timeout)
{
    return call("ShowItemProperties", path, timeout);
}

} // namespace zephrix::FileManagerBus
