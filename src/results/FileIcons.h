#pragma once
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace zephrix {

// Small icons for result rows and drives from the desktop's icon theme. A row's
// icon follows the MIME type its name's extension gives, so no file is read
// and a file deleted since the search still gets its type's icon. One QIcon is
// kept per MIME type and shared by every row of that type; the cache belongs to
// one list's rows and goes with them.
class FileIcons {
  public:
    using Slot = uint16_t;
    // Past this many types every further type shares the plain file icon.
    static constexpr Slot MaxSlots = 0xFFF0;

    // The slot of the icon for an entry named `name`.
    Slot slotFor(const std::string& name, bool isFolder);
    const QIcon& icon(Slot slot) const { return icons_[slot]; }
    QIcon iconFor(const std::string& name, bool isFolder) { return icon(slotFor(name, isFolder)); }

    // The number of types cached.
    int typeCount() const { return int(icons_.size()); }
    void clear();

    // The icon of a drive in the drive lists, by its type name ("Hard Disk",
    // "Removable Media", "Network Drive", "CD/DVD Drive").
    static QIcon driveIcon(const std::string& typeName);

  private:
    Slot slotForType(const QString& typeName, const QMimeType& type);

    QMimeDatabase mimeTypes_;
    QHash<QString, Slot> slotByType_;
    std::vector<QIcon> icons_;
};

} // namespace zephrix
