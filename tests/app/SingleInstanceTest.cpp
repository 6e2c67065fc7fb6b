#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <memory>
#include <vector>

#include "CoreApplication.h"
#include "support/TempTree.h"

// The real zephrix started again for the same user and indexes, as menus, shortcuts and log-on do.
namespace {

class SingleInstanceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { zephrix::test::coreApplication(); }
    void TearDown() override
    {
        for (auto& program : programs_) {
            program->kill();
            program->waitForFinished(5000);
        }
    }

    QProcess& start(const QStringList& arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", home_.at("config")},
                                          {"XDG_RUNTIME_DIR", runtime_.path()},
                                          {"ZEPHRIX_DATA_DIR", home_.at("data")},
                                          {"ZEPHRIX_TEST_EVENT_LOG", home_.at("events")}})
            env.insert(name, QString::fromStdString(value));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        auto& program = programs_.emplace_back(std::make_unique<QProcess>());
        program->setProcessEnvironment(env);
        program->start(ZEPHRIX_GUI_PATH, arguments);
        program->waitForStarted(10000);
        return *program;
    }
    // Exit code of a launch that must end by itself; -1 when it does not.
    int run(const QStringList& arguments)
    {
        QProcess& program = start(arguments);
        return program.waitForFinished(15000) && program.exitStatus() == QProcess::NormalExit
                   ? program.exitCode()
                   : -1;
    }
    int count(const QString& event) const
    {
        QFile log(QString::fromStdString(home_.at("events")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n').count(event) : 0;
    }
    // Waits until the log holds `times` lines reading `event`.
    bool waitFor(const QString& event, int times)
    {
        for (QDeadlineTimer deadline(30000); count(event) < times; QThread::msleep(50))
            if (deadline.hasExpired())
                return false;
        return true;
    }

    zephrix::test::TempTree home_, runtime_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

// Two started together make one instance; later launches, whatever their switch, show it and end;
// once it is killed, what it left does not stop the next one.
TEST_F(SingleInstanceTest, OneProgramPerUserAndItsIndexes)
{
    QProcess& a = start();
    QProcess& b = start();
    ASSERT_TRUE(waitFor("shown", 1));
    for (QDeadlineTimer deadline(15000); !a.waitForFinished(50) && !b.waitForFinished(50);)
        ASSERT_FALSE(deadline.hasExpired()) << "neither launch ended";
    QProcess& first = a.state() == QProcess::Running ? a : b;
    EXPECT_EQ((&first == &a ? b : a).exitCode(), 0);
    ASSERT_EQ(first.state(), QProcess::Running);
    int shown = 1;
    for (const QStringList& arguments : {QStringList{}, {"/startup"}, {"--show"}}) {
        EXPECT_EQ(run(arguments), 0) << arguments.join(' ').toStdString();
        EXPECT_TRUE(waitFor("shown", ++shown)) << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(count("listening"), 1);

    ::kill(pid_t(first.processId()), SIGKILL);
    first.waitForFinished(5000);
    QProcess& next = start({"--show"});
    ASSERT_TRUE(waitFor("listening", 2));
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(waitFor("shown", ++shown));
    EXPECT_EQ(next.state(), QProcess::Running);
}

} // namespace
