#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>
#include <memory>

#include "index/IndexFormat.h"
#include "support/DesktopSession.h"
#include "support/TempTree.h"

using zephrix::IndexFormat::pairPaths;
using zephrix::test::DesktopSession;
using zephrix::test::readWholeFile;
using zephrix::test::TempTree;

namespace {

constexpr const char* Title = "^Zephrix: File Search Accelerator$";
// Where the header's hide picture and the compact toolbar's Exit picture
// lie in the main window (their centres, in pixels).
const QPoint HidePicture(570, 14);
const QPoint ExitPicture(87, 43);

QString xdotool(const QStringList& words)
{
    return DesktopSession::xdotoolOutput(words);
}

bool run(const QStringList& words)
{
    std::vector<std::string> command;
    for (const QString& word : words)
        command.push_back(word.toStdString());
    return DesktopSession::xdotool(command);
}

// The built zephrix as a user starts it, in a home of its own: settings,
// indexes, runtime folder, and a mount table that makes `drive/` of that
// home its one hard disk. The test reads the program's event log to see its
// rows (the list as it stands at the end of each search) and its end.
class Program {
  public:
    explicit Program(const QString& settings = {})
    {
        home.dir("drive");
        home.dir("data/indexes");
        home.dir("run");
        home.chmod("run", 0700);
        home.file("config/Zephrix/Zephrix.conf", ("[Settings]\nAutoUpdate=0\n" + settings).toStdString());
        home.file("mounts", "/dev/zxtest0 " + home.at("drive") + " ext4 rw 0 0\n");
    }
    ~Program()
    {
        if (process_ && process_->state() != QProcess::NotRunning) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }

    TempTree home;
    std::string drive() const { return home.at("drive") + "/"; }
    std::string indexes() const { return home.at("data/indexes"); }

    QProcess& start()
    {
        process_ = std::make_unique<QProcess>();
        launch(*process_);
        return *process_;
    }
    // A later launch in the same session, as a user's second click starts it.
    int startAgain()
    {
        QProcess second;
        launch(second);
        return second.waitForFinished(20000) && second.exitStatus() == QProcess::NormalExit
                   ? second.exitCode()
                   : -1;
    }
    QProcess& process() { return *process_; }
    qint64 pid() const { return process_->processId(); }

    QStringList events() const
    {
        QFile log(QString::fromStdString(home.at("events")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    bool logged(const QString& line) const { return events().contains(line); }

    // The rows and labels of the last search that ended.
    QStringList lastSearch() const
    {
        const QStringList all = events();
        const qsizetype start = all.lastIndexOf("search-ended");
        const qsizetype end = all.lastIndexOf("rows-end");
        return start < 0 || end < start ? QStringList() : all.mid(start + 1, end - start - 1);
    }

  private:
    void launch(QProcess& process) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.at("config")));
        env.insert("ZEPHRIX_DATA_DIR", QString::fromStdString(home.at("data")));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.at("run")));
        env.insert("ZEPHRIX_TEST_MOUNTS", QString::fromStdString(home.at("mounts")));
        env.insert("ZEPHRIX_TEST_EVENT_LOG", QString::fromStdString(home.at("events")));
        env.insert("ZEPHRIX_TEST_INDEXER_MS", "3600000");
        env.insert("QT_QPA_PLATFORM", "xcb");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(ZEPHRIX_GUI_PATH, QStringList());
        process.waitForStarted(10000);
    }

    std::unique_ptr<QProcess> process_;
};

// The main window's id while it is on the screen; empty otherwise.
QString shownWindow()
{
    return xdotool({"search", "--onlyvisible", "--name", Title}).section('\n', 0, 0);
}

QPoint windowOrigin(const QString& window)
{
    QPoint origin;
    for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
        if (line.startsWith("X="))
            origin.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            origin.setY(line.mid(2).toInt());
    }
    return origin;
}

// The program's icon in the notification area: its small window docked at
// the bottom of the screen.
QPoint trayIcon()
{
    for (const QString& window : xdotool({"search", "--class", "zephrix"}).split('\n', Qt::SkipEmptyParts)) {
        QRect box;
        for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
            const QString value = line.section('=', 1);
            if (line.startsWith("X="))
                box.moveLeft(value.toInt());
            else if (line.startsWith("Y="))
                box.moveTop(value.toInt());
            else if (line.startsWith("WIDTH="))
                box.setWidth(value.toInt());
            else if (line.startsWith("HEIGHT="))
                box.setHeight(value.toInt());
        }
        if (box.width() >= 8 && box.width() <= 64 && box.height() <= 64 && box.top() > 512)
            return box.center();
    }
    return {};
}

bool clickAt(QPoint where, const char* button = "1", int clicks = 1)
{
    return run({"mousemove", QString::number(where.x()), QString::number(where.y()), "click", "--repeat",
                QString::number(clicks), "--delay", "80", button});
}

} // namespace

// The real zephrix on a desktop of its own (Xvfb, openbox, trayer), worked
// with xdotool as a user's keyboard and mouse work it.
class ProgramOnDesktopTest : public QObject {
    Q_OBJECT
  public:
    explicit ProgramOnDesktopTest(DesktopSession& session) : session_(session) {}

  private slots:
    void initTestCase()
    {
        if (!session_.ok())
            QSKIP(qPrintable(session_.missing()));
    }

    void typingANameAndEnterListsTheRows()
    {
        Program program;
        program.home.file("drive/report.txt", "0123456789");
        program.home.file("drive/notes/Report 2024.doc", "abc");
        program.home.file("drive/notes/other.txt");
        program.start();
        const QString window = waitForWindow(program);
        QVERIFY(run({"windowactivate", "--sync", window}));
        QVERIFY(run({"type", "--delay", "40", "report"}));
        QVERIFY(run({"key", "Return"}));
        QTRY_VERIFY_WITH_TIMEOUT(!program.lastSearch().isEmpty(), 20000);
        QStringList rows = program.lastSearch().filter(QRegularExpression("^row\t"));
        rows.sort();
        const QString drive = QString::fromStdString(program.drive());
        QCOMPARE(rows, QStringList({"row\tReport 2024.doc\t" + drive + "notes/\t3",
                                    "row\treport.txt\t" + drive + "\t10"}));
        QVERIFY(program.lastSearch().first().startsWith("label\tResults Returned In: "));
        QVERIFY(program.lastSearch().contains("label\tFiles Found: 2"));
    }

    void theTrayIconBringsTheWindowBackAndItsMenuEndsTheProgram()
    {
        Program program;
        const QString window = startHidden(program);
        QVERIFY(clickAt(trayIcon(), "1", 2));
        QTRY_VERIFY_WITH_TIMEOUT(!shownWindow().isEmpty(), 5000);

        // The right button opens the menu only while the window is hidden.
        QVERIFY(clickAt(trayIcon(), "3"));
        QTest::qWait(700);
        QVERIFY(!menuShown());
        hide(window);
        QVERIFY(clickAt(trayIcon(), "3"));
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 5000);
        QVERIFY(run({"key", "Up", "Return"})); // the last item: Exit
        QVERIFY(program.process().waitForFinished(10000));
        QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process().exitCode(), 0);
        QVERIFY(trayIcon().isNull());
    }

    void superAndSShowTheHiddenWindowUnlessTurnedOff_data()
    {
        QTest::addColumn<bool>("disabled");
        QTest::newRow("on") << false;
        QTest::newRow("DisableKeyedAccess 1") << true;
    }
    void superAndSShowTheHiddenWindowUnlessTurnedOff()
    {
        QFETCH(bool, disabled);
        Program program(disabled ? "DisableKeyedAccess=1\n" : "");
        startHidden(program);
        QElapsedTimer pressed;
        QVERIFY(run({"keydown", "super", "keydown", "s"}));
        pressed.start();
        const bool shown = QTest::qWaitFor([] { return !shownWindow().isEmpty(); }, 1500);
        const qint64 after = pressed.elapsed();
        run({"keyup", "s", "keyup", "super"});
        QCOMPARE(shown, !disabled);
        if (shown)
            QVERIFY2(after <= 500, qPrintable(QString("shown after %1 ms").arg(after)));
    }

    void aSecondLaunchBringsTheFirstForwardAndEnds()
    {
        Program program;
        startHidden(program);
        QCOMPARE(program.startAgain(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!shownWindow().isEmpty(), 5000);
        QVERIFY(program.logged("shown"));
        QCOMPARE(program.process().state(), QProcess::Running);
    }

    // Exit while the search is building its index: the program is frozen
    // while Enter and the click on Exit are queued, so the click comes in
    // at the build's first turn of the event loop. The process ends at once,
    // its half-written files go and the old pair stays as it was.
    void exitDuringASearchsBuildEndsAtOnceAndKeepsTheOldPair()
    {
        Program program("ForceIndex=1\n");
        for (int i = 0; i < 3000; ++i)
            program.home.file("drive/d" + std::to_string(i % 30) + "/file-" + std::to_string(i) + ".txt");
        QProcess index;
        index.start(ZEPHRIX_CLI_PATH, {"--indexes", QString::fromStdString(program.indexes()), "index",
                                       QString::fromStdString(program.drive())});
        QVERIFY(index.waitForFinished(30000) && index.exitCode() == 0);
        const auto pair = *pairPaths(program.indexes(), program.drive(), zephrix::IndexMode::Drive);
        const std::string oldEntries = readWholeFile(pair.entries);
        const std::string oldFolders = readWholeFile(pair.folders);

        program.start();
        const QString window = waitForWindow(program);
        QVERIFY(run({"windowactivate", "--sync", window}));
        QVERIFY(run({"type", "--delay", "40", "file-1"}));
        QTest::qWait(500);
        const QPoint exit = windowOrigin(window) + ExitPicture;
        ::kill(pid_t(program.pid()), SIGSTOP);
        QVERIFY(run({"key", "Return"}));
        QVERIFY(clickAt(exit));
        ::kill(pid_t(program.pid()), SIGCONT);

        QVERIFY(program.process().waitForFinished(10000));
        QCOMPARE(program.process().exitCode(), 0);
        QVERIFY(program.logged("ended, temporaries removed: 2"));
        QVERIFY(!program.logged("search-ended"));
        for (const auto& entry : std::filesystem::directory_iterator(program.indexes()))
            QVERIFY2(entry.path().filename().string().find(".tmp.") == std::string::npos,
                     entry.path().c_str());
        QVERIFY(readWholeFile(pair.entries) == oldEntries);
        QVERIFY(readWholeFile(pair.folders) == oldFolders);
    }

  private:
    // Starts the program and hides its window to the tray once the icon is
    // docked; the window's id.
    static QString startHidden(Program& program)
    {
        program.start();
        const QString window = waitForWindow(program);
        if (!QTest::qWaitFor([] { return !trayIcon().isNull(); }, 20000))
            qWarning("the tray icon was never docked");
        hide(window);
        return window;
    }
    static QString waitForWindow(Program& program)
    {
        QString window;
        if (!QTest::qWaitFor(
                [&] {
                    window = shownWindow();
                    return !window.isEmpty() && program.logged("listening");
                },
                20000))
            qWarning("the main window never came up");
        return window;
    }
    static void hide(const QString& window)
    {
        QVERIFY(clickAt(windowOrigin(window) + HidePicture));
        QTRY_VERIFY_WITH_TIMEOUT(shownWindow().isEmpty(), 5000);
    }
    // A popup of the program is on the screen while its window is hidden:
    // wider than the icon, the only other window it shows.
    static bool menuShown()
    {
        if (!shownWindow().isEmpty())
            return false;
        for (const QString& window :
             xdotool({"search", "--onlyvisible", "--class", "zephrix"}).split('\n', Qt::SkipEmptyParts)) {
            for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
                if (line.startsWith("WIDTH=") && line.mid(6).toInt() > 64)
                    return true;
            }
        }
        return false;
    }

    DesktopSession& session_;
};

int main(int argc, char* argv[])
{
    return zephrix::test::runOnDesktop<ProgramOnDesktopTest>(argc, argv, true);
}

#include "ProgramOnDesktopTest.moc"
