#pragma once
#include <QObject>
#include <QString>
#include <string>

class QLocalServer;

namespace zephrix {

// One running Zephrix per user and indexes folder: two would build the same
// index files. The first to take a lock in the user's runtime folder is the
// instance; the kernel lets go of the lock when the process ends however it
// ends, so nothing stale can keep the next start out. The instance listens
// on a local socket beside the lock, where a later launch asks it to show
// its main window.
//
// Order of use: claim() before anything is shown or written; then, for the
// first, listen() once the application object exists; for a later launch,
// askToShow() and end.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    enum class Claim {
        First,     // this process is the instance
        Running,   // another one is: ask it to show its window and end
        Unguarded, // no safe place for the lock: run without the guard
    };

    // indexesFolder names what the instance guards; the lock and socket are
    // named after it in $XDG_RUNTIME_DIR (or a private folder in /tmp).
    explicit SingleInstance(const std::string& indexesFolder, QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Needs no application object.
    Claim claim();
    // Starts answering later launches; removes a socket file that a killed
    // instance left behind. Needs the application's event loop to answer.
    bool listen();
    // Asks the running instance to show its main window; waits up to
    // timeoutMs for its answer (it may have taken the lock a moment ago and
    // not be listening yet). Needs an application object.
    bool askToShow(int timeoutMs);

    QString socketPath() const { return socketPath_; }

    static constexpr const char* ShowRequest = "show\n";
    static constexpr const char* ShowAnswer = "shown\n";

  signals:
    void showRequested();

  private:
    void answer();

    QString socketPath_;
    QString lockPath_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
};

} // namespace zephrix
