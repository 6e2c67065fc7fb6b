#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <memory>
#include <vector>

#include "CoreApplication.h"
#include "support/TempTree.h"

// The real zephrix started more than once for the same user and indexes, as
// menu entries, shortcuts and the log-on entry start it.
namespace {

using zephrix::test::TempTree;

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
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(home_.at("config")));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.path()));
        env.insert("ZEPHRIX_DATA_DIR", QString::fromStdString(home_.at("data")));
        env.insert("ZEPHRIX_TEST_EVENT_LOG", QString::fromStdString(home_.at("events")));
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
        if (!program.waitForFinished(15000) || program.exitStatus() != QProcess::NormalExit)
            return -1;
        return program.exitCode();
    }

    QStringList events() const
    {
        QFile log(QString::fromStdString(home_.at("events")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    // Waits until the log holds count lines reading event.
    bool waitFor(const QString& event, int count)
    {
        QDeadlineTimer deadline(30000);
        while (events().count(event) < count) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    TempTree home_;
    TempTree runtime_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

TEST_F(SingleInstanceTest, LaterLaunchesShowTheRunningProgramAndEnd)
{
    QProcess& first = start();
    ASSERT_TRUE(waitFor("listening", 1));
    const QStringList launches[] = {{}, {"/startup"}, {"--show"}};
    int shown = 0;
    for (const QStringList& arguments : launches) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(run(arguments), 0);
        EXPECT_TRUE(waitFor("shown", ++shown));
    }
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(events().count("listening"), 1);
}

TEST_F(SingleInstanceTest, ProgramKilledLeavesNothingThatBlocksTheNextStart)
{
    QProcess& killed = start();
    ASSERT_TRUE(waitFor("listening", 1));
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished(5000);

    QProcess& next = start({"--show"});
    ASSERT_TRUE(waitFor("listening", 2));
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(waitFor("shown", 1));
    EXPECT_EQ(next.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, ProgramsStartedTogetherMakeOneInstance)
{
    QProcess& a = start();
    QProcess& b = start();
    ASSERT_TRUE(waitFor("shown", 1));
    QDeadlineTimer deadline(15000);
    while (!a.waitForFinished(50) && !b.waitForFinished(50) && !deadline.hasExpired()) {
    }
    QProcess& ended = a.state() == QProcess::Running ? b : a;
    QProcess& running = a.state() == QProcess::Running ? a : b;
    EXPECT_EQ(ended.exitCode(), 0);
    EXPECT_EQ(running.state(), QProcess::Running);
    EXPECT_EQ(events().count("listening"), 1);
}

} // namespace
