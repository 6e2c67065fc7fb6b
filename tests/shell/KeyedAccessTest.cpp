#include "shell/KeyedAccess.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/OptionValues.h"
#include "support/DesktopSession.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace zephrix;
using zephrix::test::DesktopSession;

// Super+S pressed on a real X server (Xvfb) with xdotool, seen by the poller
// through the server's key map.
class KeyedAccessTest : public QObject {
    Q_OBJECT
  public:
    explicit KeyedAccessTest(DesktopSession& session) : session_(session) {}

  private slots:
    void initTestCase()
    {
        if (!session_.ok())
            QSKIP(qPrintable(session_.missing()));
        window_ = new QWidget;
        window_->resize(300, 200);
        keys_ = new KeyedAccess(window_);
        QVERIFY(keys_->available());
        QCOMPARE(window_->findChild<QTimer*>("tmrCheckforAccessing")->interval(), 250);
    }
    void init()
    {
        moduleOptions().DisableKeyedAccess = 0;
        window_->showNormal();
        window_->hide();
    }
    void cleanup()
    {
        const std::string right = std::to_string(rightSuperKey());
        DesktopSession::xdotool({"keyup", "super", "keyup", right, "keyup", "s"});
    }
    void cleanupTestCase() { delete window_; }

    void keysShowTheHiddenWindowAsItWasLeft_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("shown");
        // By key code for the right one: xdotool presses the left Super key
        // too when it is given the right one's name.
        const QString right = QString::number(rightSuperKey());
        QTest::newRow("Super and S") << QStringList{"super", "s"} << false << true;
        QTest::newRow("Super and S, minimised") << QStringList{"super", "s"} << true << true;
        QTest::newRow("S alone") << QStringList{"s"} << false << false;
        QTest::newRow("Super alone") << QStringList{"super"} << false << false;
        QTest::newRow("right Super and S") << QStringList{right, "s"} << false << false;
    }
    void keysShowTheHiddenWindowAsItWasLeft()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, minimised);
        QFETCH(bool, shown);
        if (minimised)
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
        QCOMPARE(window_->isMinimized(), minimised);
    }

    void optionTurnsTheKeyOffFromTheNextTick()
    {
        moduleOptions().DisableKeyedAccess = 1;
        QVERIFY(DesktopSession::xdotool({"keydown", "super", "keydown", "s"}));
        QTest::qWait(3 * KeyedAccess::IntervalMs);
        QVERIFY(!window_->isVisible());
        moduleOptions().DisableKeyedAccess = 0;
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 500);
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

    DesktopSession& session_;
    QWidget* window_ = nullptr;
    KeyedAccess* keys_ = nullptr;
};

int main(int argc, char* argv[])
{
    return zephrix::test::runOnDesktop<KeyedAccessTest>(argc, argv, false);
}

#include "KeyedAccessTest.moc"
