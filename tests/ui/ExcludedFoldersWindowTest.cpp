#include <QTreeWidget>

#include "MainWindowHarness.h"
#include "ui/FolderTree.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

QStringList shownRows()
{
    QStringList rows;
    auto* list = H::control<QTreeWidget>("lstExcludeFolders");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0);
    return rows;
}

// Clicks the subfolder `name` of the drive shown in dirExcludeAdd, once the
// tree has read it.
void clickFolder(const QString& name)
{
    auto* tree = H::control<FolderTree>("dirExcludeAdd");
    QAbstractItemModel* folders = tree->model();
    const QModelIndex top = folders->index(0, 0, tree->rootIndex());
    QTRY_VERIFY(
        !folders->match(folders->index(0, 0, top), Qt::DisplayRole, name, 1, Qt::MatchExactly).isEmpty());
    H::clickRow(tree,
                folders->match(folders->index(0, 0, top), Qt::DisplayRole, name, 1, Qt::MatchExactly)[0]);
}

void selectRows(const QStringList& texts)
{
    auto* list = H::control<QTreeWidget>("lstExcludeFolders");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        list->topLevelItem(i)->setSelected(texts.contains(list->topLevelItem(i)->text(0)));
}

} // namespace

// Adding and removing excluded folders on the Advanced page, kept in the
// real settings file.
class ExcludedFoldersWindowTest : public QObject {
    Q_OBJECT
    H harness_;
    QString disk_;

    std::string stored() const { return harness_.stored("Settings", "ExcludedFolders"); }

  private slots:
    void initTestCase()
    {
        disk_ = QString::fromStdString(harness_.root("disk"));
        harness_.drives.dir("disk/a");
        harness_.drives.dir("disk/b");
        harness_.load({{disk_.toStdString(), HardDisk}, {"/", HardDisk}});
        frmSearch::instance().lblTabs_Click(2);
        QVERIFY(shownRows().isEmpty());
    }

    void addingAFolderStoresItOnce()
    {
        clickFolder("b");
        H::click("cmdAddFolder");
        QCOMPARE(shownRows(), QStringList({disk_ + "b/"}));
        QCOMPARE(stored(), (disk_ + "b/").toStdString());
        H::click("cmdAddFolder");
        QCOMPARE(shownRows(), QStringList({disk_ + "b/"}));
        QCOMPARE(stored(), (disk_ + "b/").toStdString());
    }

    void rowsShowInDescendingOrderAndTheStoreKeepsTheOrderOfAdding()
    {
        clickFolder("a");
        H::click("cmdAddFolder");
        QCOMPARE(shownRows(), QStringList({disk_ + "b/", disk_ + "a/"}));
        QCOMPARE(stored(), (disk_ + "b/|" + disk_ + "a/").toStdString());
    }

    void theRootOfADriveKeepsOneSlash()
    {
        H::click("cmbExcludeAdd");
        H::clickEntry("lstExcludeAdd", "/   (Hard Disk)");
        H::click("cmdAddFolder");
        H::click("cmdAddFolder");
        QCOMPARE(stored(), (disk_ + "b/|" + disk_ + "a/|/").toStdString());
        QCOMPARE(shownRows(), QStringList({disk_ + "b/", disk_ + "a/", "/"}));
        SearchOptions options;
        frmSearch::instance().fillOptions(options);
        QCOMPARE(options.ExcludedFolders,
                 (std::vector<std::string>{(disk_ + "b/").toStdString(), (disk_ + "a/").toStdString(), "/"}));
    }

    void removingKeepsTheRowsNotSelected()
    {
        selectRows({disk_ + "b/"});
        H::click("cmdRemoveFolder");
        QCOMPARE(stored(), (disk_ + "a/|/").toStdString());
        QCOMPARE(shownRows(), QStringList({disk_ + "a/", "/"}));
        // Nothing selected: the rows are written back as they stand.
        selectRows({});
        H::click("cmdRemoveFolder");
        QCOMPARE(stored(), (disk_ + "a/|/").toStdString());
    }

    void removingEveryRowEmptiesTheSetting()
    {
        selectRows(shownRows());
        H::click("cmdRemoveFolder");
        QCOMPARE(stored(), std::string());
        QVERIFY(shownRows().isEmpty());
        harness_.load({{disk_.toStdString(), HardDisk}});
        QVERIFY(shownRows().isEmpty());
    }
};

QTEST_MAIN(ExcludedFoldersWindowTest)
#include "ExcludedFoldersWindowTest.moc"
