#include "ui/DriveFolderPicker.h"

#include <QLineEdit>

#include "ui/FolderTree.h"
#include "ui/frmMessages.h"

namespace zephrix {
namespace {

constexpr char EntrySeparator[] = "   (";
constexpr char DriveUnavailable[] =
    "The drive you selected is not currently available.  Make sure a disk is inserted.";

QString fromBytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

DriveFolderPicker::DriveFolderPicker(QWidget* parent, const Layout& layout)
    : QObject(parent), drives(new DropDownPicker(parent, layout.names, layout.textBox, layout.listHeight,
                                                 layout.locations, layout.accessibleName)),
      tree(new FolderTree(parent, layout.tree, layout.treeBox, layout.treeAccessibleName)),
      treeFollowsFallback_(layout.treeFollowsFallback)
{
    // The box shows what was chosen from the list; typing a root is not a way
    // to choose one.
    drives->text->setReadOnly(true);
    connect(drives, &DropDownPicker::chosen, this, &DriveFolderPicker::driveChosen);
    // The list opens over the tree.
    drives->list->raise();
}

QString DriveFolderPicker::entryText(const Drive& drive)
{
    return fromBytes(drive.root) + QLatin1String(EntrySeparator) +
           QString::fromLatin1(drive.typeName.c_str()) + QLatin1Char(')');
}

std::string DriveFolderPicker::chosenRoot() const
{
    // Roots may hold blanks themselves, so the entry is cut where its type
    // name begins, not at the first blank.
    const QString text = drives->text->text();
    const qsizetype cut = text.lastIndexOf(QLatin1String(EntrySeparator));
    const QString root = cut >= 0 && text.endsWith(QLatin1Char(')')) ? text.left(cut) : text;
    return root.toUtf8().toStdString();
}

void DriveFolderPicker::fill(const std::vector<Drive>& catalogue)
{
    catalogue_ = &catalogue;
    QStringList entries;
    for (const Drive& drive : catalogue)
        entries << entryText(drive);
    drives->setEntries(entries);
}

void DriveFolderPicker::startWith(const Drive& drive)
{
    drives->text->setText(fromBytes(drive.root));
    tree->setDrive(fromBytes(drive.root));
}

void DriveFolderPicker::driveChosen(const QString&, const QString& previous)
{
    const std::string root = chosenRoot();
    if (tree->setDrive(fromBytes(root)))
        return;
    // The fallback is the first hard disk from the catalogue's second drive
    // on.
    const Drive* fallback = nullptr;
    if (catalogue_) {
        for (size_t row = 1; row < catalogue_->size() && !fallback; ++row) {
            if ((*catalogue_)[row].typeName == HardDisk)
                fallback = &(*catalogue_)[row];
        }
    }
    if (fallback) {
        drives->text->setText(fromBytes(fallback->root));
        if (treeFollowsFallback_)
            tree->setDrive(fromBytes(fallback->root));
    } else {
        // Nowhere to fall back to: the box goes back to the drive the tree
        // still shows.
        drives->text->setText(previous);
    }
    frmMessages::notifyOk(QString::fromLatin1(DriveUnavailable));
}

} // namespace zephrix
