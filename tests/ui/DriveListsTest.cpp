#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "MainWindowHarness.h"
#include "ui/FolderTree.h"
#include "ui/frmMessages.h"

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

QString text(const char* box)
{
    return H::control<QLineEdit>(box)->text();
}

// Opens the drive drop-down and clicks the drive's entry.
void chooseDrive(const char* arrow, const char* list, const std::string& root, const char* type)
{
    H::click(arrow);
    H::clickEntry(list, QString::fromStdString(root) + "   (" + type + ")");
}

} // namespace

// The drive lists, the drive drop-downs and the folder trees they drive.
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
        QCOMPARE(text("txtDrives"), q(first_));
        QCOMPARE(tree("dirSearchFolder")->folderPath(), q(first_));
        QCOMPARE(tree("dirExcludeAdd")->folderPath(), q(first_));
    }

    void aFolderOfTheTreeIsTheSearchFolder()
    {
        FolderTree* folders = tree("dirSearchFolder");
        // Folders only, hidden ones too; they come in as the tree reads them.
        QModelIndex top = folders->model()->index(0, 0, folders->rootIndex());
        QTRY_COMPARE(folders->model()->rowCount(top), 2);
        QStringList names;
        for (int row = 0; row < 2; ++row)
            names << folders->model()->index(row, 0, top).data().toString();
        names.sort();
        QCOMPARE(names, QStringList({".hidden", "projects"}));
        const QModelIndex projects =
            folders->model()
                ->match(folders->model()->index(0, 0, top), Qt::DisplayRole, "projects", 1, Qt::MatchExactly)
                .value(0);
        H::clickRow(folders, projects);
        QCOMPARE(folders->folderPath(), QString::fromStdString(first_) + "projects/");
    }

    // A drive that cannot be read is refused with a notice; the box falls
    // back to the first hard disk after the catalogue's first drive.
    void anUnavailableDriveIsRefused_data()
    {
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<bool>("treeFollows");
        QTest::newRow("search folder") << "cmbDrives"
                                       << "lstDrives"
                                       << "txtDrives"
                                       << "dirSearchFolder" << false;
        QTest::newRow("exclude folder") << "cmbExcludeAdd"
                                        << "lstExcludeAdd"
                                        << "txtExcludeAdd"
                                        << "dirExcludeAdd" << true;
    }

    void anUnavailableDriveIsRefused()
    {
        QFETCH(QString, arrow);
        QFETCH(QString, list);
        QFETCH(QString, box);
        QFETCH(QString, tree);
        QFETCH(bool, treeFollows);
        frmSearch::instance().lblTabs_Click(box == "txtDrives" ? 1 : 2);
        chooseDrive(qPrintable(arrow), qPrintable(list), usb_, "Removable Media");
        QCOMPARE(text(qPrintable(box)), QString::fromStdString(usb_) + "   (Removable Media)");
        const QString before = H::control<FolderTree>(qPrintable(tree))->folderPath();
        QCOMPARE(before, QString::fromStdString(usb_)); // the chosen drive's folders
        chooseDrive(qPrintable(arrow), qPrintable(list), cd_, "CD/DVD Drive");
        frmMessages& message = frmMessages::instance();
        QVERIFY(message.isVisible());
        QCOMPARE(message.findChild<QLabel*>("lblMessage")->text(), QString(Unavailable));
        message.hide();
        QCOMPARE(text(qPrintable(box)), QString::fromStdString(second_));
        QCOMPARE(H::control<FolderTree>(qPrintable(tree))->folderPath(),
                 treeFollows ? QString::fromStdString(second_) : before);
    }

    // With no hard disk to fall back to, the box keeps what it showed.
    void withoutAFallbackTheBoxStaysAsItWas()
    {
        harness_.load({{first_, HardDisk}, {cd_, OpticalDrive}});
        H::click("optSearchThisFolder");
        chooseDrive("cmbDrives", "lstDrives", cd_, "CD/DVD Drive");
        QVERIFY(frmMessages::instance().isVisible());
        frmMessages::instance().hide();
        QCOMPARE(text("txtDrives"), QString::fromStdString(first_));
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
        QVERIFY(frmMessages::instance().isVisible());
        frmMessages::instance().hide();
    }
};

QTEST_MAIN(DriveListsTest)
#include "DriveListsTest.moc"
