#include "ui/FolderTree.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <unistd.h>

#include "ui/PageControls.h"

namespace zephrix {
namespace {

// The model names folders without a trailing '/', except the file system's
// root.
QString withoutSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

// Keeps the drive's root folder, its subfolders and the folders above it (the
// way down to it), and nothing beside them.
class DriveSubtree : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setRoot(const QString& root)
    {
        root_ = withoutSlash(root);
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* model = static_cast<const QFileSystemModel*>(sourceModel());
        const QString path = model->filePath(model->index(row, 0, parent));
        if (root_.isEmpty())
            return false;
        if (path == root_)
            return true;
        if (root_.startsWith(path) &&
            (path == QLatin1String("/") || root_.at(path.size()) == QLatin1Char('/')))
            return true; // on the way down to the root
        return path.startsWith(root_ == QLatin1String("/") ? root_ : root_ + QLatin1Char('/'));
    }

  private:
    QString root_;
};

bool isReadableFolder(const QString& path)
{
    const QByteArray bytes = path.toLocal8Bit();
    return ::access(bytes.constData(), R_OK | X_OK) == 0 && QFileInfo(path).isDir();
}

FolderTree::FolderTree(QWidget* parent, const char* name, QRect box, const QString& accessibleName,
                       const QString& tip)
    : QTreeView(parent), folders_(new QFileSystemModel(this)), subtree_(new DriveSubtree(this))
{
    setObjectName(QString::fromLatin1(name));
    setFont(controls::pageFont());
    setGeometry(box);
    controls::describe(this, accessibleName, tip);

    folders_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks);
    folders_->setReadOnly(true);
    subtree_->setSourceModel(folders_);
    subtree_->setDynamicSortFilter(true);
    setModel(subtree_);
    // Only the names: size, type and date say nothing about a folder here.
    for (int column = 1; column < folders_->columnCount(); ++column)
        hideColumn(column);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIndentation(14);
}

bool FolderTree::setDrive(const QString& root)
{
    if (!isReadableFolder(root))
        return false;
    drive_ = root;
    subtree_->setRoot(root);
    const QModelIndex rootFolder = folders_->setRootPath(withoutSlash(root));
    setRootIndex(subtree_->mapFromSource(rootFolder.parent()));
    const QModelIndex shown = subtree_->mapFromSource(rootFolder);
    setCurrentIndex(shown);
    expand(shown);
    return true;
}

QString FolderTree::folderPath() const
{
    const QModelIndex current = subtree_->mapToSource(currentIndex());
    if (!current.isValid())
        return drive_;
    const QString path = folders_->filePath(current);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool FolderTree::setFolderPath(const QString& path)
{
    const QString wanted = withoutSlash(path);
    const QModelIndex found = subtree_->mapFromSource(folders_->index(wanted));
    if (!found.isValid() || drive_.isEmpty())
        return false;
    for (QModelIndex above = found.parent(); above.isValid() && above != rootIndex(); above = above.parent())
        expand(above);
    setCurrentIndex(found);
    scrollTo(found);
    return true;
}

} // namespace zephrix
