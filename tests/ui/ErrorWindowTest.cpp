#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/ErrorReport.h"
#include "app/Version.h"
#include "support/LoopbackHttpServer.h"
#include "ui/PictureButton.h"
#include "ui/frmErrors.h"

using namespace zephrix;
using test::LoopbackHttpServer;

namespace {

QString labelText(const char* name)
{
    return frmErrors::instance().findChild<QLabel*>(name)->text();
}

void click(const char* button)
{
    auto* target = frmErrors::instance().findChild<PictureButton*>(button);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton);
}

// Any top-level window on screen other than the report window itself, such
// as a message about the sending.
int otherVisibleWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->isVisible() && w != &frmErrors::instance();
    return count;
}

} // namespace

class ErrorWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installErrorWindow(); }
    void cleanup()
    {
        frmErrors::instance().hide();
        qunsetenv("ZEPHRIX_REPORT_URL");
    }

    void reportShowsTheFieldsWithoutWaiting()
    {
        ReportError(6024, 91, "Object variable not set");
        QVERIFY(frmErrors::instance().isVisible());
        QCOMPARE(labelText("lblErrorLocation"), QString("Error Location: 6024"));
        QCOMPARE(labelText("lblErrorNumber"), QString("Error Number: 91"));
        QCOMPARE(labelText("lblErrorDescription"), QString("Error Description: Object variable not set"));
        QVERIFY(labelText("Label1").startsWith(
            "We regret that an unexpected error has occured in our software.  "));
    }

    void secondReportWhileOpenShowsTheSecondValues()
    {
        ReportError(6023, 13, "Type mismatch");
        engineErrorReporter().reportError(11053, 2, "No such file or directory - /gone/");
        frmErrors::instance().activateWindow();
        QCOMPARE(labelText("lblErrorLocation"), QString("Error Location: 11053"));
        QCOMPARE(labelText("lblErrorNumber"), QString("Error Number: 2"));
        QCOMPARE(labelText("lblErrorDescription"),
                 QString("Error Description: No such file or directory - /gone/"));
    }

    void labelsFollowTheFieldsOnActivation()
    {
        ReportError(1, 2, "three");
        frmErrors& window = frmErrors::instance();
        window.ErrorLocation = 7139;
        window.ErrorNumber = -5;
        window.ErrorDescription = "Position: 13";
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &activate);
        QCOMPARE(labelText("lblErrorLocation"), QString("Error Location: 7139"));
        QCOMPARE(labelText("lblErrorNumber"), QString("Error Number: -5"));
        QCOMPARE(labelText("lblErrorDescription"), QString("Error Description: Position: 13"));
    }

    void sendReportRequestsTheEncodedUrlAndHides()
    {
        LoopbackHttpServer server;
        server.answer("OK");
        qputenv("ZEPHRIX_REPORT_URL", server.address().toUtf8());
        ReportError(6024, 91, "a & b = c");
        click("cmdSendError");
        QVERIFY(!frmErrors::instance().isVisible());
        const Version v = programVersion();
        const QString application = QStringLiteral("Zephrix%1%2%3").arg(v.major).arg(v.minor).arg(v.revision);
        QCOMPARE(server.requestLines(),
                 QStringList{
                     "GET /products/errorreport.asp?application=" + application +
                     "&errorlocation=6024&errornumber=91&errordescription=a%20%26%20b%20%3D%20c HTTP/1.1"});
        QCOMPARE(otherVisibleWindows(), 0);
    }

    // The window does the same whatever became of the request; the ways a
    // sending can fail are the report request's own tests.
    void failedSendingHidesWithoutAWord()
    {
        qputenv("ZEPHRIX_REPORT_URL",
                "http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::refusingPort()));
        ReportError(11054, 62, "Input past end of file Position: 4");
        click("cmdSendError");
        QVERIFY(!frmErrors::instance().isVisible());
        QCOMPARE(otherVisibleWindows(), 0);
    }

    void cancelHidesWithoutSending()
    {
        LoopbackHttpServer server;
        qputenv("ZEPHRIX_REPORT_URL", server.address().toUtf8());
        ReportError(6023, 13, "Type mismatch");
        click("cmdCancel");
        QVERIFY(!frmErrors::instance().isVisible());
        QVERIFY(!server.waitForRequests(1, 300));
    }
};

QTEST_MAIN(ErrorWindowTest)
#include "ErrorWindowTest.moc"
