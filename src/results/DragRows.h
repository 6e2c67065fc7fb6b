#pragma once
#include <QByteArray>
#include <vector>

#include "search/ResultRow.h"

class QMimeData;
class QWidget;

namespace zephrix {

// The rows as a text/uri-list: one file URI per row, each ended by CR LF.
QByteArray uriListOf(const std::vector<ResultRow>& rows);

// Drags the rows' files out of the program with exactly one action: copy
// (dragMode 0) or move (dragMode 1). The drop target does the work. True
// only when it reports that it moved them.
bool dragRows(QWidget* source, const std::vector<ResultRow>& rows, int dragMode);

} // namespace zephrix
