#pragma once
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

extern char** environ;

namespace zephrix::test {

// A private X desktop for one test program: Xvfb on a free display and, on request, openbox and trayer.
// Create it before the QApplication, which then connects to it. When a program is missing nothing is
// started and missing() names it, for the tests to skip with.
class DesktopSession {
  public:
    explicit DesktopSession(bool withTray) : withTray_(withTray)
    {
        for (const QString& program :
             QStringList{"Xvfb", "xdotool", "openbox", "trayer"}.mid(0, withTray ? 4 : 2))
            if (QStandardPaths::findExecutable(program).isEmpty())
                missing_ << program;
        if (missing_.isEmpty() && !startServer())
            missing_ << "a working Xvfb";
        if (!missing_.isEmpty())
            return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        // A notification area on a session bus would take the icon from the one under test.
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        if (withTray)
            windowManager_ = spawn({"openbox", "--sm-disable"});
    }
    ~DesktopSession()
    {
        stopTray();
        stop(windowManager_);
        stop(server_);
    }
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    bool ok() const { return missing_.isEmpty(); }
    QString missing() const { return "not installed: " + missing_.join(", "); }

    void startTray()
    {
        if (ok() && withTray_ && tray_ <= 0)
            tray_ = spawn({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                           "--height", "32", "--SetDockType", "true"});
    }
    void stopTray() { stop(tray_); }

    // xdotool with these words on this display: whether it ran, and what it printed, trimmed.
    static bool xdotool(const QStringList& words, QString* printed = nullptr)
    {
        QProcess run;
        run.start(QStringLiteral("xdotool"), words);
        const bool ran =
            run.waitForFinished(10000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
        if (printed)
            *printed = ran ? QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed() : QString();
        return ran;
    }

  private:
    static pid_t spawn(const std::vector<std::string>& command, int keepFd = -1)
    {
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (keepFd >= 0)
            posix_spawn_file_actions_adddup2(&actions, keepFd, 3);
        pid_t pid = -1;
        if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    static void stop(pid_t& pid)
    {
        if (pid <= 0)
            return;
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }

    // Xvfb picks a free display and writes its number to descriptor 3, so test programs never collide;
    // -noreset: a moment with no client must not reset the server.
    bool startServer()
    {
        int channel[2];
        if (::pipe(channel) != 0)
            return false;
        server_ =
            spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                  channel[1]);
        ::close(channel[1]);
        std::string number;
        char c = 0;
        pollfd wait{channel[0], POLLIN, 0};
        while (server_ > 0 && ::poll(&wait, 1, 20000) == 1 && ::read(channel[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        ::close(channel[0]);
        if (number.empty())
            return false;
        qputenv("DISPLAY", QByteArray(":") + number.c_str());
        return true;
    }

    bool withTray_;
    QStringList missing_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    pid_t tray_ = -1;
};

// A test program's main() on its own desktop: the session before the application, which connects to it.
template <typename Test> int runOnDesktop(int argc, char* argv[], bool withTray)
{
    DesktopSession session(withTray);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    session.startTray();
    Test test(session);
    return QTest::qExec(&test, argc, argv);
}

} // namespace zephrix::test
