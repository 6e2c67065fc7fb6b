#include <QLineEdit>
#include <QTreeWidget>
#include <functional>

#include "MainWindowHarness.h"
#include "shell/StandIns.h"
#include "ui/FolderTree.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

constexpr char Unavailable[] =
    "The drive you selected is not currently available.  Make sure a disk is inserted.";

// A drive list's rows as "[x] root | type"; the first column holds only the
// check box and the drive's icon.
QStringList rows(const char* list)
{
    QStringList shown;
    auto* drives = H::control<QTreeWidget>(list);
    for (int i = 0; i < drives->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = drives->topLevelItem(i);
        const bool iconOnly = row->text(0).isEmpty() && !row->icon(0).isNull();
        shown << QStringLiteral("%1 %2 | %3")
                     .arg(row->checkState(0) == Qt::Checked ? "[x]" : "[ ]", iconOnly ? row->text(1) : "?",
                          row->text(2));
    }
    return shown;
}

FolderTree* tree(const char* name)
{
    return H::control<FolderTree>(name);
}

// Opens the drive drop-down and clicks the drive's entry.
void chooseDrive(const char* arrow, const char* list, const std::string& root, const char* type)
{
    H::click(arrow);
    H::clickEntry(list, QString::fromStdString(root) + "   (" + type + ")");
}

QStringList shownRows()
{
    QStringList rows;
    auto* list = H::control<QTreeWidget>("lstExcludeFolders");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0);
    return rows;
}

void removeRows(const QStringList& texts)
{
    auto* list = H::control<QTreeWidget>("lstExcludeFolders");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        list->topLevelItem(i)->setSelected(texts.contains(list->topLevelItem(i)->text(0)));
    H::click("cmdRemoveFolder");
}

} // namespace

// The drive lists, the drive drop-downs, the folder trees they drive and
// the excluded folders chosen from one.
class DriveListsTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string first_, usb_, cd_, share_, second_;

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
        const auto q = [](const std::string& root) { return QString::fromStdString(root); };
        QCOMPARE(rows("lstAllDrives"),
                 QStringList({"[x] " + q(first_) + " | Hard Disk", "[ ] " + q(usb_) + " | Removable Media",
                              "[ ] " + q(cd_) + " | CD/DVD Drive", "[ ] " + q(share_) + " | Network Drive",
                              "[x] " + q(second_) + " | Hard Disk"}));
        QCOMPARE(rows("lstIndexDrives"),
                 QStringList({"[x] " + q(first_) + " | Hard Disk", "[ ] " + q(share_) + " | Network Drive",
                              "[x] " + q(second_) + " | Hard Disk"}));
        QCOMPARE(H::control<QListWidget>("lstDrives")->item(3)->text(), q(share_) + "   (Network Drive)");
        QCOMPARE(H::control<QListWidget>("lstExcludeAdd")->count(), 5);
        // The first hard disk is where both folder choosers start.
        QCOMPARE(H::text("txtDrives"), q(first_));
        QCOMPARE(tree("dirSearchFolder")->folderPath(), q(first_));
        QCOMPARE(tree("dirExcludeAdd")->folderPath(), q(first_));
    }

    void aFolderOfTheTreeIsTheSearchFolder()
    {
        // Folders only, hidden ones too.
        H::clickFolder("dirSearchFolder", ".hidden");
        QCOMPARE(H::clickFolder("dirSearchFolder", "projects"), 2);
        QCOMPARE(tree("dirSearchFolder")->folderPath(), QString::fromStdString(first_) + "projects/");
    }

    // A drive that cannot be read is refused with a notice; the box falls
    // back to the first hard disk after the catalogue's first drive, and so
    // does the exclusion picker's tree (the search folder's stays).
    void anUnavailableDriveIsRefused()
    {
        const std::tuple<int, const char*, const char*, const char*, const char*, bool> pickers[] = {
            {1, "cmbDrives", "lstDrives", "txtDrives", "dirSearchFolder", false},
            {2, "cmbExcludeAdd", "lstExcludeAdd", "txtExcludeAdd", "dirExcludeAdd", true}};
        for (const auto& [page, arrow, list, box, folders, treeFollows] : pickers) {
            frmSearch::instance().lblTabs_Click(page);
            chooseDrive(arrow, list, usb_, "Removable Media");
            QCOMPARE(H::text(box), QString::fromStdString(usb_) + "   (Removable Media)");
            QCOMPARE(tree(folders)->folderPath(), QString::fromStdString(usb_)); // the chosen drive's folders
            chooseDrive(arrow, list, cd_, "CD/DVD Drive");
            QCOMPARE(test::shownMessage(), QString(Unavailable));
            frmMessages::instance().hide();
            QCOMPARE(H::text(box), QString::fromStdString(second_));
            QCOMPARE(tree(folders)->folderPath(), QString::fromStdString(treeFollows ? second_ : usb_));
        }
    }

    // With no hard disk to fall back to, the box keeps what it showed.
    void withoutAFallbackTheBoxStaysAsItWas()
    {
        harness_.load({{first_, HardDisk}, {cd_, OpticalDrive}});
        H::click("optSearchThisFolder");
        chooseDrive("cmbDrives", "lstDrives", cd_, "CD/DVD Drive");
        QCOMPARE(test::shownMessage(), QString(Unavailable));
        frmMessages::instance().hide();
        QCOMPARE(H::text("txtDrives"), QString::fromStdString(first_));
        QCOMPARE(tree("dirSearchFolder")->folderPath(), QString::fromStdString(first_));
    }

    // The folders of an open tree vanish (the drive is unmounted): the tree
    // copes, and choosing another drive works on.
    void aDriveThatGoesAwayWhileOpenIsSurvived()
    {
        const std::string gone = harness_.root("gone");
        harness_.drives.dir("gone/a/b");
        harness_.load({{gone, HardDisk}, {first_, HardDisk}});
        H::click("optSearchThisFolder");
        FolderTree* folders = tree("dirSearchFolder");
        // The model fills in the background: an index taken before may be gone.
        QTRY_COMPARE(folders->model()->rowCount(folders->model()->index(0, 0, folders->rootIndex())), 1);
        harness_.drives.remove("gone");
        QTest::qWait(200);
        QVERIFY(!folders->folderPath().isEmpty());
        chooseDrive("cmbDrives", "lstDrives", first_, "Hard Disk");
        QCOMPARE(folders->folderPath(), QString::fromStdString(first_));
        chooseDrive("cmbDrives", "lstDrives", gone, "Hard Disk");
        QCOMPARE(test::shownMessage(), QString(Unavailable));
        frmMessages::instance().hide();
    }
    // Adding and removing excluded folders on the Advanced page: the rows
    // shown (newest first), the setting in the real settings file (in the
    // order of adding), and the folders the search leaves out.
    void addAndRemoveThroughTheWindow()
    {
        const QString disk = QString::fromStdString(harness_.root("disk"));
        harness_.drives.dir("disk/a");
        harness_.drives.dir("disk/b");
        harness_.load({{disk.toStdString(), HardDisk}, {"/", HardDisk}});
        frmSearch::instance().lblTabs_Click(2);
        QVERIFY(shownRows().isEmpty());
        const QString a = disk + "a/", b = disk + "b/";

        const std::tuple<const char*, std::function<void()>, QString, QStringList> steps[] = {
            {"add b", [] { H::clickFolder("dirExcludeAdd", "b"), H::click("cmdAddFolder"); }, b, {b}},
            {"add b again", [] { H::click("cmdAddFolder"); }, b, {b}},
            {"add a",
             [] { H::clickFolder("dirExcludeAdd", "a"), H::click("cmdAddFolder"); },
             b + "|" + a,
             {b, a}},
            {"a drive's root keeps one slash",
             [] {
                 H::click("cmbExcludeAdd");
                 H::clickEntry("lstExcludeAdd", "/   (Hard Disk)");
                 H::click("cmdAddFolder");
                 H::click("cmdAddFolder");
             },
             b + "|" + a + "|/",
             {b, a, "/"}},
            {"remove the selected", [b] { removeRows({b}); }, a + "|/", {a, "/"}},
            {"nothing selected", [] { removeRows({}); }, a + "|/", {a, "/"}},
            {"remove all", [] { removeRows(shownRows()); }, "", {}},
        };
        for (const auto& [what, step, stored, shown] : steps) {
            step();
            QVERIFY2(harness_.stored("Settings", "ExcludedFolders") == stored.toStdString(), what);
            QVERIFY2(shownRows() == shown, what);
            SearchOptions options;
            frmSearch::instance().fillOptions(options);
            QStringList searched;
            for (const std::string& folder : options.ExcludedFolders)
                searched << QString::fromStdString(folder);
            QVERIFY2(searched.join('|') == stored, what);
        }
        harness_.load({{disk.toStdString(), HardDisk}});
        QVERIFY(shownRows().isEmpty());
    }
};

QTEST_MAIN(DriveListsTest)
#include "DriveListsTest.moc"
