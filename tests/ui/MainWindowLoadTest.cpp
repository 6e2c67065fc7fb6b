#include <QLabel>
#include <QSettings>
#include <QTest>

#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "support/TempTree.h"
#include "ui/frmErrors.h"
#include "ui/frmSearch.h"

using namespace zephrix;

// The main window's load with a stored option that is not a number.
class MainWindowLoadTest : public QObject {
    Q_OBJECT
    test::TempTree config_;

  private slots:
    void badValueIsReportedAndReadingStopsThere()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path()));
        SaveSetting("Zephrix", "Settings", "DisableKeyedAccess", "1");
        SaveSetting("Zephrix", "Settings", "ShowFolders", "sometimes");
        SaveSetting("Zephrix", "Settings", "ForceIndex", "1");
        installErrorWindow();

        moduleOptions().ShowFolders = 1;
        moduleOptions().ForceIndex = 0;
        frmSearch::instance();

        // Read before the bad value: taken. At and after it: left alone.
        QCOMPARE(moduleOptions().DisableKeyedAccess, 1);
        QCOMPARE(moduleOptions().ShowFolders, 1);
        QCOMPARE(moduleOptions().ForceIndex, 0);

        frmErrors& report = frmErrors::instance();
        QVERIFY(report.isVisible());
        QCOMPARE(report.findChild<QLabel*>("lblErrorLocation")->text(), QString("Error Location: 6023"));
        QCOMPARE(report.findChild<QLabel*>("lblErrorNumber")->text(), QString("Error Number: 13"));
        QVERIFY(report.findChild<QLabel*>("lblErrorDescription")->text().contains("ShowFolders"));
    }
};

QTEST_MAIN(MainWindowLoadTest)
#include "MainWindowLoadTest.moc"
