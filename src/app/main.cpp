#include <QApplication>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "app/DataPaths.h"
#include "app/ErrorLocations.h"
#include "app/ErrorReport.h"
#include "app/ModuleState.h"
#include "app/OptionValues.h"
#include "app/OptionsAtLoad.h"
#include "app/StartupGate.h"
#include "ui/Artwork.h"
#include "ui/frmErrors.h"
#include "ui/frmIndexing.h"
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

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    // The empty in-memory index; creating it touches nothing on disk.
    indexContext();

    std::optional<EngineError> failure;
    const std::optional<int> autoStart = readNumberSetting(options::AutoStart, failure);
    if (autoStart) {
        moduleOptions().AutoStart = *autoStart;
        // Decided before the application object exists: a log-on launch that
        // is not wanted connects to no display and writes nothing.
        if (startupLaunchEnds(arguments, *autoStart))
            return 0;
    }

    QApplication app(argc, argv);
    QApplication::setWindowIcon(art::logoIcon());
    // The program lives on while its main window is hidden to the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    installErrorWindow();

    indexContext().yield = [] { QCoreApplication::processEvents(); };
    indexContext().indexingView = &frmIndexing::instance();
    frmSplash* splash = nullptr;
    if (!failure)
        failure = startProgram(splash);

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
