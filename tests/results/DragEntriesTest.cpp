#include <QDragEnterEvent>
#include <QMimeData>
#include <QProcess>
#include <QTest>

#include "app/OptionValues.h"
#include "results/DesktopResultsOperations.h"
#include "support/DesktopSession.h"
#include "support/TempTree.h"

using namespace zephrix;

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

// A drag needs a real X server: Xvfb, with xdotool as the user's mouse.
class DragEntriesTest : public QObject {
    Q_OBJECT
    test::DesktopSession& session_;
    test::TempTree tree_;
    DragSource source_;
    DropTarget target_;

  public:
    explicit DragEntriesTest(test::DesktopSession& session) : session_(session) {}

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
        // Pressed on the source, moved in steps onto the target, released.
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
};

int main(int argc, char* argv[])
{
    return test::runOnDesktop<DragEntriesTest>(argc, argv, false);
}

#include "DragEntriesTest.moc"
