#pragma once
#include <QString>
#include <optional>
#include <string>

namespace zephrix {

// What our Properties dialog shows of a file or folder, as display texts.
struct EntryFacts {
    QString name;
    QString type;
    QString location; // the folder holding it
    QString size;
    QString created;
    QString modified;
    QString owner;
    QString permissions;
};

// Read from the disk now, without following a final symbolic link (a link
// is described as the link it is). Nothing when the entry cannot be seen.
std::optional<EntryFacts> readEntryFacts(const std::string& path);

// "rwxr-x--- (0750)", with the set-ID and sticky bits where they are set.
QString permissionsText(unsigned mode);

} // namespace zephrix
