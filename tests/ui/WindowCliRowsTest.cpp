#include <QProcess>

#include "MainWindowHarness.h"
#include "ui/FolderTree.h"

using namespace zephrix;
using H = test::MainWindowHarness;

// The window and the command line are two front ends over one engine: for
// the same request over the same tree they list the same rows, cell for cell.
class WindowCliRowsTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string indexes_;
    std::string disk_;

    // zephrix-cli's rows in the form of H::rowTexts(); its cells are name,
    // folder, type, size with digit grouping, created, modified.
    static std::vector<std::string> cliRows(const QStringList& arguments)
    {
        QProcess cli;
        cli.start(ZEPHRIX_CLI_PATH, arguments);
        if (!cli.waitForFinished(30000) || cli.exitCode() != 0)
            qWarning() << "zephrix-cli:" << cli.exitCode() << cli.readAllStandardError();
        std::vector<std::string> rows;
        for (const QByteArray& line : cli.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> cells = line.split('\t');
            if (cells.size() != 6)
                continue;
            const bool folder = cells[2].isEmpty() && cells[4].isEmpty();
            const QByteArray size = QByteArray(cells[3]).replace(',', "").replace('.', "").replace(' ', "");
            rows.push_back(
                (cells[1] + cells[0] + (folder ? "/" : "") + "|" + size + "|" + cells[4] + "|" + cells[5])
                    .toStdString());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

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

    void sameRequestSameRows()
    {
        struct Request {
            QString name, type;
            int match; // Contains, Exactly, Starts With, Ends With
            bool caseSensitive;
            QString folder; // in the drive; empty: the whole drive
        };
        const Request requests[] = {{"report", "", 0, false, ""},  {"REPORT", "", 0, true, ""},
                                    {"", "md", 0, false, ""},      {"report", "txt", 2, false, ""},
                                    {"other", "md", 1, false, ""}, {"2024", "", 3, false, ""},
                                    {"", "md", 0, false, "notes"}};
        const char* const matches[] = {"contains", "exactly", "starts", "ends"};
        for (const auto& [name, type, match, caseSensitive, folder] : requests) {
            QStringList cli = {"--indexes", QString::fromStdString(indexes_),
                               "search",    "--no-settings",
                               "--drive",   QString::fromStdString(disk_),
                               "--match",   matches[match],
                               "--name",    name,
                               "--type",    type};
            H::type("txtSearchFileType", type);
            H::click(qPrintable(QStringLiteral("optSearchType_%1").arg(match)));
            if (caseSensitive) {
                cli << "--case";
                H::click("chkSearchCaseSensative");
            }
            if (!folder.isEmpty()) {
                cli << "--folder" << QString::fromStdString(disk_) + folder;
                H::click("optSearchThisFolder");
                QVERIFY(H::control<FolderTree>("dirSearchFolder")
                            ->setFolderPath(QString::fromStdString(disk_) + folder));
            }
            QVERIFY(H::searchFor(name));
            const std::vector<std::string> window = H::rowTexts();
            H::click("optSearchTheseDrives");
            if (caseSensitive)
                H::click("chkSearchCaseSensative");
            QVERIFY2(!window.empty() && window == cliRows(cli), qPrintable(name + "." + type));
        }
    }
};

QTEST_MAIN(WindowCliRowsTest)
#include "WindowCliRowsTest.moc"
