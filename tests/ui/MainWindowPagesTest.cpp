#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <functional>

#include "MainWindowHarness.h"
#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "results/ResultsList.h"
#include "shell/StandIns.h"
#include "ui/FolderTree.h"
#include "ui/frmErrors.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Whether the message on screen refuses an unavailable drive; it is closed.
bool toldUnavailable()
{
    const QString told = test::shownMessage();
    frmMessages::instance().hide();
    return told == "The drive you selected is not currently available.  Make sure a disk is inserted.";
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

// Each option's box, setting, whether a fresh profile checks it, and its value.
const std::tuple<const char*, const char*, bool, int OptionValues::*> Boxes[] = {
    {"chkAutoStart", "AutoStart", true, &OptionValues::AutoStart},
    {"chkAutoHide", "AutoHide", false, nullptr},
    {"chkAutoUpdate", "AutoUpdate", true, nullptr},
    {"chkDisableKeyedAccess", "DisableKeyedAccess", false, &OptionValues::DisableKeyedAccess},
    {"chkShowIcons", "ShowIcons", true, &OptionValues::ShowIcons},
    {"chkShowFolders", "ShowFolders", true, &OptionValues::ShowFolders},
    {"chkForceIndex", "ForceIndex", false, &OptionValues::ForceIndex},
    {"chkResultsLimit", "ResultsLimit", false, &OptionValues::ResultsLimit},
};

QString daysBack(int days)
{
    const QDate date = QDate::currentDate().addDays(-days);
    return QString::asprintf("%02d/%02d/%04d", date.month(), date.day(), date.year());
}

// The full toolbar shows every command, picture and caption; the compact one the last three.
void checkToolbar(bool full)
{
    for (const char* command : {"Open", "Rename", "Properties", "Delete", "Hide", "Exit", "Help"}) {
        const bool shown = full || QString("Hide Exit Help").contains(command);
        QVERIFY2(H::control(qPrintable(QString("cmd") + command))->isVisible() == shown &&
                     H::control(qPrintable(QString("lbl") + command))->isVisible() == shown,
                 command);
    }
}

} // namespace

// The main window's pages, toolbars, keys, pickers, scopes, drive lists, exclusions and options.
class MainWindowPagesTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string first_, usb_, cd_, share_, second_;

    void load() { harness_.load({{first_, HardDisk}, {share_, NetworkDrive}}); }
    frmSearch& loadAll()
    {
        return harness_.load({{first_, HardDisk},
                              {usb_, RemovableMedia},
                              {cd_, OpticalDrive},
                              {share_, NetworkDrive},
                              {second_, HardDisk}});
    }

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
        frmSearch& window = loadAll();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void init() { frmSearch::instance().lblTabs_Click(1); }

    void eachTabShowsItsPageAndTheToolbarItsRowsAsk()
    {
        const char* const pages[] = {"fraSearch", "fraAdvanced", "fraOptions", "fraResults"};
        for (int tab : {2, 3, 4, 1, 1}) {
            H::click(qPrintable(QStringLiteral("lblTabs_%1").arg(tab)));
            for (int page = 1; page <= 4; ++page)
                QCOMPARE(H::control(pages[page - 1])->isVisible(), page == tab);
            checkToolbar(false);
        }
        // Results with rows show the full toolbar, until another page.
        ResultsModel& rows = H::results();
        rows.appendRows({ResultRow{"found.txt", "/tmp/"}});
        H::click("lblTabs_4");
        checkToolbar(true);
        H::click("lblTabs_3");
        checkToolbar(false);
        frmSearch::instance().lblTabs_Click(7); // no such page: nothing changes
        QVERIFY(H::control("fraOptions")->isVisible());
        rows.clear();
        H::click("lblTabs_1");
    }

    // Every caption fits its box and every control lies inside its page.
    void noTextIsCutOff()
    {
        for (QWidget* control : frmSearch::instance().findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
                if (label->wordWrap())
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
                else
                    QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
            }
            if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control))
                QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
            const QWidget* parent = control->parentWidget();
            if (!name.isEmpty() && parent && parent->objectName().startsWith("fra"))
                QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(name));
        }
    }

    void enterRunsTheSearchOnlyInTheListedControls()
    {
        const std::tuple<int, bool, const char*> controls[] = {
            {1, true,
             "pctTabs txtSearchFileName cmdSearchFileType txtSearchToDate cmbSearchSize chkSearchInsideFiles "
             "txtSearchInFiles optSearchThisFolder txtDrives cmbDrives dirSearchFolder"},
            {1, false, "optSearchType_1 lstAllDrives"},
            {2, false, "txtSearchInsideTheseFileTypes chkShowFolders lstExcludeFolders"},
            {3, false, "txtHours chkAutoStart lstIndexDrives"}};
        QSignalSpy searched(&frmSearch::instance(), &frmSearch::searchRequested);
        for (const auto& [page, searches, names] : controls) {
            for (const QString& name : QString(names).split(' ')) {
                frmSearch::instance().lblTabs_Click(page);
                searched.clear();
                H::pressEnter(qPrintable(name));
                QVERIFY2(searched.count() == (searches ? 1 : 0), qPrintable(name));
            }
        }
        H::click("cmdSearch");
        QCOMPARE(searched.count(), 1);
    }

    // The arrow opens the list, again closes it; a choice fills the box and moves the focus as designed.
    void choosingCopiesTheEntryAndMovesTheFocus()
    {
        const std::tuple<int, const char*, const char*, const char*, QString, const char*> pickers[] = {
            {1, "cmdSearchFileType", "lstSearchFileType", "txtSearchFileType", "jpeg", nullptr},
            {1, "cmbSearchFromDate", "lstSearchFromDate", "txtSearchFromDate", daysBack(3),
             "txtSearchFromDate"},
            {1, "cmbSearchToDate", "lstSearchToDate", "txtSearchToDate", daysBack(52), "txtSearchToDate"},
            {1, "cmbSearchSize", "lstSearchFileSize", "txtSearchFileSize", "Small (Less than 100 KB)",
             "chkSearchInsideFiles"},
            {3, "cmbHours", "lstHours", "txtHours", "12", nullptr},
        };
        QCOMPARE(H::text("txtSearchFromDate") + H::text("txtSearchToDate") + H::text("txtSearchFileSize") +
                     "|" + H::text("txtSearchFileType"),
                 QString("AnyAnyAny|"));
        for (const auto& [page, arrow, list, box, entry, focus] : pickers) {
            frmSearch::instance().lblTabs_Click(page);
            const QString before = H::text(box);
            H::click(arrow);
            QVERIFY2(H::control(list)->isVisible() && H::control(list)->hasFocus(), list);
            H::click(arrow);
            QVERIFY(!H::control(list)->isVisible());
            QCOMPARE(H::text(box), before);
            H::click(arrow);
            H::clickEntry(list, entry);
            QVERIFY(!H::control(list)->isVisible());
            QCOMPARE(H::text(box), entry);
            if (focus)
                QCOMPARE(QApplication::focusWidget(), H::control(focus));
        }
        QCOMPARE(harness_.stored("Settings", "ReIndex"), std::string("12"));
        // Keys choose too, leaving the list hides it, and the size is never typed.
        frmSearch::instance().lblTabs_Click(1);
        H::click("cmbSearchSize");
        QTest::keyClick(H::control("lstSearchFileSize"), Qt::Key_Down);
        H::click("cmbSearchSize");
        QTest::mouseClick(H::control("txtSearchFileName"), Qt::LeftButton);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        QTest::keyClicks(H::control("txtSearchFileSize"), "02/30/2001");
        QCOMPARE(H::text("txtSearchFileSize"), QString("Medium (Less than 1 MB)"));
    }

    void scopeButtonsEnableTheirControls()
    {
        for (const auto& [option, drives] :
             {std::pair{"optSearchThisFolder", false}, {"optSearchTheseDrives", true}}) {
            H::click("cmbDrives"); // opens the list where the arrow is enabled
            H::click(option);
            QCOMPARE(H::control("lstAllDrives")->isEnabled(), drives);
            for (const char* folderControl : {"cmbDrives", "lstDrives", "dirSearchFolder"})
                QCOMPARE(H::control(folderControl)->isEnabled(), !drives);
            QVERIFY(!H::control("lstDrives")->isVisible());
            QVERIFY(H::control<QAbstractButton>("optSearchType_0")->isChecked()); // a separate choice
        }
    }
    // The request holds what the page shows (name, type, match, case, folder: the window search test).
    void theRequestHoldsWhatThePageShows()
    {
        loadAll();
        auto* drives = H::control<QTreeWidget>("lstAllDrives");
        drives->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        drives->topLevelItem(1)->setCheckState(0, Qt::Checked);
        H::type("txtSearchFileName", "  Über Report.DOC ");
        H::type("txtSearchFromDate", "02/30/2001");
        H::type("txtSearchToDate", "any");
        H::click("cmbSearchSize");
        H::clickEntry("lstSearchFileSize", "Small (Less than 100 KB)");
        H::type("txtSearchInFiles", "x"); // locked until checked
        QCOMPARE(H::text("txtSearchInFiles"), QString());
        H::click("chkSearchInsideFiles");
        H::type("txtSearchInFiles", "needle");
        SearchCriteria request;
        frmSearch::instance().fillCriteria(request);
        QCOMPARE(request.drives, (std::vector{usb_, second_}));
        QCOMPARE(request.name + "|" + request.fromDateText + "|" + request.toDateText + "|" +
                     request.sizeText + "|" + request.insideText + "|" +
                     std::to_string(request.searchInsideChecked),
                 std::string("  Über Report.DOC |02/30/2001|any|Small (Less than 100 KB)|needle|1"));
        // An old text never outlives the check mark.
        H::click("chkSearchInsideFiles");
        H::click("chkSearchInsideFiles");
        QCOMPARE(H::text("txtSearchInFiles"), QString());
    }
    void listsShowEachDriveOfItsKind()
    {
        loadAll();
        H::click("optSearchThisFolder");
        QCOMPARE(rows("lstAllDrives"),
                 QStringList({"[x] " + q(first_) + " | Hard Disk", "[ ] " + q(usb_) + " | Removable Media",
                              "[ ] " + q(cd_) + " | CD/DVD Drive", "[ ] " + q(share_) + " | Network Drive",
                              "[x] " + q(second_) + " | Hard Disk"}));
        QCOMPARE(rows("lstIndexDrives"),
                 QStringList({"[x] " + q(first_) + " | Hard Disk", "[ ] " + q(share_) + " | Network Drive",
                              "[x] " + q(second_) + " | Hard Disk"}));
        // Both folder choosers start on the first hard disk; the tree lists folders, hidden ones too.
        QCOMPARE(H::text("txtDrives") + H::control<FolderTree>("dirExcludeAdd")->folderPath(),
                 q(first_) + q(first_));
        H::clickFolder("dirSearchFolder", ".hidden");
        QCOMPARE(H::clickFolder("dirSearchFolder", "projects"), 2);
        QCOMPARE(H::control<FolderTree>("dirSearchFolder")->folderPath(), q(first_) + "projects/");
        // An unreadable drive is refused; the exclusion picker falls back to the
        // first hard disk after the catalogue's first drive, and its tree follows.
        frmSearch::instance().lblTabs_Click(2);
        chooseDrive("cmbExcludeAdd", "lstExcludeAdd", cd_, "CD/DVD Drive");
        QVERIFY(toldUnavailable());
        QCOMPARE(H::text("txtExcludeAdd") + "|" + H::control<FolderTree>("dirExcludeAdd")->folderPath(),
                 q(second_) + "|" + q(second_));
    }

    // No fallback: the box keeps what it showed; an open tree's folders vanishing (an unmount) is survived.
    void withoutAFallbackOrItsFoldersTheBoxCopes()
    {
        const std::string gone = harness_.root("gone");
        harness_.drives.dir("gone/a/b");
        harness_.load({{gone, HardDisk}, {cd_, OpticalDrive}, {usb_, RemovableMedia}});
        H::click("optSearchThisFolder");
        FolderTree* folders = H::control<FolderTree>("dirSearchFolder");
        // The model fills in the background: an index taken before may be gone.
        QTRY_COMPARE(folders->model()->rowCount(folders->model()->index(0, 0, folders->rootIndex())), 1);
        chooseDrive("cmbDrives", "lstDrives", cd_, "CD/DVD Drive");
        QVERIFY(toldUnavailable());
        QCOMPARE(H::text("txtDrives") + folders->folderPath(), q(gone) + q(gone));
        harness_.drives.remove("gone");
        QTest::qWait(200);
        QVERIFY(!folders->folderPath().isEmpty());
        chooseDrive("cmbDrives", "lstDrives", usb_, "Removable Media");
        QCOMPARE(H::text("txtDrives") + "|" + folders->folderPath(),
                 q(usb_) + "   (Removable Media)|" + q(usb_));
    }

    // Excluded folders: rows shown newest first, the setting in order of adding, what the search skips.
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
    }

    void eachControlWritesItsSettingAtOnceAndTheNextLoadShowsIt()
    {
        harness_.config.remove("Zephrix"); // a fresh profile
        load();
        QCOMPARE(harness_.stored("Settings", "AutoStart"), std::string("<none>")); // loading wrote nothing
        QCOMPARE(ticks(), QString("10")); // hard disks are maintained, network drives not
        QCOMPARE(H::text("txtHours"), QString("3"));
        for (const auto& [box, key, freshProfile, value] : Boxes) {
            QVERIFY2(H::control<QAbstractButton>(box)->isChecked() == freshProfile, box);
            frmSearch::instance().lblTabs_Click(
                H::control(box)->parentWidget()->objectName() == "fraOptions" ? 3 : 2);
            H::click(box);
            QCOMPARE(harness_.stored("Settings", key), std::string(freshProfile ? "0" : "1"));
            if (value)
                QCOMPARE(moduleOptions().*value, freshProfile ? 0 : 1);
        }
        frmSearch::instance().lblTabs_Click(3);
        QVERIFY(H::control<QAbstractButton>("optCopyMove_0")->isChecked());
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
        frmSearch::instance().lblTabs_Click(2);
        auto* types = H::control<QLineEdit>("txtSearchInsideTheseFileTypes");
        QCOMPARE(types->text(), QString("txt doc html asp rtf"));
        types->end(false);
        QTest::keyClicks(types, " md");
        QCOMPARE(moduleOptions().SearchInsideTypes, std::string("txt doc html asp rtf md"));
        QTest::keyClick(types, Qt::Key_Backspace);
        QCOMPARE(harness_.stored("Settings", "SearchInside"), std::string("txt doc html asp rtf m"));

        load();
        for (const auto& [box, key, freshProfile, value] : Boxes)
            QVERIFY2(H::control<QAbstractButton>(box)->isChecked() != freshProfile, box);
        QVERIFY(H::control<QAbstractButton>("optCopyMove_1")->isChecked());
        QCOMPARE(H::text("txtSearchInsideTheseFileTypes"), QString("txt doc html asp rtf m"));
        QCOMPARE(ticks(), QString("01"));
    }

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

QTEST_MAIN(MainWindowPagesTest)
#include "MainWindowPagesTest.moc"
