#pragma once

namespace zephrix::results {

// The texts the results lists show, word for word.
inline constexpr const char* ColumnCaptions[] = {"File Name", "Path",         "FileType",
                                                 "Size",      "Date Created", "Date Modified"};
// Design widths of the six columns, in twips.
inline constexpr int ColumnWidths[] = {2000, 2000, 450, 1000, 1440, 1440};

inline constexpr const char* MovedMarker = "MOVED PLEASE RE-SEARCH";
inline constexpr const char* MovedMessage =
    "This file was moved. Please search again to find it where it is now.";

inline constexpr const char* ListName = "Search Results";
inline constexpr const char* ListToolTip =
    "This is a list of the files that we have located matching your search criteria.  Double click a file "
    "to open it.  Or click any of the column headers to resort your files.";

inline constexpr const char* MenuCaption = "Results";
inline constexpr const char* OpenCaption = "Open";
inline constexpr const char* RenameCaption = "Rename";
inline constexpr const char* PropertiesCaption = "Properties";
inline constexpr const char* DeleteCaption = "Delete";

} // namespace zephrix::results
