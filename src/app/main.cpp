#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/DataPaths.h"
#include "app/ErrorLocations.h"
#include "app/ErrorReport.h"
#include "app/OptionValues.h"
#include "app/OptionsAtLoad.h"
#include "app/SingleInstance.h"
#include "app/StartupGate.h"
#include "app/TestEnvironment.h"
#include "shell/WindowShow.h"
#include "ui/Artwork.h"
#include "ui/frmErrors.h"
#include "ui/frmSearch.h"
#include "ui/frmSplash.h"

using namespace zephrix;

namespace {

// Steps 4 to 6 of the start-up: the rest of the options Main reads, the
// indexes folder, the splash window.
std::optional<EngineError> startProgram(frmSplash*& splash)
{
    std::optional<EngineError> failure;
    const std::optional<int> startHidden = readNumberSetting(options::AutoHide, failure);
    if (!startHidden)
        return failure;
    moduleOptions().StartHidden = *startHidden;

    std::string description;
    int number = 0;
    if (!ensureIndexesFolder(&description, &number))
        return EngineError{number, description};

    splash = new frmSplash;
    splash->show();
    return std::nullopt;
}

// ZEPHRIX_QUIT_AFTER_STARTUP=1 ends the program once the start-up steps have
// run (or Main has failed), so tests can run the real executable to the end.
bool quitAfterStartup()
{
    return qgetenv("ZEPHRIX_QUIT_AFTER_STARTUP") == "1";
}

// "zephrix --show": bring the main window forward, starting the program
// first when none runs.
bool showAsked(const std::vector<std::string>& arguments)
{
    return std::find(arguments.begin(), arguments.end(), "--show") != arguments.end();
}

// A later launch asked for the main window. Until the start-up steps have
// loaded it (and perhaps hidden it to the tray), the request waits.
class ShowRequests {
  public:
    void request()
    {
        pending_ = true;
        if (ready_)
            apply();
    }
    void startupFinished()
    {
        ready_ = frmSearch::isLoaded();
        if (ready_ && pending_)
            apply();
    }

  private:
    void apply()
    {
        pending_ = false;
        restoreWindow(&frmSearch::instance());
        logTestEvent("shown");
    }
    bool pending_ = false;
    bool ready_ = false;
};

// Another Zephrix guards the same indexes: hand it the launch and end.
int handOver(int argc, char* argv[], SingleInstance& instance)
{
    QCoreApplication app(argc, argv);
    if (instance.askToShow(5000))
        return 0;
    std::fputs("Zephrix is already running but did not answer; try again in a moment.\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    std::optional<EngineError> failure;
    const std::optional<int> autoStart = readNumberSetting(options::AutoStart, failure);
    if (autoStart) {
        moduleOptions().AutoStart = *autoStart;
        // Decided before the application object exists: a log-on launch that
        // is not wanted connects to no display and writes nothing.
        if (startupLaunchEnds(arguments, *autoStart))
            return 0;
    }

    // Before anything is shown or written: a second program would build the
    // same index files.
    SingleInstance instance(indexesFolder());
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::Running)
        return handOver(argc, argv, instance);

    QApplication app(argc, argv);
    QApplication::setWindowIcon(art::logoIcon());
    // The program lives on while its main window is hidden to the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    installErrorWindow();

    frmSplash* splash = nullptr;
    if (!failure)
        failure = startProgram(splash);
    if (showAsked(arguments))
        moduleOptions().StartHidden = 0;

    ShowRequests showRequests;
    QObject::connect(&instance, &SingleInstance::showRequested, &app, [&] { showRequests.request(); });
    if (splash) {
        QObject::connect(splash, &frmSplash::startupFinished, &app, [&] { showRequests.startupFinished(); });
    }
    if (claim == SingleInstance::Claim::First && instance.listen())
        logTestEvent("listening");

    // A report that stopped Main or the start-up steps before the main window
    // was loaded leaves nothing behind it: once it is dealt with, the program
    // ends instead of living on without a window.
    QObject::connect(&frmErrors::instance(), &frmErrors::dismissed, &app, [] {
        if (!frmSearch::isLoaded())
            QCoreApplication::quit();
    });
    if (failure) {
        ReportError(Locations::Main, failure->number, failure->description);
        if (quitAfterStartup())
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
    } else if (quitAfterStartup()) {
        QObject::connect(splash, &frmSplash::startupFinished, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
    }
    return app.exec();
}
