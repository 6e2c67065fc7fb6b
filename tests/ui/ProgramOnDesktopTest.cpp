#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <filesystem>

#include "index/IndexFormat.h"
#include "support/DesktopSession.h"
#include "support/TempTree.h"

using zephrix::test::DesktopSession;
using zephrix::test::readWholeFile;

namespace {

const QString Title = "Zephrix: File Search Accelerator";
// The centres of the header's hide picture and of the compact toolbar's Exit.
const QPoint HidePicture(570, 14);
const QPoint ExitPicture(87, 43);

QString xdotool(const QStringList& words)
{
    QString printed;
    DesktopSession::xdotool(words, &printed);
    return printed;
}
bool clickAt(QPoint where, const char* button = "1", int clicks = 1)
{
    return DesktopSession::xdotool({"mousemove", QString::number(where.x()), QString::number(where.y()),
                                    "click", "--repeat", QString::number(clicks), "--delay", "80", button});
}

QRect geometry(const QString& window)
{
    QMap<QString, int> values;
    for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n'))
        values[line.section('=', 0, 0)] = line.section('=', 1).toInt();
    return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
}
// The program's windows: those on the screen, or with "--all" every one.
QStringList windows(const QString& which = "--onlyvisible")
{
    return xdotool({"search", which, "--class", "zephrix"}).split('\n', Qt::SkipEmptyParts);
}
// The main window's id while it is on the screen; empty otherwise.
QString shownWindow()
{
    return xdotool({"search", "--onlyvisible", "--name", "^" + Title + "$"}).section('\n', 0, 0);
}
// The program's icon: its small window docked at the bottom of the screen.
QPoint trayIcon()
{
    for (const QString& window : windows("--all")) {
        const QRect box = geometry(window);
        if (box.width() >= 8 && box.width() <= 64 && box.height() <= 64 && box.top() > 512)
            return box.center();
    }
    return {};
}
// While the window is hidden, the menu is the program's only shown window wider than its icon.
bool menuShown()
{
    for (const QString& window : windows())
        if (geometry(window).width() > 64)
            return shownWindow().isEmpty();
    return false;
}

// The built zephrix in a home of its own: settings, indexes, runtime folder, and a mount table making
// `drive/` its one hard disk; its event log tells the rows at the end of each search.
struct Program {
    zephrix::test::TempTree home;
    QProcess process;

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
        process.kill();
        process.waitForFinished(5000);
    }
    std::string drive() const { return home.at("drive") + "/"; }
    std::string indexes() const { return home.at("data/indexes"); }

    void start(QProcess& launched)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", home.at("config")},
                                          {"ZEPHRIX_DATA_DIR", home.at("data")},
                                          {"XDG_RUNTIME_DIR", home.at("run")},
                                          {"ZEPHRIX_TEST_MOUNTS", home.at("mounts")},
                                          {"ZEPHRIX_TEST_EVENT_LOG", home.at("events")},
                                          {"QT_QPA_PLATFORM", std::string("xcb")}})
            env.insert(name, QString::fromStdString(value));
        launched.setProcessEnvironment(env);
        launched.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        launched.start(ZEPHRIX_GUI_PATH, QStringList());
        launched.waitForStarted(10000);
    }
    // Starts it and waits for its main window; the window's id.
    QString startShown()
    {
        start(process);
        QString window;
        if (!QTest::qWaitFor([&] { return !(window = shownWindow()).isEmpty() && logged("listening"); },
                             20000))
            qWarning("the main window never came up");
        return window;
    }
    // Starts it and hides its window to the tray once the icon is docked and has settled (the
    // notification area lays its icons out again as they come and go).
    QString startHidden()
    {
        const QString window = startShown();
        const bool docked = QTest::qWaitFor(
            [&] {
                const QPoint now = trayIcon();
                QTest::qWait(300);
                return !now.isNull() && trayIcon() == now;
            },
            20000);
        if (!docked)
            qWarning("the tray icon was never docked");
        hide(window);
        return window;
    }
    static void hide(const QString& window)
    {
        clickAt(geometry(window).topLeft() + HidePicture);
        if (!QTest::qWaitFor([] { return shownWindow().isEmpty(); }, 5000))
            qWarning("the window did not hide");
    }

    QStringList events() const
    {
        QFile log(QString::fromStdString(home.at("events")));
        return log.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                   : QStringList();
    }
    bool logged(const QString& line) const { return events().contains(line); }
    // The labels and rows written at the end of the last search.
    QStringList lastSearch() const
    {
        const QStringList all = events();
        const qsizetype start = all.lastIndexOf("search-ended"), end = all.lastIndexOf("rows-end");
        return start < 0 || end < start ? QStringList() : all.mid(start + 1, end - start - 1);
    }
};

} // namespace

// The real zephrix on a desktop of its own, worked with xdotool as a user's keyboard and mouse.
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
        QVERIFY(DesktopSession::xdotool({"windowactivate", "--sync", program.startShown()}));
        QVERIFY(DesktopSession::xdotool({"type", "--delay", "40", "report"}));
        QVERIFY(DesktopSession::xdotool({"key", "Return"}));
        QTRY_VERIFY_WITH_TIMEOUT(!program.lastSearch().isEmpty(), 20000);
        const QString drive = QString::fromStdString(program.drive());
        const QStringList expected = {"row\treport.txt\t" + drive + "\t10",
                                      "row\tReport 2024.doc\t" + drive + "notes/\t3"};
        QCOMPARE(program.lastSearch().filter("row\t"), expected);
        QVERIFY(program.lastSearch().first().startsWith("label\tResults Returned In: "));
        QVERIFY(program.lastSearch().contains("label\tFiles Found: 2"));
    }

    void theTrayIconBringsTheWindowBackAndItsMenuEndsTheProgram()
    {
        Program program;
        const QString window = program.startHidden();
        QVERIFY(clickAt(trayIcon(), "1", 2));
        QTRY_VERIFY_WITH_TIMEOUT(!shownWindow().isEmpty(), 5000);
        // The right button opens the menu only while the window is hidden.
        QVERIFY(clickAt(trayIcon(), "3"));
        QTest::qWait(700);
        QVERIFY(!menuShown());
        Program::hide(window);
        // On a loaded machine the first right click after the window hides is now and then lost
        // before it reaches the icon; a user would click again, and so do we.
        QVERIFY(clickAt(trayIcon(), "3"));
        if (!QTest::qWaitFor(menuShown, 3000)) {
            qWarning("no menu after the first right click; clicking again");
            QVERIFY(clickAt(trayIcon(), "3"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 5000);
        QVERIFY(DesktopSession::xdotool({"key", "Up", "Return"})); // the last item: Exit
        QVERIFY(program.process.waitForFinished(10000));
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 0);
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
        program.startHidden();
        QElapsedTimer pressed;
        QVERIFY(DesktopSession::xdotool({"keydown", "super", "keydown", "s"}));
        pressed.start();
        const bool shown = QTest::qWaitFor([] { return !shownWindow().isEmpty(); }, 1500);
        const qint64 after = pressed.elapsed();
        DesktopSession::xdotool({"keyup", "s", "keyup", "super"});
        QCOMPARE(shown, !disabled);
        QVERIFY2(!shown || after <= 500, qPrintable(QString("shown after %1 ms").arg(after)));
    }

    void aSecondLaunchBringsTheFirstForwardAndEnds()
    {
        Program program;
        program.startHidden();
        QProcess second;
        program.start(second);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!shownWindow().isEmpty(), 5000);
        QVERIFY(program.logged("shown"));
        QCOMPARE(program.process.state(), QProcess::Running);
    }

    // Exit while the search builds its index: with the program frozen while Enter and the click on Exit
    // are queued, the click comes at the build's first turn of the event loop. The process ends at once,
    // its half-written files go and the old pair stays.
    void exitDuringASearchsBuildEndsAtOnceAndKeepsTheOldPair()
    {
        Program program("ForceIndex=1\n");
        for (int i = 0; i < 3000; ++i)
            program.home.file("drive/d" + std::to_string(i % 30) + "/file-" + std::to_string(i) + ".txt");
        QProcess index;
        index.start(ZEPHRIX_CLI_PATH, {"--indexes", QString::fromStdString(program.indexes()), "index",
                                       QString::fromStdString(program.drive())});
        QVERIFY(index.waitForFinished(30000) && index.exitCode() == 0);
        const auto pair =
            *zephrix::IndexFormat::pairPaths(program.indexes(), program.drive(), zephrix::IndexMode::Drive);
        const std::string oldPair = readWholeFile(pair.entries) + readWholeFile(pair.folders);

        const QString window = program.startShown();
        QVERIFY(DesktopSession::xdotool({"windowactivate", "--sync", window}));
        QVERIFY(DesktopSession::xdotool({"type", "--delay", "40", "file-1"}));
        QTest::qWait(500);
        ::kill(pid_t(program.process.processId()), SIGSTOP);
        QVERIFY(DesktopSession::xdotool({"key", "Return"}));
        QVERIFY(clickAt(geometry(window).topLeft() + ExitPicture));
        ::kill(pid_t(program.process.processId()), SIGCONT);

        QVERIFY(program.process.waitForFinished(10000));
        QCOMPARE(program.process.exitCode(), 0);
        QVERIFY(program.logged("ended, temporaries removed: 2"));
        QVERIFY(!program.logged("search-ended"));
        for (const auto& entry : std::filesystem::directory_iterator(program.indexes()))
            QVERIFY2(entry.path().string().find(".tmp.") == std::string::npos, entry.path().c_str());
        QVERIFY(readWholeFile(pair.entries) + readWholeFile(pair.folders) == oldPair);
    }

  private:
    DesktopSession& session_;
};

int main(int argc, char* argv[])
{
    return zephrix::test::runOnDesktop<ProgramOnDesktopTest>(argc, argv, true);
}

#include "ProgramOnDesktopTest.moc"
