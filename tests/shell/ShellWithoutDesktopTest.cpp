#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/OptionValues.h"
#include "shell/KeyedAccess.h"
#include "shell/TrayIcon.h"

using namespace zephrix;

// A session without X11 and without a notification area (the offscreen
// platform): nothing may be lost and the user is told about the key.
class ShellWithoutDesktopTest : public QObject {
    Q_OBJECT
  private slots:
    void keyPollerTicksWithoutLookingAtKeys()
    {
        QWidget window;
        KeyedAccess keys(&window);
        QVERIFY(!keys.available());
        QVERIFY(keys.timer()->isActive());
        moduleOptions().DisableKeyedAccess = 0;
        keys.tmrCheckforAccessing_Timer();
        QVERIFY(!window.isVisible());
        QVERIFY(KeyedAccess::unavailableNotice().contains("zephrix --show"));
    }

    void hideMinimisesWhereThereIsNoNotificationArea()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QWidget window;
        TrayIcon tray(&window);
        tray.add();
        window.show();
        tray.hideWindow();
        QVERIFY(window.isVisible());
        QVERIFY(window.isMinimized());
    }
};

QTEST_MAIN(ShellWithoutDesktopTest)
#include "ShellWithoutDesktopTest.moc"
