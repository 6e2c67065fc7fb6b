#include <gtest/gtest.h>

#include <QUrl>

#include "CoreApplication.h"
#include "app/ErrorReportRequest.h"
#include "support/LoopbackHttpServer.h"

namespace {

using namespace zephrix;
using test::LoopbackHttpServer;
using Behaviour = LoopbackHttpServer::Behaviour;

const Version Version105{1, 0, 5};
const ErrorReportFields ThreeWords{91, 6024, "Object variable missing"};
const char* const ReportLine = "GET /products/errorreport.asp?application=Zephrix105&errorlocation=6024"
                               "&errornumber=91&errordescription=Object%20variable%20missing HTTP/1.1";

// The report window's test sends blanks, '&' and '='; here what it leaves out.
TEST(ErrorReportUrl, EveryQueryValueIsPercentEncoded)
{
    const ErrorReportFields fields{5, 7139, "x&errornumber=0#frag 100% + 1 Grüße: 3/"};
    const QUrl url =
        errorReportUrl("http://errors.example.invalid/products/errorreport.asp", Version105, fields);
    EXPECT_EQ(
        url.path().toStdString() + "?" + url.query(QUrl::FullyEncoded).toStdString(),
        "/products/errorreport.asp?application=Zephrix105&errorlocation=7139&errornumber=5&errordescription="
        "x%26errornumber%3D0%23frag%20100%25%20%2B%201%20Gr%C3%BC%C3%9Fe%3A%203%2F");
}

// The whole exchange against a server of our own on 127.0.0.1.
class ErrorReportSend : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::coreApplication(); }
    void TearDown() override { qunsetenv("ZEPHRIX_REPORT_URL"); }
    // What a server saw, after giving a stray further request a chance.
    static QStringList settled(LoopbackHttpServer& server)
    {
        server.waitForRequests(server.requestLines().size() + 1, 300);
        return server.requestLines();
    }
};

TEST_F(ErrorReportSend, ARetryAnswerSendsOnceMoreToTheNewAddressOnly)
{
    LoopbackHttpServer first, second;
    second.answer("RETRY|" + first.address().toUtf8() + "/third");
    first.answer("RETRY|" + second.address().toUtf8() + "/errors/report.asp\r\n");
    qputenv("ZEPHRIX_REPORT_URL", first.address().toUtf8());
    EXPECT_EQ(sendErrorReport(ThreeWords, Version105), 2);
    EXPECT_EQ(settled(first), QStringList{ReportLine}) << "the second answer is not followed";
    EXPECT_EQ(second.requestLines(),
              QStringList{QString(ReportLine).replace("/products/errorreport.asp", "/errors/report.asp")});
}

// Every other answer ends the exchange, quietly when it failed. %1, the server's own address, shows a
// request wrongly sent on as a second one; the network library may resend a broken exchange's request.
TEST_F(ErrorReportSend, AnswersThatEndTheExchange)
{
    const QByteArray refusing = "http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::refusingPort());
    // clang-format off
    const QStringList answers = {"RETRY|", "OK", "", "RETRY", "retry|%1/x", " RETRY|%1/x", "RETRY %1/x",
        "OK RETRY|%1/x", "RETRY|file:///etc/passwd", "RETRY|" + refusing + "/x", "<refused>", "<garbage>", "<silent>"};
    // clang-format on
    for (const QString& answer : answers) {
        LoopbackHttpServer server;
        const Behaviour behaviour = answer == "<garbage>"  ? Behaviour::Garbage
                                    : answer == "<silent>" ? Behaviour::Silent // must come back on its own
                                                           : Behaviour::Answer;
        server.script({{behaviour, QString(answer).replace("%1", server.address()).toUtf8()}});
        qputenv("ZEPHRIX_REPORT_URL", answer == "<refused>" ? refusing : server.address().toUtf8());
        EXPECT_EQ(sendErrorReport(ThreeWords, Version105), answer.startsWith('<') ? 0 : 1)
            << answer.toStdString();
        const QStringList seen = settled(server);
        EXPECT_EQ(seen.value(0, ReportLine), ReportLine) << answer.toStdString();
        if (behaviour != Behaviour::Garbage)
            EXPECT_EQ(seen.size(), answer == "<refused>" ? 0 : 1) << answer.toStdString();
    }
}

} // namespace
