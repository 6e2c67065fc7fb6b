#include "results/DragRows.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

#include "shell/FileUri.h"

namespace zephrix {

QByteArray uriListOf(const std::vector<ResultRow>& rows)
{
    QByteArray list;
    for (const ResultRow& row : rows)
        list += fileUri(row.path + row.name) + "\r\n";
    return list;
}

bool dragRows(QWidget* source, const std::vector<ResultRow>& rows, int dragMode)
{
    if (rows.empty())
        return false;
    auto* data = new QMimeData;
    // Set as bytes: URIs made here keep names that are not UTF-8 exact.
    data->setData(QStringLiteral("text/uri-list"), uriListOf(rows));
    // Qt deletes the drag once it is over.
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    const Qt::DropAction offered = dragMode == 1 ? Qt::MoveAction : Qt::CopyAction;
    const Qt::DropAction done = drag->exec(offered, offered);
    return dragMode == 1 && (done == Qt::MoveAction || done == Qt::TargetMoveAction);
}

} // namespace zephrix
