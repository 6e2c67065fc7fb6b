#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include "MainWindowHarness.h"
#include "ui/FolderTree.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

QStringList entries(const char* list)
{
    QStringList all;
    auto* shown = H::control<QListWidget>(list);
    for (int row = 0; row < shown->count(); ++row)
        all << shown->item(row)->text();
    return all;
}

QString daysBack(int days)
{
    const QDate date = QDate::currentDate().addDays(-days);
    return QString::asprintf("%02d/%02d/%04d", date.month(), date.day(), date.year());
}

QString text(const char* box)
{
    return H::control<QLineEdit>(box)->text();
}

} // namespace

// The drop-down pickers of the Search and Options pages and the scope
// buttons, worked with the mouse and the keys.
class CriteriaPickersTest : public QObject {
    Q_OBJECT
    H harness_;

  private slots:
    void initTestCase()
    {
        frmSearch& window = harness_.load({{harness_.root("disk"), HardDisk}});
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void init() { frmSearch::instance().lblTabs_Click(1); }

    void listsAreFilledOnceAtLoad()
    {
        const QStringList dates = entries("lstSearchFromDate");
        QCOMPARE(dates.size(), 197);
        QCOMPARE(dates[0], QString("Any"));
        const std::pair<int, int> days[] = {{1, 0}, {2, 1}, {46, 45}, {47, 52}, {48, 59}, {196, 1095}};
        for (const auto& [entry, back] : days)
            QCOMPARE(dates[entry], daysBack(back));
        QCOMPARE(entries("lstSearchToDate"), dates);
        QCOMPARE(entries("lstSearchFileType"), QStringList({"txt", "com", "exe", "pct", "jpg", "jpeg", "gif",
                                                            "bmp", "doc", "rtf", "eml", "xls"}));
        QCOMPARE(entries("lstSearchFileSize"),
                 QStringList({"Any", "Small (Less than 100 KB)", "Medium (Less than 1 MB)",
                              "Large (More than 1 MB)"}));
        QStringList hours;
        for (int hour = 1; hour <= 24; ++hour)
            hours << QString::number(hour);
        QCOMPARE(entries("lstHours"), hours << "8");
        for (const char* box : {"txtSearchFromDate", "txtSearchToDate", "txtSearchFileSize"})
            QCOMPARE(text(box), QString("Any"));
        QCOMPARE(text("txtSearchFileType"), QString());
    }

    void choosingCopiesTheEntryAndMovesTheFocus_data()
    {
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("focus"); // empty: not prescribed
        QTest::newRow("type") << "cmdSearchFileType"
                              << "lstSearchFileType"
                              << "txtSearchFileType"
                              << "jpeg"
                              << "";
        QTest::newRow("from") << "cmbSearchFromDate"
                              << "lstSearchFromDate"
                              << "txtSearchFromDate" << daysBack(3) << "txtSearchFromDate";
        QTest::newRow("to") << "cmbSearchToDate"
                            << "lstSearchToDate"
                            << "txtSearchToDate" << daysBack(52) << "txtSearchToDate";
        QTest::newRow("size") << "cmbSearchSize"
                              << "lstSearchFileSize"
                              << "txtSearchFileSize"
                              << "Medium (Less than 1 MB)"
                              << "chkSearchInsideFiles";
    }

    void choosingCopiesTheEntryAndMovesTheFocus()
    {
        QFETCH(QString, arrow);
        QFETCH(QString, list);
        QFETCH(QString, box);
        QFETCH(QString, entry);
        QFETCH(QString, focus);
        QWidget* shown = H::control(qPrintable(list));
        const QString before = text(qPrintable(box));

        // The arrow opens the list in front, with the focus; again, it closes
        // it without a choice.
        H::click(qPrintable(arrow));
        QVERIFY(shown->isVisible());
        QVERIFY(shown->hasFocus());
        H::click(qPrintable(arrow));
        QVERIFY(!shown->isVisible());
        QCOMPARE(text(qPrintable(box)), before);

        H::click(qPrintable(arrow));
        H::clickEntry(qPrintable(list), entry);
        QVERIFY(!shown->isVisible());
        QCOMPARE(text(qPrintable(box)), entry);
        if (!focus.isEmpty())
            QCOMPARE(QApplication::focusWidget(), H::control(qPrintable(focus)));
    }

    void movingTheSelectionWithTheKeysChoosesToo()
    {
        H::click("cmbSearchSize");
        H::clickEntry("lstSearchFileSize", "Small (Less than 100 KB)");
        H::click("cmbSearchSize");
        QTest::keyClick(H::control("lstSearchFileSize"), Qt::Key_Down);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        QCOMPARE(text("txtSearchFileSize"), QString("Medium (Less than 1 MB)"));
    }

    void aListHidesWhenItLosesTheFocus()
    {
        H::click("cmbSearchSize");
        QVERIFY(H::control("lstSearchFileSize")->isVisible());
        QTest::mouseClick(H::control("txtSearchFileName"), Qt::LeftButton);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        QCOMPARE(text("txtSearchFileSize"), QString("Medium (Less than 1 MB)"));
    }

    void datesCanBeTypedButTheSizeCannot()
    {
        for (const char* box : {"txtSearchFromDate", "txtSearchFileSize"}) {
            H::control<QLineEdit>(box)->selectAll();
            QTest::keyClicks(H::control(box), "02/30/2001");
        }
        QCOMPARE(text("txtSearchFromDate"), QString("02/30/2001"));
        QCOMPARE(text("txtSearchFileSize"), QString("Medium (Less than 1 MB)"));
    }

    void scopeButtonsEnableTheirControls_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("drives");
        QTest::newRow("folder") << "optSearchThisFolder" << false;
        QTest::newRow("drives") << "optSearchTheseDrives" << true;
        QTest::newRow("folder again") << "optSearchThisFolder" << false;
    }

    void scopeButtonsEnableTheirControls()
    {
        QFETCH(QString, option);
        QFETCH(bool, drives);
        H::click("cmbDrives"); // opens the list where the arrow is enabled
        H::click(qPrintable(option));
        QCOMPARE(H::control("lstAllDrives")->isEnabled(), drives);
        for (const char* folderControl : {"cmbDrives", "lstDrives", "dirSearchFolder"})
            QCOMPARE(H::control(folderControl)->isEnabled(), !drives);
        QVERIFY(!H::control("lstDrives")->isVisible());
        // The scope and the name match are separate choices.
        QVERIFY(H::control<QAbstractButton>("optSearchType_0")->isChecked());
    }

    void choosingHoursWritesTheInterval()
    {
        frmSearch::instance().lblTabs_Click(3);
        H::click("cmbHours");
        H::clickEntry("lstHours", "12");
        QCOMPARE(text("txtHours"), QString("12"));
        QVERIFY(!H::control("lstHours")->isVisible());
        QCOMPARE(harness_.stored("Settings", "ReIndex"), std::string("12"));
    }
};

QTEST_MAIN(CriteriaPickersTest)
#include "CriteriaPickersTest.moc"
