#include "search/SearchHarness.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <memory>
#include <stdexcept>

#include "core/DateText.h"
#include "index/IndexFormat.h"

namespace zephrix::test {

void writePair(const std::string& indexesDir, const std::string& root, IndexMode mode,
               const std::vector<std::string>& folders, const std::vector<StoredEntry>& entries, int ageHours)
{
    const auto paths = IndexFormat::pairPaths(indexesDir, root, mode);
    if (!paths)
        throw std::runtime_error("no pair for " + root);
    const std::string stamp = formatDateText(std::time(nullptr) - std::time_t(ageHours) * 3600);
    std::string entriesText = stamp + "\r\n";
    for (const auto& e : entries)
        entriesText += e.name + "|" + std::to_string(e.folder) + "|" + e.size + "|" + e.created + "|" +
                       e.modified + "\r\n";
    std::string foldersText = stamp + "\r\n" + root + "\r\n";
    for (const auto& f : folders)
        foldersText += f + "\r\n";
    writeWholeFile(paths->entries, entriesText);
    writeWholeFile(paths->folders, foldersText);
}

bool pairExists(const std::string& indexesDir, const std::string& root, IndexMode mode)
{
    const auto paths = IndexFormat::pairPaths(indexesDir, root, mode);
    return paths && ::access(paths->entries.c_str(), F_OK) == 0 &&
           ::access(paths->folders.c_str(), F_OK) == 0;
}

void RecordingView::readCriteria(SearchCriteria& out)
{
    if (onReadCriteria)
        onReadCriteria(criteria);
    out = criteria;
}

void RecordingView::setNameAndType(const std::string& name, const std::string& type)
{
    criteria.name = name;
    criteria.fileType = type;
    rewrites.emplace_back(name, type);
}

void RecordingView::setNotes(const std::string& text)
{
    notes = text;
    notesHistory.push_back(text);
}

void RecordingView::clearResults()
{
    rows.clear();
    ++clears;
}

SearchHarness::SearchHarness()
{
    indexes = data.at("indexes");
    data.dir("indexes");
    ctx.indexesDir = indexes;
    ctx.errors = &errors;
    ctx.indexingView = &indexing;
    ctx.yield = [this] {
        ++yields;
        if (onYield) {
            auto hook = onYield;
            hook();
        }
    };
}

void SearchHarness::cancelWhen(std::function<bool()> when)
{
    auto pressed = std::make_shared<bool>(false);
    onYield = [this, when, pressed] {
        if (!*pressed && when()) {
            *pressed = true;
            driver.cmdCancelSearch_Click();
        }
    };
}

std::vector<std::string> SearchHarness::rowPaths(const std::string& root) const
{
    std::vector<std::string> out;
    for (const auto& row : view.rows) {
        std::string full = row.fullPath();
        if (full.compare(0, root.size(), root) == 0)
            full.erase(0, root.size());
        out.push_back(full);
    }
    return out;
}

bool SearchHarness::finishedNormally() const
{
    return view.searchTime.rfind("Results Returned In: ", 0) == 0;
}

SearchCriteria onDrives(std::vector<std::string> roots)
{
    SearchCriteria c;
    c.drives = std::move(roots);
    c.insideTypes = "txt doc html asp rtf";
    return c;
}

} // namespace zephrix::test
