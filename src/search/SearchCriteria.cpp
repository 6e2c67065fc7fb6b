#include "search/SearchCriteria.h"
#include "search/SearchTexts.h"

namespace zephrix {

const char* ValidateSearchCriteria(const SearchCriteria& criteria)
{
    if (criteria.scope == SearchScope::Drives && criteria.drives.empty())
        return SearchTexts::NoDrivesSelected;
    // The date and size boxes are compared with their picker's exact text: a
    // typed "any" counts as something to search for.
    if (criteria.name.empty() && criteria.insideText.empty() && criteria.fileType.empty() &&
        criteria.fromDateText == "Any" && criteria.toDateText == "Any" && criteria.sizeText == "Any")
        return SearchTexts::NothingToSearchFor;
    return nullptr;
}

bool RewriteNameWithExtension(std::string& name, std::string& fileType)
{
    if (!fileType.empty())
        return false;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    fileType = name.substr(dot + 1);
    name.erase(dot);
    return true;
}

} // namespace zephrix
