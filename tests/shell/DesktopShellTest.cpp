#include <QTest>
#include <QWidget>

#include "shell/KeyedAccess.h"
#include "support/DesktopSession.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace zephrix;
using zephrix::test::DesktopSession;

// Super+S seen through the server's key map (Xvfb under openbox), pressed
// with xdotool as a user's keyboard would. Super+S with its option and the
// tray icon with its menu are proven on the real program; here the keys that
// must not show the window, and the state it was left in.
class DesktopShellTest : public QObject {
    Q_OBJECT
  public:
    explicit DesktopShellTest(DesktopSession& session) : session_(session) {}

  private slots:
    void initTestCase()
    {
        if (!session_.ok())
            QSKIP(qPrintable(session_.missing()));
        window_ = new QWidget;
        window_->resize(300, 200);
        keys_ = new KeyedAccess(window_);
        QVERIFY(keys_->available());
    }
    void cleanup()
    {
        DesktopSession::xdotool({"keyup", "super", "keyup", std::to_string(rightSuperKey()), "keyup", "s"});
        window_->showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(QTest::qWaitForWindowExposed(window_, 100) && !window_->isMinimized(), 5000);
    }
    void cleanupTestCase() { delete window_; }

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
    return zephrix::test::runOnDesktop<DesktopShellTest>(argc, argv, true);
}

#include "DesktopShellTest.moc"
