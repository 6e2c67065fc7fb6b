#pragma once
#include <QObject>
#include <QRect>
#include <string>
#include <vector>

#include "drives/DriveCatalogue.h"
#include "ui/DropDownPicker.h"

namespace zephrix {

class FolderTree;

// A drive drop-down over a folder tree: choosing a drive shows its folders.
// A drive that cannot be read (not mounted, no disk in it) is refused with a
// notice, and the text box falls back to the first hard disk after the first
// drive of the catalogue.
class DriveFolderPicker : public QObject {
    Q_OBJECT
  public:
    struct Layout {
        DropDownPicker::Names names;
        const char* tree;
        QRect textBox;
        int listHeight;
        QRect treeBox;
        DropDownPicker::Locations locations;
        QString accessibleName;
        QString treeAccessibleName;
        // The exclusion chooser also shows the fallback drive in its tree;
        // the search folder's tree keeps what it showed.
        bool treeFollowsFallback;
    };

    DriveFolderPicker(QWidget* parent, const Layout& layout);

    DropDownPicker* const drives;
    FolderTree* const tree;

    // The entry of a drive in the drop-down: the root, three blanks and the
    // type name in parentheses.
    static QString entryText(const Drive& drive);
    // The root in the text box: the box holds a root or a drop-down entry.
    std::string chosenRoot() const;

    // Lists the drives of the catalogue.
    void fill(const std::vector<Drive>& catalogue);
    // The drive the load starts with: into the text box and the tree.
    void startWith(const Drive& drive);

    void driveChosen(const QString& entry, const QString& previous);

  private:
    bool treeFollowsFallback_;
    const std::vector<Drive>* catalogue_ = nullptr;
};

} // namespace zephrix
