#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/OptionValues.h"
#include "shell/KeyedAccess.h"

using namespace zephrix;

// A session without X11 (the offscreen platform): the key poller ticks
// harmlessly.
// Hiding without a notification area is proven where the area goes away.
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
    }
};

QTEST_MAIN(ShellWithoutDesktopTest)
#include "ShellWithoutDesktopTest.moc"
