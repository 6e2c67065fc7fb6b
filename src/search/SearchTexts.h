#pragma once

// Texts the search writes into its labels and message dialog.
namespace zephrix::SearchTexts {

inline constexpr const char* FilesSearched = "Files Searched: ";
inline constexpr const char* FilesFound = "Files Found: ";
inline constexpr const char* PreparingToSearch = "Preparing To Search";
inline constexpr const char* TimeElapsed = "Time Elapsed: ";
inline constexpr const char* ResultsReturnedIn = "Results Returned In: ";
inline constexpr const char* Seconds = " Seconds";
inline constexpr const char* SearchCancelled = "Search Cancelled";
inline constexpr const char* UnableToSearchBefore = "I am unable to search the \"";
inline constexpr const char* UnableToSearchAfter = "\" drive.";
inline constexpr const char* ResultsLimitReached =
    "Your search has returned over 1000 results, in order to maintain system performance the search has been "
    "stopped.  Please refine your search and try again.  If you wish to recieve more results, you may choose "
    "to disable this message under the ADVANCED tab.  However I must warn you, that loading information on "
    "thousands of files can be memory consuming.";

inline constexpr const char* NoDrivesSelected =
    "You have not selected any drives to search on, please select a drive in the list by placing a "
    "checkmark next to it's name.  If you only want to search a single folder, select the option button "
    "below the large drives list that says \"Search In This Folder\"";
inline constexpr const char* NothingToSearchFor =
    "You have not specified anything for me to search for, please specify at least 1 criteria for the "
    "file you are trying to find.";

} // namespace zephrix::SearchTexts
