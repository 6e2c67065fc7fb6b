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

    void onlyALeftDragMovesTheWindow_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("left") << Qt::LeftButton << QPoint(40, 20);
        QTest::newRow("right") << Qt::RightButton << QPoint();
        QTest::newRow("middle") << Qt::MiddleButton << QPoint();
    }
    void onlyALeftDragMovesTheWindow()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, moved);
        frmSearch& window = frmSearch::instance();
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        HeaderBar* header = headerOf(window);
        const QPoint before = window.pos();

        QTest::mousePress(header, button, {}, QPoint(200, 10));
        QCOMPARE(window.pos(), before); // a press alone does not move
        QTest::mouseMove(header, QPoint(240, 30));
        QTest::mouseRelease(header, button, {}, QPoint(240, 30));
        QTest::qWait(50);
        QTRY_COMPARE(window.pos(), before + moved);
    }
};

QTEST_MAIN(WindowChromeTest)
#include "WindowChromeTest.moc"
