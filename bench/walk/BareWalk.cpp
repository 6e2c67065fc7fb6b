// The floor for an index build: the same breadth-first walk with getdents64
// and one statx per file, and nothing else (no output, no formatting, no
// mount check). `zephrix-cli index` is measured against this.
//
//   bare-walk ROOT     prints "FILES files, FOLDERS folders" on stderr
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Record {
    uint64_t inode;
    int64_t offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare-walk ROOT\n");
        return 2;
    }
    const int rootFd = ::open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    size_t capacity = 256 << 10;
    std::unique_ptr<char[]> buffer(new char[capacity]);
    std::string paths;
    std::vector<size_t> ends{0};
    uint64_t files = 0;
    std::string current;

    for (size_t k = 0; k < ends.size(); ++k) {
        int fd = rootFd;
        if (k > 0) {
            current.assign(paths, ends[k - 1], ends[k] - ends[k - 1]);
            fd = ::openat(rootFd, current.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                continue;
        }
        size_t used = 0;
        for (;;) {
            if (capacity - used < (64 << 10)) {
                std::unique_ptr<char[]> bigger(new char[capacity * 2]);
                std::memcpy(bigger.get(), buffer.get(), used);
                buffer = std::move(bigger);
                capacity *= 2;
            }
            const long got = ::syscall(SYS_getdents64, fd, buffer.get() + used, capacity - used);
            if (got <= 0)
                break;
            used += static_cast<size_t>(got);
        }
        for (size_t offset = 0; offset < used;) {
            auto* record = reinterpret_cast<Record*>(buffer.get() + offset);
            offset += record->length;
            const char* name = record->name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            unsigned char type = record->type;
            struct statx details;
            if (type != DT_DIR) {
                if (::statx(fd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                            STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &details) != 0)
                    continue;
                if (S_ISDIR(details.stx_mode))
                    type = DT_DIR;
                else
                    ++files;
            }
            if (type == DT_DIR) {
                if (k > 0) {
                    paths.append(current);
                    paths.push_back('/');
                }
                paths.append(name);
                ends.push_back(paths.size());
            }
        }
        if (fd != rootFd)
            ::close(fd);
    }
    std::fprintf(stderr, "%llu files, %zu folders\n", static_cast<unsigned long long>(files), ends.size());
    return 0;
}
