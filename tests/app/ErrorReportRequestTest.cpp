#include <gtest/gtest.h>

#include <QUrlQuery>
#include <string>
#include <vector>

#include "CoreApplication.h"
#include "app/ErrorReport.h"
#include "app/ErrorReportRequest.h"
#include "support/LoopbackHttpServer.h"

namespace {

using namespace zephrix;
using test::LoopbackHttpServer;
using Behaviour = LoopbackHttpServer::Behaviour;

const Version Version105{1, 0, 5};
const ErrorReportFields ThreeWords{91, 6024, "Object variable missing"};
const QString Page = "/products/errorreport.asp";

struct UrlCase {
    const char* label;
    ErrorReportFields fields;
    const char* query; // as sent, fully encoded
};

TEST(ErrorReportUrl, EveryQueryValueIsPercentEncoded)
{
    const std::vector<UrlCase> cases = {
        {"three words", ThreeWords,
         "application=Zephrix105&errorlocation=6024&errornumber=91"
         "&errordescription=Object%20variable%20missing"},
        {"negative number",
         {-2147024891, 11053, "Access is denied. - /"},
         "application=Zephrix105&errorlocation=11053&errornumber=-2147024891"
         "&errordescription=Access%20is%20denied.%20-%20%2F"},
        {"injected keys",
         {5, 7139, "x&errornumber=0&extra=1#frag"},
         "application=Zephrix105&errorlocation=7139&errornumber=5"
         "&errordescription=x%26errornumber%3D0%26extra%3D1%23frag"},
        {"plus and percent",
         {13, 6023, "100% + 1"},
         "application=Zephrix105&errorlocation=6023&errornumber=13"
         "&errordescription=100%25%20%2B%201"},
        {"non-ASCII",
         {2, 11054, "Grüße Position: 3"},
         "application=Zephrix105&errorlocation=11054&errornumber=2"
         "&errordescription=Gr%C3%BC%C3%9Fe%20Position%3A%203"},
        {"empty description",
         {0, 1001, ""},
         "application=Zephrix105&errorlocation=1001&errornumber=0&errordescription="},
    };
    for (const auto& c : cases) {
        const QUrl url = errorReportUrl("http://errors.example.invalid" + Page, Version105, c.fields);
        ASSERT_TRUE(url.isValid()) << c.label << ": " << url.errorString().toStdString();
        EXPECT_EQ(url.path().toStdString(), Page.toStdString()) << c.label;
        EXPECT_EQ(url.query(QUrl::FullyEncoded).toStdString(), c.query) << c.label;

        // A server decoding the query finds exactly the four keys and the
        // description as it was.
        const QUrlQuery query(url);
        EXPECT_EQ(query.queryItems().size(), 4) << c.label;
        EXPECT_EQ(query.queryItemValue("errordescription", QUrl::FullyDecoded).toStdString(),
                  c.fields.ErrorDescription)
            << c.label;
    }
}

TEST(ErrorReportUrl, RetryAnswerNamesTheNextAddress)
{
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {"RETRY|http://backup.example/report.asp", "http://backup.example/report.asp"},
        {"RETRY|http://backup.example/r.asp\r\n", "http://backup.example/r.asp"},
        {"RETRY|x", "x"},
        {"RETRY|", ""},
        {"RETRY", ""},
        {"retry|http://backup.example/", ""},
        {" RETRY|http://backup.example/", ""},
        {"OK", ""},
        {"", ""},
    };
    for (const auto& [answer, address] : cases)
        EXPECT_EQ(retryAddress(answer), address) << answer.toStdString();
}

class ErrorReportSendTest : public ::testing::Test {
  protected:
    // The server below needs the event loop before it is constructed.
    static void SetUpTestSuite() { test::coreApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(server_.listening());
        qputenv("ZEPHRIX_REPORT_URL", server_.address().toUtf8());
    }
    void TearDown() override { qunsetenv("ZEPHRIX_REPORT_URL"); }

    // What the server saw, after giving any stray second request a chance.
    QStringList settledRequests(LoopbackHttpServer& server)
    {
        server.waitForRequests(server.requestLines().size() + 1, 300);
        return server.requestLines();
    }

    LoopbackHttpServer server_;
};

const char* const ReportLine = "GET /products/errorreport.asp?application=Zephrix105&errorlocation=6024"
                               "&errornumber=91&errordescription=Object%20variable%20missing HTTP/1.1";

TEST_F(ErrorReportSendTest, RetryAnswerSendsOnceMoreToTheNewAddress)
{
    LoopbackHttpServer second;
    second.answer("RETRY|" + server_.address().toUtf8() + "/third");
    server_.answer("RETRY|" + second.address().toUtf8() + "/errors/report.asp\r\n");

    EXPECT_EQ(sendErrorReport(ThreeWords, Version105), 2);
    EXPECT_EQ(settledRequests(server_), QStringList{ReportLine}) << "the second answer is not followed";
    EXPECT_EQ(second.requestLines(),
              QStringList{"GET /errors/report.asp?application=Zephrix105&errorlocation=6024"
                          "&errornumber=91&errordescription=Object%20variable%20missing HTTP/1.1"});
}

TEST_F(ErrorReportSendTest, AnswersThatEndTheExchange)
{
    const std::vector<QByteArray> answers = {
        "RETRY|", "OK", "", "RETRY", "retry|" + server_.address().toUtf8(), "RETRY|file:///etc/passwd"};
    for (const auto& answer : answers) {
        LoopbackHttpServer server;
        server.answer(answer);
        qputenv("ZEPHRIX_REPORT_URL", server.address().toUtf8());
        EXPECT_EQ(sendErrorReport(ThreeWords, Version105), 1) << answer.toStdString();
        EXPECT_EQ(settledRequests(server).size(), 1) << answer.toStdString();
    }
}

TEST_F(ErrorReportSendTest, FailedExchangesEndQuietly)
{
    const QByteArray refusing = "http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::refusingPort());
    struct Case {
        const char* what;
        QList<LoopbackHttpServer::Step> script; // empty: the report goes where nothing listens
        int answered;
        bool retriedOnce; // the client may send a broken exchange's request again
    } cases[] = {
        {"refused", {}, 0, false},
        {"retry to a refusing address", {{Behaviour::Answer, "RETRY|" + refusing + "/x"}}, 1, false},
        {"garbage", {{Behaviour::Garbage, {}}}, 0, true},
        // The real time-out: the call must come back on its own.
        {"time-out", {{Behaviour::Silent, {}}}, 0, false},
    };
    for (const auto& c : cases) {
        LoopbackHttpServer server;
        server.script(c.script);
        qputenv("ZEPHRIX_REPORT_URL", c.script.isEmpty() ? refusing : server.address().toUtf8());
        EXPECT_EQ(sendErrorReport(ThreeWords, Version105), c.answered) << c.what;
        if (c.script.isEmpty())
            continue;
        EXPECT_EQ(server.requestLines().value(0), ReportLine) << c.what;
        if (!c.retriedOnce) {
            EXPECT_EQ(server.requestLines().size(), 1) << c.what;
        }
    }
}

} // namespace
