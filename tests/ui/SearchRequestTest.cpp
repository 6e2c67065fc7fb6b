#include <QAbstractButton>
#include <QLineEdit>
#include <QTreeWidget>
#include <functional>

#include "MainWindowHarness.h"
#include "app/OptionValues.h"
#include "ui/FolderTree.h"
#include "ui/MainWindowWiring.h"
#include "ui/SearchWindowFrontEnd.h"

using namespace zephrix;
using H = test::MainWindowHarness;

// The request the window hands to the search: filled from what the user
// typed, clicked and chose, and from the options.
class SearchRequestTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string first_, second_, usb_;

  private slots:
    void initTestCase()
    {
        first_ = harness_.root("first");
        usb_ = harness_.root("usb");
        second_ = harness_.root("second");
        harness_.drives.dir("second/My Folder");
        harness_.load({{first_, HardDisk}, {usb_, RemovableMedia}, {second_, HardDisk}});
    }

    void criteriaComeFromTheControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileType");
        QTest::addColumn<int>("match");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QString>("fromDate");
        QTest::addColumn<QString>("size"); // chosen from the list
        QTest::addColumn<QString>("inside");
        QTest::newRow("a name") << "report"
                                << "" << 0 << false << "Any"
                                << "Any"
                                << "";
        QTest::newRow("typed as is") << "  Über Report.DOC "
                                     << "doc" << 2 << true << "any"
                                     << "Large (More than 1 MB)"
                                     << "";
        QTest::newRow("inside files") << ""
                                      << "txt" << 3 << false << "02/30/2001"
                                      << "Small (Less than 100 KB)"
                                      << "needle";
    }

    void criteriaComeFromTheControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileType);
        QFETCH(int, match);
        QFETCH(bool, caseSensitive);
        QFETCH(QString, fromDate);
        QFETCH(QString, size);
        QFETCH(QString, inside);
        H::type("txtSearchFileName", name);
        H::type("txtSearchFileType", fileType);
        H::click(qPrintable(QStringLiteral("optSearchType_%1").arg(match)));
        if (H::control<QAbstractButton>("chkSearchCaseSensative")->isChecked() != caseSensitive)
            H::click("chkSearchCaseSensative");
        H::type("txtSearchFromDate", fromDate);
        H::click("cmbSearchSize");
        H::clickEntry("lstSearchFileSize", size);
        if (!inside.isEmpty()) {
            H::click("chkSearchInsideFiles");
            H::type("txtSearchInFiles", inside);
        }

        SearchCriteria criteria;
        frmSearch::instance().fillCriteria(criteria);
        QCOMPARE(QString::fromStdString(criteria.name), name);
        QCOMPARE(QString::fromStdString(criteria.fileType), fileType);
        QCOMPARE(int(criteria.nameMatch), match);
        QCOMPARE(criteria.caseSensitive, caseSensitive);
        QCOMPARE(QString::fromStdString(criteria.fromDateText), fromDate);
        QCOMPARE(criteria.toDateText, std::string("Any"));
        QCOMPARE(QString::fromStdString(criteria.sizeText), size);
        QCOMPARE(criteria.searchInsideChecked, !inside.isEmpty());
        QCOMPARE(QString::fromStdString(criteria.insideText), inside);
        QCOMPARE(criteria.insideTypes, moduleOptions().SearchInsideTypes);
        QCOMPARE(criteria.scope, SearchScope::Drives);
        QCOMPARE(criteria.drives, (std::vector<std::string>{first_, second_}));
        if (!inside.isEmpty())
            H::click("chkSearchInsideFiles");
    }

    // The inside-files box takes text only while its check box is checked,
    // and an old text never outlives the check mark.
    void insideTextLivesWithItsCheckBox()
    {
        H::type("txtSearchInFiles", "typed while locked");
        QCOMPARE(H::control<QLineEdit>("txtSearchInFiles")->text(), QString());
        H::click("chkSearchInsideFiles");
        H::type("txtSearchInFiles", "needle");
        H::click("chkSearchInsideFiles");
        QCOMPARE(H::control<QLineEdit>("txtSearchInFiles")->text(), QString());
        H::click("chkSearchInsideFiles");
        QCOMPARE(H::control<QLineEdit>("txtSearchInFiles")->text(), QString());
        H::click("chkSearchInsideFiles");
    }

    void drivesAreTheCheckedRowsInOrder()
    {
        auto* drives = H::control<QTreeWidget>("lstAllDrives");
        drives->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        drives->topLevelItem(1)->setCheckState(0, Qt::Checked);
        SearchCriteria criteria;
        frmSearch::instance().fillCriteria(criteria);
        QCOMPARE(criteria.drives, (std::vector<std::string>{usb_, second_}));
    }

    void aFolderSearchNamesTheDriveAndTheFolder()
    {
        H::click("optSearchThisFolder");
        H::click("cmbDrives");
        H::clickEntry("lstDrives", QString::fromStdString(second_) + "   (Hard Disk)");
        SearchCriteria criteria;
        frmSearch::instance().fillCriteria(criteria);
        QCOMPARE(criteria.scope, SearchScope::Folder);
        QCOMPARE(criteria.folderRoot, second_);
        QCOMPARE(criteria.folder, second_);
        QVERIFY(H::control<FolderTree>("dirSearchFolder")
                    ->setFolderPath(QString::fromStdString(second_ + "My Folder")));
        frmSearch::instance().fillCriteria(criteria);
        QCOMPARE(criteria.folder, second_ + "My Folder/");
        H::click("optSearchTheseDrives");

        // A name split at its extension by the search shows in both boxes.
        frmSearch::instance().setNameAndType("report", "doc");
        frmSearch::instance().fillCriteria(criteria);
        QCOMPARE(criteria.name + "|" + criteria.fileType, std::string("report|doc"));
    }

    // The search reads the request from a snapshot, refreshed only when a
    // control it comes from changes: after any change of any such control,
    // the snapshot is what the controls hold.
    void theSearchsSnapshotFollowsEveryControl()
    {
        harness_.load({{first_, HardDisk}, {usb_, RemovableMedia}, {second_, HardDisk}});
        SearchWindowFrontEnd& frontEnd = frmSearch::instance().wiring().frontEnd();
        frontEnd.markRequestChanged();
        SearchCriteria seen;
        SearchOptions seenOptions;
        frontEnd.readCriteria(seen);
        frontEnd.readOptions(seenOptions);
        const std::pair<const char*, std::function<void()>> changes[] = {
            {"name", [] { H::type("txtSearchFileName", "first"); }},
            {"type", [] { H::type("txtSearchFileType", "pdf"); }},
            {"match", [] { H::click("optSearchType_3"); }},
            {"case", [] { H::click("chkSearchCaseSensative"); }},
            {"from", [] { H::type("txtSearchFromDate", "01/02/2003"); }},
            {"to", [] { H::type("txtSearchToDate", "any"); }},
            {"size",
             [] {
                 H::click("cmbSearchSize");
                 H::clickEntry("lstSearchFileSize", "Small (Less than 100 KB)");
             }},
            {"inside", [] { H::click("chkSearchInsideFiles"); }},
            {"inside text", [] { H::type("txtSearchInFiles", "needle"); }},
            {"drives",
             [] {
                 H::control<QTreeWidget>("lstAllDrives")->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
             }},
            {"scope", [] { H::click("optSearchThisFolder"); }},
            {"drive box",
             [this] {
                 H::click("cmbDrives");
                 H::clickEntry("lstDrives", QString::fromStdString(second_) + "   (Hard Disk)");
             }},
            {"folder",
             [this] {
                 H::control<FolderTree>("dirSearchFolder")
                     ->setFolderPath(QString::fromStdString(second_ + "My Folder"));
             }},
            {"inside types",
             [] {
                 frmSearch::instance().lblTabs_Click(2);
                 H::type("txtSearchInsideTheseFileTypes", "txt md");
             }},
            {"show folders", [] { H::click("chkShowFolders"); }},
            {"limit", [] { H::click("chkResultsLimit"); }},
            {"force", [] { H::click("chkForceIndex"); }},
            {"excluded", [] { H::click("cmdAddFolder"); }},
        };
        for (const auto& [what, change] : changes) {
            change();
            SearchCriteria fresh;
            SearchOptions freshOptions;
            frmSearch::instance().fillCriteria(fresh);
            frmSearch::instance().fillOptions(freshOptions);
            frontEnd.readCriteria(seen);
            frontEnd.readOptions(seenOptions);
            QVERIFY2(describe(seen) == describe(fresh) && describe(seenOptions) == describe(freshOptions),
                     what);
        }
        QCOMPARE(seen.name + seen.insideTypes, std::string("firsttxt md"));
        QCOMPARE(seenOptions.ExcludedFolders.size(), size_t(1));
        QVERIFY(!seenOptions.ExcludedFolders[0].empty());
        harness_.load({{first_, HardDisk}, {usb_, RemovableMedia}, {second_, HardDisk}});
    }

  private:
    static std::string describe(const SearchCriteria& c)
    {
        std::string drives;
        for (const std::string& drive : c.drives)
            drives += drive + ",";
        return c.name + "|" + c.fileType + "|" + std::to_string(int(c.nameMatch)) +
               std::to_string(c.caseSensitive) + std::to_string(c.searchInsideChecked) +
               std::to_string(int(c.scope)) + "|" + c.sizeText + "|" + c.fromDateText + "|" + c.toDateText +
               "|" + c.insideText + "|" + c.insideTypes + "|" + drives + "|" + c.folderRoot + "|" + c.folder;
    }
    static std::string describe(const SearchOptions& o)
    {
        std::string text = std::to_string(o.ShowFolders) + std::to_string(o.ShowIcons) +
                           std::to_string(o.ResultsLimit) + std::to_string(o.ForceIndex);
        for (const std::string& folder : o.ExcludedFolders)
            text += "|" + folder;
        return text;
    }
};

QTEST_MAIN(SearchRequestTest)
#include "SearchRequestTest.moc"
