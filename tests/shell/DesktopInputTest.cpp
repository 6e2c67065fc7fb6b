#include <QDragEnterEvent>
#include <QMimeData>
#include <QProcess>
#include <QTest>

#include "app/OptionValues.h"
#include "results/DesktopResultsOperations.h"
#include "shell/KeyedAccess.h"
#include "support/DesktopSession.h"
#include "support/TempTree.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace zephrix;
using zephrix::test::DesktopSession;

namespace {

// A window of the test's own that takes drops and remembers what came.
class DropTarget : public QWidget {
  public:
    bool refuse = false;
    Qt::DropActions offered;
    QByteArray uris; // empty until a drop

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
        refuse ? event->ignore() : event->acceptProposedAction();
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

// On a real X server: a drag of result rows onto another program's window, and the keys that must not
// show the window and the state it was left in (the option and the tray: the real program's test).
class DesktopInputTest : public QObject {
    Q_OBJECT
    DesktopSession& session_;
    test::TempTree tree_;
    DragSource source_;
    DropTarget target_;
    QWidget window_;

  public:
    explicit DesktopInputTest(DesktopSession& session) : session_(session) {}

  private slots:
    void initTestCase()
    {
        if (!session_.ok())
            QSKIP(qPrintable(session_.missing()));
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
        window_.setGeometry(20, 300, 300, 200);            // clear of the drag's path
        QVERIFY((new KeyedAccess(&window_))->available()); // the window's child
        cleanup();
    }
    // Each test starts from a shown window in normal state and no key held.
    void cleanup()
    {
        DesktopSession::xdotool({"keyup", "super", "keyup", QString::number(rightSuperKey()), "keyup", "s"});
        window_.showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(QTest::qWaitForWindowExposed(&window_, 100) && !window_.isMinimized(), 5000);
    }

    void dropGetsTheFilesWithTheOneAction_data()
    {
        QTest::addColumn<int>("dragMode");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("moved");
        QTest::newRow("copy") << 0 << false << false;
        QTest::newRow("move") << 1 << false << true;
        QTest::newRow("move refused") << 1 << true << false;
    }
    void dropGetsTheFilesWithTheOneAction()
    {
        QFETCH(int, dragMode);
        QFETCH(bool, refuse);
        QFETCH(bool, moved);
        moduleOptions().DragMode = dragMode;
        target_.refuse = refuse;
        target_.uris.clear();
        source_.finished = false;
        QProcess::startDetached("xdotool",
                                QString("mousemove --sync 100 70 mousedown 1 sleep 0.3 mousemove 200 80 "
                                        "sleep 0.2 mousemove 400 90 sleep 0.3 mousemove 420 100 "
                                        "sleep 0.3 mouseup 1")
                                    .split(' '));
        QTRY_VERIFY_WITH_TIMEOUT(source_.finished, 15000);
        QCOMPARE(int(target_.offered), int(dragMode == 1 ? Qt::MoveAction : Qt::CopyAction));
        const QByteArray root = QByteArray::fromStdString(tree_.path());
        QCOMPARE(target_.uris, "file://" + root + "/a%20b.txt\r\nfile://" + root + "/folder\r\n");
        QCOMPARE(source_.moved, moved);
    }

    void keysShowTheHiddenWindowAsItWasLeft_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("shown");
        // By key code for the right one: xdotool presses the left Super key
        // too when it is given the right one's name.
        QTest::newRow("Super and S, minimised") << QStringList{"super", "s"} << true;
        QTest::newRow("S alone") << QStringList{"s"} << false;
        QTest::newRow("right Super and S") << QStringList{QString::number(rightSuperKey()), "s"} << false;
    }
    void keysShowTheHiddenWindowAsItWasLeft()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, shown);
        window_.showMinimized();
        window_.hide();
        QStringList words;
        for (const QString& key : keys)
            words << "keydown" << key;
        QVERIFY(DesktopSession::xdotool(words));
        if (shown)
            QTRY_VERIFY_WITH_TIMEOUT(window_.isVisible(), 500);
        else
            QTest::qWait(3 * KeyedAccess::IntervalMs);
        QCOMPARE(window_.isVisible(), shown);
        QVERIFY(window_.isMinimized());
    }

  private:
    static unsigned rightSuperKey()
    {
        Display* display = XOpenDisplay(nullptr);
        const unsigned code = display ? XKeysymToKeycode(display, XK_Super_R) : 0;
        if (display)
            XCloseDisplay(display);
        return code;
    }
};

int main(int argc, char* argv[])
{
    return test::runOnDesktop<DesktopInputTest>(argc, argv, false);
}

#include "DesktopInputTest.moc"
