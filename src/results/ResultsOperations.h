#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "search/ResultRow.h"

class QWidget;

namespace zephrix {

// What the results lists ask of the file operations. A list calls these with
// copies of its rows, never with rows it has marked moved: those no longer name
// a file, and the list answers them itself.
class ResultsOperations {
  public:
    virtual ~ResultsOperations() = default;
    virtual void openEntry(QWidget* owner, const ResultRow& row) = 0;      // double-click, Enter, Open
    virtual void showProperties(QWidget* owner, const ResultRow& row) = 0; // Properties
    // The in-place edit of the name was confirmed with newName (not empty).
    // True: renamed on disk, the row shows newName; false: the row keeps its name.
    virtual bool renameEntry(QWidget* owner, const ResultRow& row, const std::string& newName) = 0;
    // Delete the given rows after the confirmation question. Returns the
    // positions (indexes into `rows`) whose entries are gone from disk now;
    // those rows leave the list, the others stay.
    virtual std::vector<size_t> deleteEntries(QWidget* owner, const std::vector<ResultRow>& rows) = 0;
    // Drag of the selected rows (rows already filtered: no moved-marker rows).
    // Returns true only when the drop target reports that it moved them.
    virtual bool dragEntries(QWidget* source, const std::vector<ResultRow>& rows) = 0;
};

} // namespace zephrix
