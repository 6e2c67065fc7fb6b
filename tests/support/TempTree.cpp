#include "support/TempTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace zephrix::test {
namespace {

void fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void restorePermissions(const fs::path& root)
{
    std::error_code ec;
    ::chmod(root.c_str(), 0700);
    for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec) && it->is_directory(ec))
            ::chmod(it->path().c_str(), 0700);
    }
}

} // namespace

TempTree::TempTree()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zephrix-test-XXXXXX";
    if (!mkdtemp(pattern.data()))
        fail("mkdtemp");
    root_ = pattern;
}

TempTree::~TempTree()
{
    restorePermissions(root_);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

std::string TempTree::at(const std::string& relative) const
{
    return relative.empty() ? root_ : root_ + "/" + relative;
}

void TempTree::dir(const std::string& relative) const
{
    fs::create_directories(at(relative));
}

void TempTree::file(const std::string& relative, const std::string& content) const
{
    const fs::path full = at(relative);
    fs::create_directories(full.parent_path());
    writeWholeFile(full, content);
}

void TempTree::sizedFile(const std::string& relative, long long size) const
{
    file(relative);
    if (::truncate(at(relative).c_str(), size) != 0)
        fail("truncate " + relative);
}

void TempTree::touch(const std::string& relative, std::time_t modified) const
{
    struct timespec times[2] = {{modified, 0}, {modified, 0}};
    if (::utimensat(AT_FDCWD, at(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        fail("utimensat " + relative);
}

void TempTree::symlink(const std::string& target, const std::string& relative) const
{
    if (::symlink(target.c_str(), at(relative).c_str()) != 0)
        fail("symlink " + relative);
}

void TempTree::chmod(const std::string& relative, unsigned mode) const
{
    if (::chmod(at(relative).c_str(), mode) != 0)
        fail("chmod " + relative);
}

void TempTree::remove(const std::string& relative) const
{
    fs::remove_all(at(relative));
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out << content;
}

} // namespace zephrix::test
