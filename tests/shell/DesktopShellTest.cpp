#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "app/OptionValues.h"
#include "shell/KeyedAccess.h"
#include "shell/TrayIcon.h"
#include "support/DesktopSession.h"
#include "ui/Artwork.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace zephrix;
using zephrix::test::DesktopSession;

// The tray icon on a real notification area (trayer under openbox on Xvfb)
// and Super+S seen through the server's key map, worked with xdotool as a
// user's mouse and keyboard would. A double click on a hidden window, the
// right button while it is shown and a plain Super+S are proven on the real
// program; here what it leaves unseen.
class DesktopShellTest : public QObject {
    Q_OBJECT
  public:
    explicit DesktopShellTest(DesktopSession& session) : session_(session) {}

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
        keys_ = new KeyedAccess(window_);
        QVERIFY(keys_->available());
        cleanup();
    }
    void init() { QTRY_VERIFY_WITH_TIMEOUT(iconPlaced(), 20000); }
    // Each test starts from a shown window in normal state, once the window
    // manager has caught up with it, and no key held.
    void cleanup()
    {
        DesktopSession::xdotool({"keyup", "super", "keyup", std::to_string(rightSuperKey()), "keyup", "s"});
        moduleOptions().DisableKeyedAccess = 0;
        tray_->menu()->hide();
        window_->showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(QTest::qWaitForWindowExposed(window_, 100) && !window_->isMinimized(), 5000);
    }
    void cleanupTestCase() { delete window_; }

    void singleClickDoesNothingDoubleRestoresInNormalState()
    {
        window_->showMinimized();
        hideToTray();
        clickIcon("1", 1);
        QTest::qWait(700);
        QVERIFY(!window_->isVisible());
        QVERIFY(!tray_->menu()->isVisible());
        clickIcon("1", 2);
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible() && window_->isActiveWindow(), 5000);
        QVERIFY(!window_->isMinimized());
    }

    void menuReIndexesAndRestoresTheWindowAsItWasLeft()
    {
        window_->showMinimized();
        hideToTray();
        QSignalSpy reIndex(tray_, &TrayIcon::reIndexRequested);
        for (const char* item : {"mnuReIndex", "mnuRestore"}) { // the window still hidden for the second
            clickIcon("3", 1);
            QTRY_VERIFY_WITH_TIMEOUT(tray_->menu()->isVisible(), 5000);
            clickAction(item);
            QTRY_VERIFY_WITH_TIMEOUT(!tray_->menu()->isVisible(), 5000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 5000);
        QVERIFY(window_->isMinimized());
        QCOMPARE(reIndex.count(), 1);
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

    void keysShowTheHiddenWindowAsItWasLeft_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<bool>("shown");
        // By key code for the right one: xdotool presses the left Super key
        // too when it is given the right one's name.
        const QString right = QString::number(rightSuperKey());
        QTest::newRow("Super and S, minimised") << QStringList{"super", "s"} << false << true;
        QTest::newRow("S alone") << QStringList{"s"} << false << false;
        QTest::newRow("Super alone") << QStringList{"super"} << false << false;
        QTest::newRow("right Super and S") << QStringList{right, "s"} << false << false;
        QTest::newRow("option set, then cleared") << QStringList{"super", "s"} << true << false;
    }
    void keysShowTheHiddenWindowAsItWasLeft()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, disabled);
        QFETCH(bool, shown);
        moduleOptions().DisableKeyedAccess = disabled ? 1 : 0;
        window_->showMinimized();
        window_->hide();
        std::vector<std::string> words;
        for (const QString& key : keys)
            words.insert(words.end(), {"keydown", key.toStdString()});
        QVERIFY(DesktopSession::xdotool(words));
        if (shown)
            QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 500);
        else
            QTest::qWait(3 * KeyedAccess::IntervalMs);
        QCOMPARE(window_->isVisible(), shown);
        QVERIFY(window_->isMinimized());
        // The option counts from the next tick on.
        moduleOptions().DisableKeyedAccess = 0;
        if (disabled)
            QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 500);
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
        const QRect place = tray_->icon()->geometry(), screen = QGuiApplication::primaryScreen()->geometry();
        return QSystemTrayIcon::isSystemTrayAvailable() && place.width() > 0 &&
               place.top() > screen.height() / 2 && screen.contains(place);
    }
    void clickIcon(const char* button, int clicks)
    {
        clickAt(tray_->icon()->geometry().center(), button, clicks);
    }
    void clickAction(const char* name)
    {
        QMenu* menu = tray_->menu();
        clickAt(menu->mapToGlobal(menu->actionGeometry(menu->findChild<QAction*>(name)).center()), "1", 1);
    }
    static void clickAt(QPoint where, const char* button, int clicks)
    {
        QVERIFY(
            DesktopSession::xdotool({"mousemove", std::to_string(where.x()), std::to_string(where.y()),
                                     "click", "--repeat", std::to_string(clicks), "--delay", "80", button}));
    }
    static unsigned rightSuperKey()
    {
        Display* display = XOpenDisplay(nullptr);
        const unsigned code = display ? XKeysymToKeycode(display, XK_Super_R) : 0;
        if (display)
            XCloseDisplay(display);
        return code;
    }

    DesktopSession& session_;
    QWidget* window_ = nullptr;
    TrayIcon* tray_ = nullptr;
    KeyedAccess* keys_ = nullptr;
};

int main(int argc, char* argv[])
{
    return zephrix::test::runOnDesktop<DesktopShellTest>(argc, argv, true);
}

#include "DesktopShellTest.moc"
