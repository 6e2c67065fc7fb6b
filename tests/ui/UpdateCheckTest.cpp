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

Q_DECLARE_METATYPE(Steps)

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
    void cleanup()
    {
        if (frmNewRelease* notice = frmNewRelease::current())
            delete notice;
    }

    void answers_data()
    {
        QTest::addColumn<Steps>("script");
        QTest::addColumn<bool>("told");
        QTest::addColumn<QString>("notes");
        const Server::Step notes{Server::Behaviour::Answer, "<p>Faster & <b>safer</b></p>"};
        auto answer = [](const QByteArray& body) { return Server::Step{Server::Behaviour::Answer, body}; };
        QTest::newRow("newer revision")
            << Steps{answer("1.0.1"), notes} << true << "<p>Faster & <b>safer</b></p>";
        QTest::newRow("notes never come")
            << Steps{answer("2.0.0"), {Server::Behaviour::Silent, {}}} << true << "The latest version news.";
        QTest::newRow("same") << Steps{answer("1.0.0"), notes} << false << "";
        QTest::newRow("older") << Steps{answer("0.9.9"), notes} << false << "";
        QTest::newRow("six characters") << Steps{answer("10.0.0"), notes} << false << "";
        QTest::newRow("line break") << Steps{answer("1.1.\n"), notes} << false << "";
        QTest::newRow("letters") << Steps{answer("1.a.0"), notes} << false << "";
        QTest::newRow("garbage") << Steps{{Server::Behaviour::Garbage, {}}} << false << "";
        QTest::newRow("10 MB") << Steps{answer(QByteArray(10 << 20, '1'))} << false << "";
        QTest::newRow("never answers") << Steps{{Server::Behaviour::Silent, {}}} << false << "";
    }
    void answers()
    {
        QFETCH(Steps, script);
        QFETCH(bool, told);
        QFETCH(QString, notes);
        Server server;
        server.script(script);
        QCOMPARE(check(server.address()), told ? Message : QString());
        QCOMPARE(server.requestLines().value(0), QString("GET /products/zephrix/version.asp HTTP/1.1"));
        QCOMPARE(server.requestLines().contains("GET /products/zephrix/whatsnew.html HTTP/1.1"), told);
        frmNewRelease* notice = frmNewRelease::current();
        QCOMPARE(notice != nullptr, told);
        if (notice) {
            QVERIFY(notice->isVisible());
            QCOMPARE(notice->findChild<QPlainTextEdit*>("txtNewVersion")->toPlainText(), notes);
            QCOMPARE(notice->findChild<QWidget*>("cmd1")->toolTip(),
                     QString("Click here to close this message"));
            QTest::mouseClick(notice->findChild<QWidget*>("cmd1"), Qt::LeftButton);
            QTRY_VERIFY(frmNewRelease::current() == nullptr); // unloaded
        }
    }

    void refusedIsSilent()
    {
        QCOMPARE(check(QString("http://127.0.0.1:%1").arg(Server::refusingPort())), QString());
        QVERIFY(frmNewRelease::current() == nullptr);
    }

    // Compared as numbers: "10.10" is later than 10.9, which text order denies.
    void numbersNotText()
    {
        Server server;
        server.script({{Server::Behaviour::Answer, "10.10"}, {Server::Behaviour::Answer, "notes"}});
        QCOMPARE(check(server.address(), {10, 9, 0}), Message);
        server.script({{Server::Behaviour::Answer, "10.10"}});
        QCOMPARE(check(server.address(), {10, 11, 0}), QString());
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "UpdateCheckTest.moc"
