#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "app/UpdateCheck.h"
#include "shell/StandIns.h"
#include "support/LoopbackHttpServer.h"
#include "ui/frmNewRelease.h"

using namespace zephrix;
using Server = test::LoopbackHttpServer;
using Steps = QList<Server::Step>;

namespace {

// The site is the build's choice (a host under .invalid unless configured).
const QString Message = "I would just like to let you know that there is a new version of this software "
                        "available on our web site.  " +
                        publisherWebSite();

} // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

    // Runs the check against the server's script; returns the message the
    // user was shown (answering it), empty when none.
    QString check(const QString& address, const Version& own = {1, 0, 0})
    {
        qputenv("ZEPHRIX_UPDATE_URL", address.toUtf8());
        QString told;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (!frmMessages::instance().isVisible())
                return;
            told = test::shownMessage();
            QTest::mouseClick(frmMessages::instance().findChild<PictureButton*>("cmd2"), Qt::LeftButton);
        });
        answer.start(20);
        QLabel status;
        StartupUpdateNotice notice(&status);
        runUpdateCheck(notice, own, std::chrono::milliseconds(700));
        if (status.text() != "Checking for newer version")
            return "no status line";
        return told;
    }

  private slots:
    // Only a newer version, compared as numbers ("10.10" is later than 10.9,
    // which text order denies), brings up the message and then the notes.
    void onlyANewerVersionIsTold()
    {
        const Server::Step notes{Server::Behaviour::Answer, "<p>Faster & <b>safer</b></p>"};
        const Server::Step silent{Server::Behaviour::Silent, {}};
        const auto answer = [](const QByteArray& body) {
            return Server::Step{Server::Behaviour::Answer, body};
        };
        const std::tuple<const char*, Steps, Version, QString> cases[] = {
            // what, the server's script, our version, the notes shown ("": not told)
            {"newer revision", {answer("1.0.1"), notes}, {1, 0, 0}, "<p>Faster & <b>safer</b></p>"},
            {"notes never come", {answer("2.0.0"), silent}, {1, 0, 0}, "The latest version news."},
            {"numbers, not text", {answer("10.10"), notes}, {10, 9, 0}, "<p>Faster & <b>safer</b></p>"},
            {"older by number", {answer("10.10"), notes}, {10, 11, 0}, ""},
            {"same", {answer("1.0.0"), notes}, {1, 0, 0}, ""},
            {"older", {answer("0.9.9"), notes}, {1, 0, 0}, ""},
            {"six characters", {answer("10.0.0"), notes}, {1, 0, 0}, ""},
            {"line break", {answer("1.1.\n"), notes}, {1, 0, 0}, ""},
            {"letters", {answer("1.a.0"), notes}, {1, 0, 0}, ""},
            {"garbage", {{Server::Behaviour::Garbage, {}}}, {1, 0, 0}, ""},
            {"10 MB", {answer(QByteArray(10 << 20, '1'))}, {1, 0, 0}, ""},
            {"never answers", {silent}, {1, 0, 0}, ""},
            {"refused", {}, {1, 0, 0}, ""},
        };
        for (const auto& [what, script, own, notes] : cases) {
            Server server;
            server.script(script);
            const bool told = !notes.isEmpty();
            const QString address = script.isEmpty()
                                        ? QString("http://127.0.0.1:%1").arg(Server::refusingPort())
                                        : server.address();
            QVERIFY2(check(address, own) == (told ? Message : QString()), what);
            if (!script.isEmpty())
                QCOMPARE(server.requestLines().value(0),
                         QString("GET /products/zephrix/version.asp HTTP/1.1"));
            QCOMPARE(server.requestLines().contains("GET /products/zephrix/whatsnew.html HTTP/1.1"), told);
            frmNewRelease* notice = frmNewRelease::current();
            QVERIFY2((notice != nullptr) == told, what);
            if (notice) {
                QVERIFY(notice->isVisible());
                QCOMPARE(notice->findChild<QPlainTextEdit*>("txtNewVersion")->toPlainText(), notes);
                QTest::mouseClick(notice->findChild<QWidget*>("cmd1"), Qt::LeftButton);
                QTRY_VERIFY(frmNewRelease::current() == nullptr); // unloaded
            }
        }
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "UpdateCheckTest.moc"
