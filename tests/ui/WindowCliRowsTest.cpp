#include <QAbstractButton>
#include <QProcess>

#include "MainWindowHarness.h"
#include "ui/FolderTree.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

// zephrix-cli's rows in the form of H::rowTexts(): its six tab-separated
// cells (name, folder, type, size with digit grouping, created, modified).
std::vector<std::string> cliRows(const QStringList& arguments, QString* errors)
{
    QProcess cli;
    cli.start(ZEPHRIX_CLI_PATH, arguments);
    if (!cli.waitForFinished(30000) || cli.exitCode() != 0)
        *errors = QString("exit %1: ").arg(cli.exitCode()) + cli.readAllStandardError();
    std::vector<std::string> rows;
    for (const QByteArray& line : cli.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> cells = line.split('\t');
        if (cells.size() != 6)
            continue;
        std::string size;
        for (char c : cells[3])
            if (c >= '0' && c <= '9')
                size += c;
        const bool folder = cells[2].isEmpty() && cells[3].isEmpty() && cells[4].isEmpty();
        rows.push_back(cells[1].toStdString() + cells[0].toStdString() + (folder ? "/" : "") + "|" + size +
                       "|" + cells[4].toStdString() + "|" + cells[5].toStdString());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

// The window and the command line are two front ends over one engine: for
// the same request over the same tree they list the same rows, cell for cell.
class WindowCliRowsTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string indexes_;
    std::string disk_;

  private slots:
    void initTestCase()
    {
        indexes_ = harness_.useOwnIndexes();
        disk_ = harness_.plantDrive("disk", H::sampleFiles());
        harness_.drives.sizedFile("disk/notes/REPORT.MD", 70000);
        harness_.drives.sizedFile("disk/photos/img report.jpg", 3);
        harness_.drives.touch("disk/notes/other.md", 1109668500); // 2005-03-01 09:15 UTC
        harness_.load({{disk_, HardDisk}});
    }

    void sameRequestSameRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("match");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QString>("folder"); // relative to the drive; empty: the drive
        QTest::newRow("contains") << "report"
                                  << "" << 0 << false << "";
        QTest::newRow("contains, case") << "REPORT"
                                        << "" << 0 << true << "";
        QTest::newRow("type") << ""
                              << "md" << 0 << false << "";
        QTest::newRow("starts with") << "report"
                                     << "txt" << 2 << false << "";
        QTest::newRow("exactly") << "other"
                                 << "md" << 1 << false << "";
        QTest::newRow("ends with") << "2024"
                                   << "" << 3 << false << "";
        QTest::newRow("a folder") << ""
                                  << "md" << 0 << false << "notes";
    }
    void sameRequestSameRows()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(int, match);
        QFETCH(bool, caseSensitive);
        QFETCH(QString, folder);
        QStringList cli = {"--indexes", QString::fromStdString(indexes_), "search", "--no-settings",
                           "--drive",   QString::fromStdString(disk_)};
        const char* const matches[] = {"contains", "exactly", "starts", "ends"};
        cli << "--match" << matches[match];
        if (!name.isEmpty())
            cli << "--name" << name;
        if (!type.isEmpty())
            cli << "--type" << type;
        if (caseSensitive)
            cli << "--case";

        H::type("txtSearchFileType", type);
        H::click(qPrintable(QStringLiteral("optSearchType_%1").arg(match)));
        if (caseSensitive)
            H::click("chkSearchCaseSensative");
        if (!folder.isEmpty()) {
            const QString path = QString::fromStdString(disk_) + folder;
            cli << "--folder" << path;
            H::click("optSearchThisFolder");
            QVERIFY(H::control<FolderTree>("dirSearchFolder")->setFolderPath(path));
        }
        QVERIFY(H::searchFor(name));
        const std::vector<std::string> window = H::rowTexts();
        H::click("optSearchType_0");
        H::click("optSearchTheseDrives");
        if (caseSensitive)
            H::click("chkSearchCaseSensative");

        QString errors;
        const std::vector<std::string> command = cliRows(cli, &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        QVERIFY(!window.empty());
        QCOMPARE(window, command);
    }
};

QTEST_MAIN(WindowCliRowsTest)
#include "WindowCliRowsTest.moc"
