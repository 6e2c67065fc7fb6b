#include "results/FileIcons.h"

#include <QFileIconProvider>

#include "drives/DriveCatalogue.h"

namespace zephrix {
namespace {

const QString FolderType = QStringLiteral("inode/directory");

// The theme's icon for the type, its generic icon, or the style's plain one.
QIcon themeIcon(const QMimeType& type, QFileIconProvider::IconType fallback)
{
    if (type.isValid()) {
        for (const QString& name : {type.iconName(), type.genericIconName()}) {
            if (QIcon::hasThemeIcon(name))
                return QIcon::fromTheme(name);
        }
    }
    return QFileIconProvider().icon(fallback);
}

} // namespace

FileIcons::Slot FileIcons::slotFor(const std::string& name, bool isFolder)
{
    if (isFolder)
        return slotForType(FolderType, mimeTypes_.mimeTypeForName(FolderType));
    // MatchExtension looks at the name alone: the file may be gone already.
    const QMimeType type = mimeTypes_.mimeTypeForFile(QString::fromUtf8(name.data(), qsizetype(name.size())),
                                                      QMimeDatabase::MatchExtension);
    return slotForType(type.name(), type);
}

FileIcons::Slot FileIcons::slotForType(const QString& typeName, const QMimeType& type)
{
    const auto found = slotByType_.constFind(typeName);
    if (found != slotByType_.cend())
        return *found;
    const QString plainFile = QStringLiteral("application/octet-stream");
    if (icons_.size() >= MaxSlots && typeName != plainFile)
        return slotForType(plainFile, {});
    const bool folder = typeName == FolderType;
    const Slot slot = Slot(icons_.size());
    icons_.push_back(themeIcon(type, folder ? QFileIconProvider::Folder : QFileIconProvider::File));
    slotByType_.insert(typeName, slot);
    return slot;
}

void FileIcons::clear()
{
    slotByType_.clear();
    icons_.clear();
}

QIcon FileIcons::driveIcon(const std::string& typeName)
{
    struct DriveLook {
        const char* typeName;
        const char* themeName;
        QFileIconProvider::IconType fallback;
    };
    static constexpr DriveLook looks[] = {
        {HardDisk, "drive-harddisk", QFileIconProvider::Drive},
        {RemovableMedia, "drive-removable-media", QFileIconProvider::Drive},
        {NetworkDrive, "folder-remote", QFileIconProvider::Network},
        {OpticalDrive, "drive-optical", QFileIconProvider::Drive},
    };
    for (const DriveLook& look : looks) {
        if (typeName == look.typeName) {
            const QString name = QString::fromLatin1(look.themeName);
            return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name)
                                             : QFileIconProvider().icon(look.fallback);
        }
    }
    return QFileIconProvider().icon(QFileIconProvider::Drive);
}

} // namespace zephrix
