#pragma once

// The program's own error numbers (system failures carry errno), and the
// location codes of the engine's procedures in the error report: module
// prefix times 1000 plus a running number. The front end's own locations
// (windows, start-up) are its business: app/ErrorLocations.h.
namespace zephrix {

namespace ErrorNumbers {
constexpr int InvalidArgument = 5;
constexpr int DeviceUnavailable = 68;
constexpr int TypeMismatch = 13;     // a stored value that is not a number
constexpr int BadIndexFormat = 1001; // an index file line that cannot be read
constexpr int NotRegularFile = 1002; // a FIFO, socket or device where a file should be
} // namespace ErrorNumbers

namespace Locations {
// The search driver reports as the Search button's handler, whichever front
// end pressed it.
constexpr int SearchHandler = 6021;
constexpr int LoadDriveList = 9059;
constexpr int GetFileDetails = 9060;
constexpr int IndexDrive = 11053;
constexpr int LoadIndex = 11054;
constexpr int IndexAgeHours = 11055;
} // namespace Locations

} // namespace zephrix
