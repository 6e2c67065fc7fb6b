#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <cstdio>

#include "app/OptionValues.h"
#include "results/DesktopResultsOperations.h"
#include "shell/DetachedLaunch.h"
#include "support/TempTree.h"

using namespace zephrix;

namespace {

// A window of the test's own that takes drops and remembers what came.
class DropTarget : public QWidget {
  public:
    bool refuse = false;
    Qt::DropActions offered;
    QByteArray uris;
    bool dropped = false;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        offered = event->possibleActions();
        event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent* event) override
    {
        uris = event->mimeData()->data("text/uri-list");
        dropped = true;
        if (refuse)
            event->ignore();
        else
            event->acceptProposedAction();
    }
};

// Where the drag starts: a press on it drags the rows.
class DragSource : public QWidget {
  public:
    std::vector<ResultRow> rows;
    bool moved = false;
    bool finished = false;

  protected:
    void mousePressEvent(QMouseEvent*) override
    {
        DesktopResultsOperations operations;
        moved = operations.dragEntries(this, rows);
        finished = true;
    }
};

} // namespace

class DragEntriesTest : public QObject {
    Q_OBJECT
    test::TempTree tree_;
    DragSource source_;
    DropTarget target_;

  private slots:
    void initTestCase()
    {
        tree_.file("a b.txt");
        tree_.file("folder/inside.txt");
        source_.rows = {{"a b.txt", tree_.path() + "/", "txt", {}, {}, {}, false},
                        {"folder", tree_.path() + "/", {}, {}, {}, {}, true}};
        source_.setGeometry(20, 20, 160, 100);
        target_.setGeometry(320, 20, 220, 160);
        target_.setAcceptDrops(true);
        source_.show();
        target_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&source_) && QTest::qWaitForWindowExposed(&target_));
    }

    void dropGetsTheFilesWithTheOneAction_data()
    {
        QTest::addColumn<int>("dragMode");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("offered");
        QTest::addColumn<bool>("moved");
        QTest::newRow("copy") << 0 << false << int(Qt::CopyAction) << false;
        QTest::newRow("move") << 1 << false << int(Qt::MoveAction) << true;
        QTest::newRow("move refused") << 1 << true << int(Qt::MoveAction) << false;
    }
    void dropGetsTheFilesWithTheOneAction()
    {
        QFETCH(int, dragMode);
        QFETCH(bool, refuse);
        QFETCH(int, offered);
        QFETCH(bool, moved);
        moduleOptions().DragMode = dragMode;
        target_.refuse = refuse;
        target_.dropped = source_.finished = false;
        // Pressed on the source, moved in steps onto the target, released.
        QProcess::startDetached("xdotool",
                                QString("mousemove --sync 100 70 mousedown 1 sleep 0.3 mousemove 200 80 "
                                        "sleep 0.2 mousemove 400 90 sleep 0.3 mousemove 420 100 "
                                        "sleep 0.3 mouseup 1")
                                    .split(' '));
        QTRY_VERIFY_WITH_TIMEOUT(source_.finished, 15000);
        QVERIFY(target_.dropped);
        QCOMPARE(int(target_.offered), offered);
        const QByteArray root = QByteArray::fromStdString(tree_.path());
        QCOMPARE(target_.uris, "file://" + root + "/a%20b.txt\r\nfile://" + root + "/folder\r\n");
        QCOMPARE(source_.moved, moved);
    }
};

// Runs on a virtual X server of its own, since a drag needs a real one.
int main(int argc, char** argv)
{
    if (findProgram("Xvfb").empty() || findProgram("xdotool").empty()) {
        std::puts(
            "SKIP: Xvfb or xdotool is missing (scripts/install-deps.sh installs them); no drag was tried.");
        return 0;
    }
    // Xvfb picks a free display and writes its number to our pipe.
    int ends[2];
    if (::pipe(ends) != 0)
        return 1;
    const pid_t server = ::fork();
    if (server == 0) {
        ::execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(ends[1]).c_str(), "-screen", "0", "800x600x24",
                 "-nolisten", "tcp", nullptr);
        ::_exit(127);
    }
    ::close(ends[1]);
    char display[16] = {};
    int status = 1;
    if (::read(ends[0], display, sizeof display - 1) > 0) {
        ::setenv("DISPLAY", (":" + std::to_string(std::atoi(display))).c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        QApplication app(argc, argv);
        DragEntriesTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    return status;
}

#include "DragEntriesTest.moc"
