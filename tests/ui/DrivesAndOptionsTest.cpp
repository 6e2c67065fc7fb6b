#include <QAbstractButton>
#include <QLineEdit>
#include <QTreeWidget>
#include <functional>

#include "MainWindowHarness.h"
#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "shell/StandIns.h"
#include "ui/FolderTree.h"
#include "ui/frmErrors.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

const QString Unavailable =
    "The drive you selected is not currently available.  Make sure a disk is inserted.";

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The message on screen, closed once read.
QString toldAndClosed()
{
    const QString told = test::shownMessage();
    frmMessages::instance().hide();
    return told;
}

// A drive list's rows as "[x] root | type".
QStringList rows(const char* list)
{
    QStringList shown;
    auto* drives = H::control<QTreeWidget>(list);
    for (int i = 0; i < drives->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = drives->topLevelItem(i);
        shown << (row->checkState(0) == Qt::Checked ? "[x] " : "[ ] ") + row->text(1) + " | " + row->text(2);
    }
    return shown;
}

FolderTree* tree(const char* name)
{
    return H::control<FolderTree>(name);
}

void chooseDrive(const char* arrow, const char* list, const std::string& root, const char* type)
{
    H::click(arrow);
    H::clickEntry(list, q(root) + "   (" + type + ")");
}

void removeRows(const QStringList& texts)
{
    auto* list = H::control<QTreeWidget>("lstExcludeFolders");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        list->topLevelItem(i)->setSelected(texts.contains(list->topLevelItem(i)->text(0)));
    H::click("cmdRemoveFolder");
}

bool checked(const char* name)
{
    return H::control<QAbstractButton>(name)->isChecked();
}

// The maintained drives' ticks, top to bottom: "10".
QString ticks()
{
    QString shown;
    for (const QString& row : rows("lstIndexDrives"))
        shown += row[1] == 'x' ? "1" : "0";
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

// The drive lists and drop-downs, the folder trees, the excluded folders and
// the options written from the Advanced and Options pages.
class DrivesAndOptionsTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string first_, usb_, cd_, share_, second_;

    void load() { harness_.load({{first_, HardDisk}, {share_, NetworkDrive}}); }

  private slots:
    void initTestCase()
    {
        first_ = harness_.root("first");
        usb_ = harness_.root("usb");
        harness_.drives.dir("first/projects/2024");
        harness_.drives.dir("first/.hidden");
        harness_.drives.file("first/notes.txt");
        cd_ = harness_.drives.at("cdrom-not-mounted") + "/";
        share_ = harness_.root("share");
        second_ = harness_.root("second");
        harness_.load({{first_, HardDisk},
                       {usb_, RemovableMedia},
                       {cd_, OpticalDrive},
                       {share_, NetworkDrive},
                       {second_, HardDisk}});
        H::click("optSearchThisFolder");
    }

    void listsShowEachDriveOfItsKind()
    {
        QCOMPARE(rows("lstAllDrives"),
                 QStringList({"[x] " + q(first_) + " | Hard Disk", "[ ] " + q(usb_) + " | Removable Media",
                              "[ ] " + q(cd_) + " | CD/DVD Drive", "[ ] " + q(share_) + " | Network Drive",
                              "[x] " + q(second_) + " | Hard Disk"}));
        QCOMPARE(rows("lstIndexDrives"),
                 QStringList({"[x] " + q(first_) + " | Hard Disk", "[ ] " + q(share_) + " | Network Drive",
                              "[x] " + q(second_) + " | Hard Disk"}));
        QCOMPARE(H::control<QListWidget>("lstDrives")->item(3)->text(), q(share_) + "   (Network Drive)");
        QCOMPARE(H::control<QListWidget>("lstExcludeAdd")->count(), 5);
        // Both folder choosers start on the first hard disk; the tree lists
        // folders only, hidden ones too.
        QCOMPARE(H::text("txtDrives") + tree("dirExcludeAdd")->folderPath(), q(first_) + q(first_));
        H::clickFolder("dirSearchFolder", ".hidden");
        QCOMPARE(H::clickFolder("dirSearchFolder", "projects"), 2);
        QCOMPARE(tree("dirSearchFolder")->folderPath(), q(first_) + "projects/");
    }

    // A drive that cannot be read is refused with a notice; the exclusion
    // picker falls back to the first hard disk after the catalogue's first
    // drive, and its tree follows.
    void anUnavailableDriveIsRefused()
    {
        frmSearch::instance().lblTabs_Click(2);
        chooseDrive("cmbExcludeAdd", "lstExcludeAdd", cd_, "CD/DVD Drive");
        QCOMPARE(toldAndClosed(), Unavailable);
        QCOMPARE(H::text("txtExcludeAdd") + "|" + tree("dirExcludeAdd")->folderPath(),
                 q(second_) + "|" + q(second_));
    }

    // With no hard disk to fall back to the box keeps what it showed; the
    // folders of an open tree vanishing (an unmount) are survived.
    void withoutAFallbackOrItsFoldersTheBoxCopes()
    {
        const std::string gone = harness_.root("gone");
        harness_.drives.dir("gone/a/b");
        harness_.load({{gone, HardDisk}, {cd_, OpticalDrive}, {usb_, RemovableMedia}});
        H::click("optSearchThisFolder");
        FolderTree* folders = tree("dirSearchFolder");
        // The model fills in the background: an index taken before may be gone.
        QTRY_COMPARE(folders->model()->rowCount(folders->model()->index(0, 0, folders->rootIndex())), 1);
        chooseDrive("cmbDrives", "lstDrives", cd_, "CD/DVD Drive");
        QCOMPARE(toldAndClosed(), Unavailable);
        QCOMPARE(H::text("txtDrives") + folders->folderPath(), q(gone) + q(gone));
        harness_.drives.remove("gone");
        QTest::qWait(200);
        QVERIFY(!folders->folderPath().isEmpty());
        chooseDrive("cmbDrives", "lstDrives", usb_, "Removable Media");
        QCOMPARE(H::text("txtDrives") + "|" + folders->folderPath(),
                 q(usb_) + "   (Removable Media)|" + q(usb_));
        chooseDrive("cmbDrives", "lstDrives", gone, "Hard Disk");
        QCOMPARE(toldAndClosed(), Unavailable);
    }

    // Excluded folders: the rows shown (newest first), the setting on disk
    // (in the order of adding), and the folders the search leaves out.
    void addAndRemoveThroughTheWindow()
    {
        const QString disk = q(harness_.root("disk"));
        harness_.drives.dir("disk/a");
        harness_.drives.dir("disk/b");
        harness_.load({{disk.toStdString(), HardDisk}, {"/", HardDisk}});
        frmSearch::instance().lblTabs_Click(2);
        QVERIFY(H::entries("lstExcludeFolders").isEmpty());
        const QString a = disk + "a/", b = disk + "b/";
        const auto add = [](const char* folder) {
            H::clickFolder("dirExcludeAdd", folder);
            H::click("cmdAddFolder");
        };
        const auto addRootTwice = [] {
            chooseDrive("cmbExcludeAdd", "lstExcludeAdd", "/", "Hard Disk");
            H::click("cmdAddFolder");
            H::click("cmdAddFolder");
        };
        const std::tuple<const char*, std::function<void()>, QString, QStringList> steps[] = {
            {"add b", [&] { add("b"); }, b, {b}},
            {"add b again", [] { H::click("cmdAddFolder"); }, b, {b}},
            {"add a", [&] { add("a"); }, b + "|" + a, {b, a}},
            {"a drive's root keeps one slash", addRootTwice, b + "|" + a + "|/", {b, a, "/"}},
            {"remove the selected", [b] { removeRows({b}); }, a + "|/", {a, "/"}},
            {"nothing selected", [] { removeRows({}); }, a + "|/", {a, "/"}},
            {"remove all", [] { removeRows(H::entries("lstExcludeFolders")); }, "", {}},
        };
        for (const auto& [what, step, stored, shown] : steps) {
            step();
            QVERIFY2(harness_.stored("Settings", "ExcludedFolders") == stored.toStdString(), what);
            QVERIFY2(H::entries("lstExcludeFolders") == shown, what);
            SearchOptions options;
            frmSearch::instance().fillOptions(options);
            QStringList searched;
            for (const std::string& folder : options.ExcludedFolders)
                searched << q(folder);
            QVERIFY2(searched.join('|') == stored, what);
        }
        harness_.load({{disk.toStdString(), HardDisk}});
        QVERIFY(H::entries("lstExcludeFolders").isEmpty());
    }

    // Every option is written to the settings file the moment it changes,
    // and the next load shows it again.
    void eachControlWritesItsSettingAtOnceAndTheNextLoadShowsIt()
    {
        load();
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
        QCOMPARE(harness_.stored("Settings", "DragMode") + std::to_string(moduleOptions().DragMode),
                 std::string("11"));
        clickCheck("lstIndexDrives", 0);
        clickCheck("lstIndexDrives", 1);
        // The store writes '/' in a key as %2F, so that a root stays one key.
        const auto tick = [&](const std::string& root) {
            return harness_.stored("IndexDrives", q(root).replace("/", "%2F").toStdString());
        };
        QCOMPARE(tick(first_) + tick(share_), std::string("01"));
        // Every keystroke is written.
        frmSearch::instance().lblTabs_Click(2);
        auto* types = H::control<QLineEdit>("txtSearchInsideTheseFileTypes");
        QCOMPARE(types->text(), QString("txt doc html asp rtf"));
        types->end(false);
        QTest::keyClicks(types, " md");
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
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, q(harness_.config.path() + "/bad"));
        SaveSetting("Zephrix", "Settings", "ShowFolders", "sometimes");
        load();
        frmErrors& report = frmErrors::instance();
        QVERIFY(report.isVisible());
        QCOMPARE(report.ErrorLocation * 100 + report.ErrorNumber, 602313);
        QCOMPARE(H::text("txtSearchFromDate") + "|" + H::text("txtHours"), QString("Any|"));
    }
};

QTEST_MAIN(DrivesAndOptionsTest)
#include "DrivesAndOptionsTest.moc"
