#pragma once
// zephrix-cli started as a shell would start it, stdin on /dev/null.
#include <QProcess>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/CoreApplication.h"
#include "support/TempTree.h"

namespace zephrix::clitest {

struct CliRun {
    int exitCode = -1; // -1: did not end normally
    std::string out, err;
};

struct CliCommand {
    std::vector<std::string> args;   // after the program's name
    std::string config;              // XDG_CONFIG_HOME
    std::string cwd;                 // empty: this process's
    std::vector<std::string> prefix; // words before the program, such as setpriv and its options
};

using CliProcess = std::unique_ptr<QProcess>;

inline CliProcess startCli(const CliCommand& command)
{
    test::coreApplication();
    QStringList words;
    for (const auto& word : command.prefix)
        words << QString::fromStdString(word);
    words << ZEPHRIX_CLI_PATH;
    for (const auto& word : command.args)
        words << QString::fromStdString(word);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(command.config));
    env.insert("LC_ALL", "C");
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(QString::fromStdString(command.cwd));
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(words.takeFirst(), words);
    process->waitForStarted();
    return process;
}

// Waits for the exit; a run still going after the limit is killed and fails the test.
inline CliRun finishCli(CliProcess& process, int limitMs = 120000)
{
    if (process->state() != QProcess::NotRunning && !process->waitForFinished(limitMs)) {
        ADD_FAILURE() << "zephrix-cli did not end within " << limitMs << " ms";
        process->kill();
        process->waitForFinished();
    }
    const bool ended =
        process->error() != QProcess::FailedToStart && process->exitStatus() == QProcess::NormalExit;
    return {ended ? process->exitCode() : -1, process->readAllStandardOutput().toStdString(),
            process->readAllStandardError().toStdString()};
}

inline CliRun runCli(const CliCommand& command)
{
    CliProcess process = startCli(command);
    return finishCli(process);
}

// A tree to index, and a folder of the test's own for the indexes and the settings.
struct CliTest : ::testing::Test {
    test::TempTree work, tree;
    std::string indexes = work.at("indexes"), root = tree.path() + "/";

    CliCommand command(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--indexes", indexes});
        return {args, work.at("config")};
    }
    CliRun run(const std::vector<std::string>& args) const { return runCli(command(args)); }
};

} // namespace zephrix::clitest
