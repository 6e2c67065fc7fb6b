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
constexpr int StartupSteps = 7139;
constexpr int Main = 11052;
constexpr int OpenHelpPage = 11057;
constexpr int NewReleaseHeaderDrag = 99999;

} // namespace zephrix::Locations

// The main window's handlers, by the name of the control and event.
namespace zephrix::SearchLocations {

constexpr int chkSearchInsideFiles = 6002;
constexpr int chkAutoHide = 6003;
constexpr int chkAutoStart = 6004;
constexpr int chkAutoUpdate = 6005;
constexpr int chkDisableKeyedAccess = 6006;
constexpr int chkForceIndex = 6007;
constexpr int chkShowFolders = 6008;
constexpr int chkShowIcons = 6009;
constexpr int chkResultsLimit = 6010;
constexpr int cmbDrives = 6011;
constexpr int cmbHours = 6012;
constexpr int cmbSearchFromDate = 6013;
constexpr int cmbSearchSize = 6014;
constexpr int cmbSearchToDate = 6015;
constexpr int cmdAddFolder = 6016;
constexpr int cmdExit = 6017;
constexpr int cmdHelp = 6018;
constexpr int cmdRemoveFolder = 6019;
constexpr int optCopyMove = 6020;
constexpr int cmdSearch = 6021;
constexpr int cmdSearchFileType = 6022;
constexpr int Form_Load = 6023;
constexpr int lblExit = 6025;
constexpr int lblHelp = 6026;
constexpr int lstIndexDrives = 6027;
constexpr int lblTabs = 6029;
constexpr int lstDrives = 6030;
constexpr int lstDrivesLostFocus = 6031;
constexpr int lstHours = 6032;
constexpr int lstHoursLostFocus = 6033;
constexpr int lstSearchFileSize = 6034;
constexpr int lstSearchFileSizeLostFocus = 6035;
constexpr int lstSearchFileType = 6036;
constexpr int lstSearchFileTypeLostFocus = 6037;
constexpr int lstSearchFromDate = 6038;
constexpr int lstSearchFromDateLostFocus = 6039;
constexpr int lstSearchToDate = 6042;
constexpr int lstSearchToDateLostFocus = 6043;
constexpr int optSearchTheseDrives = 6044;
constexpr int optSearchThisFolder = 6045;
constexpr int pictHeaderBar = 6046;
constexpr int txtSearchInsideTheseFileTypes = 6051;
constexpr int cmbExcludeAdd = 60111235;
constexpr int lstExcludeAdd = 60301235;
constexpr int lstExcludeAddLostFocus = 60311235;

} // namespace zephrix::SearchLocations
