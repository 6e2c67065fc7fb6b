#include <QAbstractButton>
#include <QLineEdit>
#include <QTreeWidget>

#include "MainWindowHarness.h"
#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "ui/frmErrors.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

bool checked(const char* name)
{
    return H::control<QAbstractButton>(name)->isChecked();
}

// The check box column of a drive list's row.
void clickCheck(const char* list, int row)
{
    auto* drives = H::control<QTreeWidget>(list);
    const QRect cell = drives->visualItemRect(drives->topLevelItem(row));
    // The check box sits at the left end of the first column.
    QTest::mouseClick(drives->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 10, cell.center().y()));
}

struct OptionBox {
    const char* box;
    const char* key;
    bool freshProfile; // checked on a profile that never wrote it
    int OptionValues::*value;
} const Boxes[] = {
    {"chkAutoStart", "AutoStart", true, &OptionValues::AutoStart},
    {"chkAutoHide", "AutoHide", false, nullptr},
    {"chkAutoUpdate", "AutoUpdate", true, nullptr},
    {"chkDisableKeyedAccess", "DisableKeyedAccess", false, &OptionValues::DisableKeyedAccess},
    {"chkShowIcons", "ShowIcons", true, &OptionValues::ShowIcons},
    {"chkShowFolders", "ShowFolders", true, &OptionValues::ShowFolders},
    {"chkForceIndex", "ForceIndex", false, &OptionValues::ForceIndex},
    {"chkResultsLimit", "ResultsLimit", false, &OptionValues::ResultsLimit},
};

} // namespace

// Every option control writes its setting the moment it changes, into the
// real settings file, and the next load shows it again.
class OptionControlsTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string disk_, network_;

    void load() { harness_.load({{disk_, HardDisk}, {network_, NetworkDrive}}); }

  private slots:
    void initTestCase()
    {
        disk_ = harness_.root("disk");
        network_ = harness_.root("share");
        load();
    }

    void freshProfileShowsTheDefaults()
    {
        for (const OptionBox& option : Boxes)
            QVERIFY2(checked(option.box) == option.freshProfile, option.box);
        QCOMPARE(H::control<QLineEdit>("txtHours")->text(), QString("3"));
        QVERIFY(checked("optCopyMove_0"));
        QCOMPARE(H::control<QLineEdit>("txtSearchInsideTheseFileTypes")->text(),
                 QString("txt doc html asp rtf"));
        QCOMPARE(harness_.stored("Settings", "AutoStart"), std::string("<none>")); // loading wrote nothing
        auto* maintained = H::control<QTreeWidget>("lstIndexDrives");
        QCOMPARE(maintained->topLevelItem(0)->checkState(0), Qt::Checked);   // a hard disk
        QCOMPARE(maintained->topLevelItem(1)->checkState(0), Qt::Unchecked); // a network drive
    }

    void eachControlWritesItsSettingAtOnce()
    {
        for (const OptionBox& option : Boxes) {
            frmSearch::instance().lblTabs_Click(
                H::control(option.box)->parentWidget()->objectName() == "fraOptions" ? 3 : 2);
            H::click(option.box);
            const std::string expected = option.freshProfile ? "0" : "1";
            QCOMPARE(harness_.stored("Settings", option.key), expected);
            if (option.value)
                QCOMPARE(moduleOptions().*option.value, option.freshProfile ? 0 : 1);
        }

        frmSearch::instance().lblTabs_Click(3);
        H::click("optCopyMove_1");
        QCOMPARE(harness_.stored("Settings", "DragMode"), std::string("1"));
        QCOMPARE(moduleOptions().DragMode, 1);

        clickCheck("lstIndexDrives", 0);
        clickCheck("lstIndexDrives", 1);
        // The store writes '/' in a key as %2F, so that a root stays one key.
        const QString diskKey = QString::fromStdString(disk_).replace("/", "%2F");
        const QString networkKey = QString::fromStdString(network_).replace("/", "%2F");
        QCOMPARE(harness_.stored("IndexDrives", diskKey.toStdString()), std::string("0"));
        QCOMPARE(harness_.stored("IndexDrives", networkKey.toStdString()), std::string("1"));

        // Every keystroke is written.
        frmSearch::instance().lblTabs_Click(2);
        auto* types = H::control<QLineEdit>("txtSearchInsideTheseFileTypes");
        types->end(false);
        QTest::keyClicks(types, " md");
        QCOMPARE(harness_.stored("Settings", "SearchInside"), std::string("txt doc html asp rtf md"));
        QCOMPARE(moduleOptions().SearchInsideTypes, std::string("txt doc html asp rtf md"));
        QTest::keyClick(types, Qt::Key_Backspace);
        QCOMPARE(harness_.stored("Settings", "SearchInside"), std::string("txt doc html asp rtf m"));
    }

    void theNextLoadShowsWhatWasWritten()
    {
        load();
        for (const OptionBox& option : Boxes)
            QVERIFY2(checked(option.box) != option.freshProfile, option.box);
        QVERIFY(checked("optCopyMove_1"));
        QCOMPARE(H::control<QLineEdit>("txtSearchInsideTheseFileTypes")->text(),
                 QString("txt doc html asp rtf m"));
        auto* maintained = H::control<QTreeWidget>("lstIndexDrives");
        QCOMPARE(maintained->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QCOMPARE(maintained->topLevelItem(1)->checkState(0), Qt::Checked);
    }

    // A stored value that is not a number stops the load where it is read:
    // the controls after it keep their first state, and the report says 6023.
    void aBadStoredNumberStopsTheLoadThere_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("pickersFilled");
        QTest::addColumn<bool>("hoursShown");
        QTest::newRow("an option") << "Settings"
                                   << "ShowFolders" << true << false;
        QTest::newRow("a maintained drive") << "IndexDrives"
                                            << "" << false << false;
        QTest::newRow("the last option") << "Settings"
                                         << "DragMode" << true << true;
    }

    void aBadStoredNumberStopsTheLoadThere()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(bool, pickersFilled);
        QFETCH(bool, hoursShown);
        installErrorWindow();
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::UserScope,
            QString::fromStdString(harness_.config.path() + "/bad-" + QTest::currentDataTag()));
        const std::string stored = key.isEmpty() ? network_ : key.toStdString();
        SaveSetting("Zephrix", section.toStdString(), stored, "sometimes");
        load();
        frmErrors& report = frmErrors::instance();
        QVERIFY(report.isVisible());
        QCOMPARE(report.ErrorLocation, 6023);
        QCOMPARE(report.ErrorNumber, 13);
        QCOMPARE(H::control<QLineEdit>("txtSearchFromDate")->text(),
                 pickersFilled ? QString("Any") : QString());
        QCOMPARE(H::control<QLineEdit>("txtHours")->text().isEmpty(), !hoursShown);
        report.hide();
    }
};

QTEST_MAIN(OptionControlsTest)
#include "OptionControlsTest.moc"
