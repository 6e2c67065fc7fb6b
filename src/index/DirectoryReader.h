#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace zephrix {

// Reads a whole folder listing with getdents64 into one buffer that is reused
// from folder to folder, so the walk can list a folder's subfolders before its
// files without a second pass over the disk. The buffer grows only for a
// folder larger than any before it.
class DirectoryReader {
  public:
    struct Entry {
        std::string_view name;
        unsigned char type;      // DT_* as the file system reports it; DT_UNKNOWN when it does not
        unsigned char* typeSlot; // where a walk may record the type it found out itself
    };

    DirectoryReader();

    // Lists dirFd from its start. Returns 0, or the errno of a failed read;
    // the entries read before a failure stay available.
    int read(int dirFd);

    // Visits every entry except "." and "..".
    template <typename Visit> void forEach(Visit&& visit)
    {
        size_t offset = 0;
        while (offset < used_) {
            auto* record = reinterpret_cast<Record*>(buffer_.get() + offset);
            offset += record->length;
            const char* name = record->name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            visit(Entry{std::string_view(name), record->type, &record->type});
        }
    }

  private:
    // The kernel's linux_dirent64.
    struct Record {
        uint64_t inode;
        int64_t offset;
        unsigned short length;
        unsigned char type;
        char name[1];
    };

    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

} // namespace zephrix
