#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "support/TempTree.h"
#include "ui/frmErrors.h"
#include "ui/frmSearch.h"
#include "ui/frmSplash.h"

using namespace zephrix;

// The splash window and the start-up steps it runs, in this process.
class StartupStepsTest : public QObject {
    Q_OBJECT
    test::TempTree config_;

  private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path()));
        installErrorWindow();
    }

    void theSplashRunsTheStepsOnceAfterASecondAndGoes()
    {
        for (int startHidden : {0, 1}) {
            moduleOptions().StartHidden = startHidden;
            QPointer<frmSplash> splash = new frmSplash;
            splash->show();
            QCOMPARE(splash->findChild<QTimer*>("tmrInitializeApp")->interval(), 1000);
            QVERIFY(startHidden || !frmSearch::isLoaded()); // not before the timer
            QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
            QVERIFY(finished.wait(5000));
            QCOMPARE(finished.count(), 1);
            QTRY_VERIFY(splash.isNull()); // unloaded
            // The main window is on the screen unless the options keep it hidden.
            QCOMPARE(frmSearch::instance().isVisible() && !frmSearch::instance().isMinimized(),
                     startHidden == 0);
            QVERIFY(!frmErrors::instance().isVisible());
            frmSearch::instance().hide();
        }
        moduleOptions().StartHidden = 0;
    }
};

QTEST_MAIN(StartupStepsTest)
#include "StartupStepsTest.moc"
