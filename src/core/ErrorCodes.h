#pragma once

// Location codes of the error report (module prefix times 1000 plus a running
// number) and the program's own error numbers. System failures carry errno.
namespace zephrix {

namespace ErrorNumbers {
constexpr int InvalidArgument = 5;
constexpr int DeviceUnavailable = 68;
constexpr int TypeMismatch = 13;     // a stored value that is not a number
constexpr int BadIndexFormat = 1001; // an index file line that cannot be read
constexpr int TooManyFolders = 1002;
} // namespace ErrorNumbers

namespace Locations {
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
constexpr int SearchHandler = 6021;
constexpr int SearchFormLoad = 6023;
constexpr int SearchHeaderDrag = 6046;
constexpr int StartupSteps = 7139;
constexpr int LoadDriveList = 9059;
constexpr int GetFileDetails = 9060;
constexpr int Main = 11052;
constexpr int IndexDrive = 11053;
constexpr int LoadIndex = 11054;
constexpr int IndexAgeHours = 11055;
constexpr int OpenHelpPage = 11057;
constexpr int NewReleaseHeaderDrag = 99999;
} // namespace Locations

} // namespace zephrix
