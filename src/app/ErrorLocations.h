#pragma once
#include "core/ErrorCodes.h"

// Location codes of the error report for the windows, the start-up and the
// help; with the engine's codes and the error numbers of core/ErrorCodes.h
// in the same namespaces, so a front-end file includes this one header.
namespace zephrix::Locations {

constexpr int CancelErrorReport = 1001;
constexpr int HelpHeaderDrag = 2121;
constexpr int MessageCmd1Click = 4095;
constexpr int MessageCmd1Down = 4096;
constexpr int MessageCmd1Up = 4097;
constexpr int MessageCmd2Click = 4098;
constexpr int MessageCmd2Down = 4099;
constexpr int MessageCmd2Up = 4100;
constexpr int MessageCmd3Click = 4101;
constexpr int MessageCmd3Down = 4102;
constexpr int MessageCmd3Up = 4103;
constexpr int MessageHelpKey = 4104;
constexpr int MessageHeaderDrag = 4105;
constexpr int DisplayError = 4106;
constexpr int DisplayOk = 4107;
constexpr int DisplayOkCancel = 410609;
constexpr int SearchFormLoad = 6023;
constexpr int SearchHeaderDrag = 6046;
constexpr int StartupSteps = 7139;
constexpr int Main = 11052;
constexpr int OpenHelpPage = 11057;
constexpr int NewReleaseHeaderDrag = 99999;

} // namespace zephrix::Locations
