#include "shell/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "support/DesktopSession.h"
#include "ui/Artwork.h"

using namespace zephrix;
using zephrix::test::DesktopSession;

// The icon on a real notification area (trayer under openbox on Xvfb), clicked
// with xdotool as a user's mouse would.
class TrayIconTest : public QObject {
    Q_OBJECT
  public:
    explicit TrayIconTest(DesktopSession& session) : session_(session) {}

  private slots:
    // One window and one icon for all: a notification area takes a while to
    // settle after an icon leaves it.
    void initTestCase()
    {
        if (!session_.ok())
            QSKIP(qPrintable(session_.missing()));
        window_ = new QWidget;
        window_->setWindowIcon(art::logoIcon());
        window_->resize(300, 200);
        tray_ = new TrayIcon(window_);
        tray_->add();
    }
    void init() { QTRY_VERIFY_WITH_TIMEOUT(iconPlaced(), 20000); }
    // Each test starts from a shown window in normal state, once the window
    // manager has caught up with it.
    void cleanup()
    {
        tray_->menu()->hide();
        window_->showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(QTest::qWaitForWindowExposed(window_, 100) && !window_->isMinimized(), 5000);
    }
    void cleanupTestCase() { delete window_; }

    void iconCarriesTheTipAndTheMenu()
    {
        QCOMPARE(tray_->icon()->toolTip(), QStringLiteral("Zephrix - Search Accelerator - Windows Key - S"));
        QStringList items;
        for (QAction* action : tray_->menu()->actions())
            items << action->objectName() + "=" + action->text();
        QCOMPARE(items, QStringList({"mnuRestore=Restore", "mnuReIndex=Re-Index", "sep2=", "mnuExit=Exit"}));
    }

    void doubleClickRestoresTheWindowInNormalState_data()
    {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("hidden") << false;
        QTest::newRow("minimised, then hidden") << true;
    }
    void doubleClickRestoresTheWindowInNormalState()
    {
        QFETCH(bool, minimised);
        if (minimised)
            window_->showMinimized();
        hideToTray();
        clickIcon("1", 2);
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible() && window_->isActiveWindow(), 5000);
        QVERIFY(!window_->isMinimized());
    }

    void rightButtonOpensTheMenuOnlyWhileHidden()
    {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        clickIcon("3", 1);
        QTest::qWait(700);
        QVERIFY(!tray_->menu()->isVisible());

        hideToTray();
        clickIcon("3", 1);
        QTRY_VERIFY_WITH_TIMEOUT(tray_->menu()->isVisible(), 5000);
        QSignalSpy reIndex(tray_, &TrayIcon::reIndexRequested);
        clickAction("mnuReIndex");
        QTRY_COMPARE_WITH_TIMEOUT(reIndex.count(), 1, 5000);
        QVERIFY(!window_->isVisible());
    }

    void singleClickDoesNothing()
    {
        hideToTray();
        clickIcon("1", 1);
        QTest::qWait(700);
        QVERIFY(!window_->isVisible());
        QVERIFY(!tray_->menu()->isVisible());
    }

    void menuRestoreShowsTheWindowAsItWasLeft()
    {
        window_->showMinimized();
        hideToTray();
        clickIcon("3", 1);
        QTRY_VERIFY_WITH_TIMEOUT(tray_->menu()->isVisible(), 5000);
        clickAction("mnuRestore");
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 5000);
        QVERIFY(window_->isMinimized());
    }

    void windowStaysReachableWhenTheNotificationAreaGoes()
    {
        hideToTray();
        session_.stopTray();
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible() && window_->isMinimized(), 10000);
        tray_->hideWindow(); // nothing to hide to: minimised, still there
        QVERIFY(window_->isVisible());

        session_.startTray();
        QTRY_VERIFY_WITH_TIMEOUT(iconPlaced(), 20000);
        hideToTray();
        clickIcon("1", 2);
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible() && !window_->isMinimized(), 5000);
    }

  private:
    // Hides the window, and waits until the toolkit has taken the focus
    // from it: until then it would not see the window become active again.
    void hideToTray()
    {
        tray_->hideWindow();
        QTRY_VERIFY(!window_->isVisible() && !QGuiApplication::focusWindow());
    }
    // The icon sits in the notification area at the bottom of the screen:
    // before it is docked its window has a size but lies elsewhere.
    bool iconPlaced() const
    {
        const QRect place = tray_->icon()->geometry();
        return QSystemTrayIcon::isSystemTrayAvailable() && place.width() > 0 &&
               place.top() > QGuiApplication::primaryScreen()->geometry().height() / 2 &&
               QGuiApplication::primaryScreen()->geometry().contains(place);
    }
    void clickIcon(const char* button, int clicks)
    {
        const QPoint centre = tray_->icon()->geometry().center();
        clickAt(centre, button, clicks);
    }
    void clickAction(const char* name)
    {
        QMenu* menu = tray_->menu();
        QAction* action = menu->findChild<QAction*>(name);
        clickAt(menu->mapToGlobal(menu->actionGeometry(action).center()), "1", 1);
    }
    static void clickAt(QPoint where, const char* button, int clicks)
    {
        QVERIFY(
            DesktopSession::xdotool({"mousemove", std::to_string(where.x()), std::to_string(where.y()),
                                     "click", "--repeat", std::to_string(clicks), "--delay", "80", button}));
    }

    DesktopSession& session_;
    QWidget* window_ = nullptr;
    TrayIcon* tray_ = nullptr;
};

int main(int argc, char* argv[])
{
    return zephrix::test::runOnDesktop<TrayIconTest>(argc, argv, true);
}

#include "TrayIconTest.moc"
