#include <QTest>

#include "ui/HeaderBar.h"
#include "ui/frmErrors.h"
#include "ui/frmMessages.h"
#include "ui/frmSearch.h"

using namespace zephrix;

namespace {

HeaderBar* headerOf(QWidget& window)
{
    return window.findChild<HeaderBar*>("pictHeaderBar");
}

} // namespace

// Moving the borderless windows by their header bar.
class WindowChromeTest : public QObject {
    Q_OBJECT
  private slots:
    void headerBarsCarryTitleAndTip()
    {
        for (QWidget* window : std::initializer_list<QWidget*>{
                 &frmSearch::instance(), &frmMessages::instance(), &frmErrors::instance()}) {
            QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
            HeaderBar* header = headerOf(*window);
            QVERIFY(header);
            QCOMPARE(header->toolTip(), QString("Click here and drag to move this window"));
            QCOMPARE(header->width(), window->width());
            QCOMPARE(window->windowTitle(), QString("Zephrix: File Search Accelerator"));
        }
    }

    void leftDragMovesTheWindow()
    {
        frmSearch& window = frmSearch::instance();
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        HeaderBar* header = headerOf(window);
        const QPoint before = window.pos();

        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(200, 10));
        // A press alone does not move.
        QCOMPARE(window.pos(), before);
        QTest::mouseMove(header, QPoint(240, 30));
        QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(240, 30));
        QTRY_COMPARE(window.pos(), before + QPoint(40, 20));
    }

    void otherButtonsDoNotMoveIt()
    {
        frmSearch& window = frmSearch::instance();
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        HeaderBar* header = headerOf(window);
        const QPoint before = window.pos();

        QTest::mouseMove(header, QPoint(50, 10));
        QTest::mousePress(header, Qt::RightButton, {}, QPoint(60, 10));
        QTest::mouseMove(header, QPoint(120, 40));
        QTest::mouseRelease(header, Qt::RightButton, {}, QPoint(120, 40));
        QTest::qWait(50);
        QCOMPARE(window.pos(), before);
    }
};

QTEST_MAIN(WindowChromeTest)
#include "WindowChromeTest.moc"
