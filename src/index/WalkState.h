#pragma once
#include <fcntl.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the walk keeps besides its buffers: the folder queue, and which mount
// a folder belongs to.
namespace zephrix {

// The folders found so far, in breadth-first order: each one's parent and
// name, packed into one text, so the queue costs a few dozen bytes per folder
// and nothing per file. Folder 0 is the root.
class FolderQueue {
  public:
    FolderQueue()
    {
        nameEnds_.push_back(0);
        parents_.push_back(0);
    }
    size_t count() const { return parents_.size(); }
    std::string_view name(size_t k) const
    {
        return std::string_view(names_.data() + nameEnds_[k - 1], nameEnds_[k] - nameEnds_[k - 1]);
    }
    void add(size_t parent, std::string_view name)
    {
        names_.append(name);
        nameEnds_.push_back(names_.size());
        parents_.push_back(static_cast<uint32_t>(parent));
    }
    // The path of folder k relative to the root ("" for the root itself).
    void relativePath(size_t k, std::string& out)
    {
        chain_.clear();
        for (; k != 0; k = parents_[k])
            chain_.push_back(k);
        out.clear();
        for (auto it = chain_.rbegin(); it != chain_.rend(); ++it) {
            if (!out.empty())
                out.push_back('/');
            out.append(name(*it));
        }
    }

  private:
    std::string names_;
    std::vector<size_t> nameEnds_;
    std::vector<uint32_t> parents_;
    std::vector<size_t> chain_;
};

// Which mount a folder belongs to; a folder of another mount is a drive of
// its own and is not entered.
struct MountIdentity {
    uint32_t devMajor = 0;
    uint32_t devMinor = 0;
    uint64_t mountId = 0;
    bool hasMountId = false;

    bool sameMount(const MountIdentity& other) const
    {
        if (devMajor != other.devMajor || devMinor != other.devMinor)
            return false;
        return !hasMountId || !other.hasMountId || mountId == other.mountId;
    }
};

inline bool mountOf(int dirFd, MountIdentity& identity)
{
    struct statx details {};
    if (::statx(dirFd, "", AT_EMPTY_PATH, STATX_MNT_ID, &details) != 0)
        return false;
    identity.devMajor = details.stx_dev_major;
    identity.devMinor = details.stx_dev_minor;
    identity.hasMountId = (details.stx_mask & STATX_MNT_ID) != 0;
    identity.mountId = details.stx_mnt_id;
    return true;
}

} // namespace zephrix
