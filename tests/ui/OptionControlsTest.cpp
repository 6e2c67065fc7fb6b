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

// The ticks of the maintained drives' list, top to bottom: "10".
QString ticks()
{
    auto* drives = H::control<QTreeWidget>("lstIndexDrives");
    QString shown;
    for (int row = 0; row < drives->topLevelItemCount(); ++row)
        shown += drives->topLevelItem(row)->checkState(0) == Qt::Checked ? "1" : "0";
    return shown;
}

// A click on the check box at the left end of a drive list's row.
void clickCheck(const char* list, int row)
{
    auto* drives = H::control<QTreeWidget>(list);
    const QRect cell = drives->visualItemRect(drives->topLevelItem(row));
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

    void eachControlWritesItsSettingAtOnceAndTheNextLoadShowsIt()
    {
        QCOMPARE(harness_.stored("Settings", "AutoStart"), std::string("<none>")); // loading wrote nothing
        QCOMPARE(ticks(), QString("10")); // hard disks are maintained, network drives not
        QCOMPARE(H::text("txtHours"), QString("3"));
        for (const OptionBox& option : Boxes) {
            QVERIFY2(checked(option.box) == option.freshProfile, option.box);
            frmSearch::instance().lblTabs_Click(
                H::control(option.box)->parentWidget()->objectName() == "fraOptions" ? 3 : 2);
            H::click(option.box);
            QCOMPARE(harness_.stored("Settings", option.key), std::string(option.freshProfile ? "0" : "1"));
            if (option.value)
                QCOMPARE(moduleOptions().*option.value, option.freshProfile ? 0 : 1);
        }
        frmSearch::instance().lblTabs_Click(3);
        QVERIFY(checked("optCopyMove_0"));
        H::click("optCopyMove_1");
        QCOMPARE(harness_.stored("Settings", "DragMode"), std::string("1"));
        QCOMPARE(moduleOptions().DragMode, 1);
        clickCheck("lstIndexDrives", 0);
        clickCheck("lstIndexDrives", 1);
        // The store writes '/' in a key as %2F, so that a root stays one key.
        QCOMPARE(
            harness_.stored("IndexDrives", QString::fromStdString(disk_).replace("/", "%2F").toStdString()),
            std::string("0"));
        QCOMPARE(harness_.stored("IndexDrives",
                                 QString::fromStdString(network_).replace("/", "%2F").toStdString()),
                 std::string("1"));
        // Every keystroke is written.
        frmSearch::instance().lblTabs_Click(2);
        auto* types = H::control<QLineEdit>("txtSearchInsideTheseFileTypes");
        QCOMPARE(types->text(), QString("txt doc html asp rtf"));
        types->end(false);
        QTest::keyClicks(types, " md");
        QCOMPARE(harness_.stored("Settings", "SearchInside"), std::string("txt doc html asp rtf md"));
        QCOMPARE(moduleOptions().SearchInsideTypes, std::string("txt doc html asp rtf md"));
        QTest::keyClick(types, Qt::Key_Backspace);
        QCOMPARE(harness_.stored("Settings", "SearchInside"), std::string("txt doc html asp rtf m"));

        load();
        for (const OptionBox& option : Boxes)
            QVERIFY2(checked(option.box) != option.freshProfile, option.box);
        QVERIFY(checked("optCopyMove_1"));
        QCOMPARE(H::text("txtSearchInsideTheseFileTypes"), QString("txt doc html asp rtf m"));
        QCOMPARE(ticks(), QString("01"));
    }

    // A stored value that is not a number stops the load where it is read:
    // the controls after it keep their first state, and the report says 6023.
    void aBadStoredNumberStopsTheLoadThere()
    {
        installErrorWindow();
        const std::tuple<const char*, std::string, bool, bool> cases[] = {
            // section, key, date pickers filled, hours shown
            {"Settings", "ShowFolders", true, false},
            {"IndexDrives", network_, false, false},
            {"Settings", "DragMode", true, true},
        };
        int profile = 0;
        for (const auto& [section, key, pickersFilled, hoursShown] : cases) {
            QSettings::setPath(
                QSettings::NativeFormat, QSettings::UserScope,
                QString::fromStdString(harness_.config.path() + "/bad-" + std::to_string(++profile)));
            SaveSetting("Zephrix", section, key, "sometimes");
            load();
            frmErrors& report = frmErrors::instance();
            QVERIFY(report.isVisible());
            QCOMPARE(report.ErrorLocation, 6023);
            QCOMPARE(report.ErrorNumber, 13);
            QCOMPARE(H::text("txtSearchFromDate"), pickersFilled ? QString("Any") : QString());
            QCOMPARE(H::text("txtHours").isEmpty(), !hoursShown);
            report.hide();
        }
    }
};

QTEST_MAIN(OptionControlsTest)
#include "OptionControlsTest.moc"
