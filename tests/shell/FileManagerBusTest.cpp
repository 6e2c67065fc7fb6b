#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QLabel>
#include <QProcess>
#include <QTest>

#include "results/DesktopResultsOperations.h"
#include "shell/StandIns.h"
#include "support/TempTree.h"
#include "ui/frmProperties.h"

using namespace zephrix;

namespace {

constexpr char Service[] = "org.freedesktop.FileManager1";

// A file manager of the test's own on the private bus: it records each call
// and answers it, or with `silent` never answers.
class StandInFileManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
  public:
    QStringList calls;
    bool silent = false;

  public slots:
    void ShowFolders(const QStringList& uris, const QString&) { record("ShowFolders", uris); }
    void ShowItemProperties(const QStringList& uris, const QString&) { record("ShowItemProperties", uris); }

  private:
    void record(const QString& method, const QStringList& uris)
    {
        calls << method + " " + uris.join(' ');
        if (silent)
            setDelayedReply(true); // and no reply ever follows
    }
};

} // namespace

class FileManagerBusTest : public QObject {
    Q_OBJECT
    QProcess bus_;
    StandInFileManager fileManager_;
    test::TempTree tree_;
    test::RecordingProgram opener_{"xdg-open"};
    // The folder's bytes as a file URI, written out by hand.
    QString folderUri_;

    QDBusConnection standInBus() { return QDBusConnection(QStringLiteral("stand-in")); }

  private slots:
    void initTestCase()
    {
        bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!bus_.waitForStarted() || !bus_.waitForReadyRead(10000))
            QSKIP("dbus-daemon is not installed (scripts/install-deps.sh installs it); the bus cases were "
                  "not run.");
        const QByteArray address = bus_.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLatin1(address), "stand-in");
        QVERIFY(bus.registerObject("/org/freedesktop/FileManager1", &fileManager_,
                                   QDBusConnection::ExportAllSlots));
        tree_.file("my folder\xff/notes.txt", "hello");
        tree_.chmod("my folder\xff/notes.txt", 0640);
        folderUri_ = "file://" + QString::fromStdString(tree_.path()) + "/my%20folder%FF";
    }
    void cleanupTestCase()
    {
        bus_.terminate();
        bus_.waitForFinished();
    }
    void init()
    {
        fileManager_.calls.clear();
        fileManager_.silent = false;
        standInBus().registerService(Service);
    }
    void cleanup() { frmProperties::instance().hide(); }

    void folderAndPropertiesGoToTheFileManager()
    {
        const test::PathPrefix path(opener_.folder());
        DesktopResultsOperations operations;
        const ResultRow folder{"my folder\xff", tree_.path() + "/", {}, {}, {}, {}, true};
        operations.openEntry(nullptr, folder);
        operations.showProperties(nullptr,
                                  {"notes.txt", tree_.at("my folder\xff/"), "txt", {}, {}, {}, false});
        QCOMPARE(fileManager_.calls, (QStringList{"ShowFolders " + folderUri_,
                                                  "ShowItemProperties " + folderUri_ + "/notes.txt"}));
        QVERIFY(!frmProperties::instance().isVisible());
        QVERIFY(opener_.arguments(200).empty());
    }

    // No file manager on the bus, or one that never answers: xdg-open opens
    // the folder and our own dialog shows the properties.
    void fallbacks_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::newRow("no file manager") << false;
        QTest::newRow("never answers") << true;
    }
    void fallbacks()
    {
        QFETCH(bool, registered);
        if (!registered)
            standInBus().unregisterService(Service);
        fileManager_.silent = true;
        const test::PathPrefix path(opener_.folder());
        DesktopResultsOperations operations(std::chrono::milliseconds(400));
        operations.openEntry(nullptr, {"my folder\xff", tree_.path() + "/", {}, {}, {}, {}, true});
        QCOMPARE(opener_.arguments(), (std::vector<std::string>{tree_.at("my folder\xff")}));

        operations.showProperties(nullptr,
                                  {"notes.txt", tree_.at("my folder\xff/"), "txt", {}, {}, {}, false});
        QCOMPARE(fileManager_.calls.size(), registered ? 2 : 0);
        frmProperties& dialog = frmProperties::instance();
        QVERIFY(dialog.isVisible());
        auto text = [&](const char* name) { return dialog.findChild<QLabel*>(name)->text(); };
        QCOMPARE(text("lblName"), QString("notes.txt"));
        QCOMPARE(text("lblLocation"), QString::fromUtf8(tree_.at("my folder\xff/")));
        QCOMPARE(text("lblSize"), QString("5 bytes"));
        QVERIFY2(text("lblType").endsWith("(text/plain)"), qPrintable(text("lblType")));
        QCOMPARE(text("lblPermissions"), QString("rw-r----- (0640)"));
        QVERIFY(!text("lblCreated").isEmpty() && !text("lblModified").isEmpty() &&
                !text("lblOwner").isEmpty());
    }
};

QTEST_MAIN(FileManagerBusTest)
#include "FileManagerBusTest.moc"
