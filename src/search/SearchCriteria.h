#pragma once
#include <string>
#include <vector>

namespace zephrix {

enum class NameMatch { Contains = 0, Exactly = 1, StartsWith = 2, EndsWith = 3 };
enum class SearchScope { Drives, Folder };

// The request as the Search page holds it. Texts are kept exactly as typed:
// validation looks at the raw texts, the matcher derives what it compares.
struct SearchCriteria {
    std::string name;     // txtSearchFileName; empty: any name
    std::string fileType; // txtSearchFileType, one extension without the dot; empty: any type
    NameMatch nameMatch = NameMatch::Contains;
    bool caseSensitive = false;       // the Contains name test and the inside scan only
    std::string sizeText = "Any";     // txtSearchFileSize, as its picker fills it
    std::string fromDateText = "Any"; // txtSearchFromDate
    std::string toDateText = "Any";   // txtSearchToDate
    bool searchInsideChecked = false; // chkSearchInsideFiles
    std::string insideText;           // txtSearchInFiles
    std::string insideTypes;          // SearchInsideTypes: extensions separated by blanks
    SearchScope scope = SearchScope::Drives;
    std::vector<std::string> drives; // checked drive roots, top to bottom
    std::string folderRoot;          // txtDrives: the drive that holds the folder
    std::string folder;              // dirSearchFolder

    bool searchInside() const { return searchInsideChecked && !insideText.empty(); }
};

// The options the search reads besides the request.
struct SearchOptions {
    bool ShowFolders = true;
    bool ShowIcons = true;
    bool ResultsLimit = false;                               // the 1000-file limit is lifted
    bool ForceIndex = false;                                 // every searched root is rebuilt first
    std::vector<std::string> ExcludedFolders{std::string()}; // the table of LoadExcludedFolders
};

// The size classes as the matcher compares them, after lower-casing the box.
inline constexpr const char* SizeAny = "any";
inline constexpr const char* SizeSmall = "small (less than 100 kb)";
inline constexpr const char* SizeMedium = "medium (less than 1 mb)";
inline constexpr const char* SizeLarge = "large (more than 1 mb)";

// The message of the first rule the request breaks, or nullptr when it may run.
const char* ValidateSearchCriteria(const SearchCriteria& criteria);

// A name typed with an extension while the type box is empty is split at its
// last dot: report.doc becomes report and doc. True when the texts changed.
bool RewriteNameWithExtension(std::string& name, std::string& fileType);

} // namespace zephrix
