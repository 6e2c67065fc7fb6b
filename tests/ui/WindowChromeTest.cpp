#include <QTest>

#include "ui/HeaderBar.h"
#include "ui/frmErrors.h"
#include "ui/frmMessages.h"
#include "ui/frmSearch.h"

using namespace zephrix;

// The borderless windows and their header bar, by which they are moved.
class WindowChromeTest : public QObject {
    Q_OBJECT
  private slots:
    void everyWindowIsBorderlessWithAHeaderBarAcrossItsTop()
    {
        for (QWidget* window : std::initializer_list<QWidget*>{
                 &frmSearch::instance(), &frmMessages::instance(), &frmErrors::instance()}) {
            auto* header = window->findChild<HeaderBar*>("pictHeaderBar");
            QVERIFY(header && (window->windowFlags() & Qt::FramelessWindowHint));
            QCOMPARE(header->geometry(), QRect(0, 0, window->width(), header->height()));
            QCOMPARE(header->toolTip(), QString("Click here and drag to move this window"));
        }
    }

    void onlyALeftDragMovesTheWindow()
    {
        frmSearch& window = frmSearch::instance();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* header = window.findChild<HeaderBar*>("pictHeaderBar");
        for (const auto& [button, moved] : {std::pair{Qt::LeftButton, QPoint(40, 20)},
                                            {Qt::RightButton, QPoint()},
                                            {Qt::MiddleButton, QPoint()}}) {
            window.move(100, 100);
            QTRY_COMPARE(window.pos(), QPoint(100, 100));
            QTest::mousePress(header, button, {}, QPoint(200, 10));
            QCOMPARE(window.pos(), QPoint(100, 100)); // a press alone does not move
            QTest::mouseMove(header, QPoint(240, 30));
            QTest::mouseRelease(header, button, {}, QPoint(240, 30));
            QTest::qWait(50);
            QTRY_COMPARE(window.pos(), QPoint(100, 100) + moved);
        }
    }
};

QTEST_MAIN(WindowChromeTest)
#include "WindowChromeTest.moc"
