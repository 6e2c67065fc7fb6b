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

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

TempTree::TempTree()
{
    const char* base = std::getenv("TMPDIR");
    root_ = std::string(base && *base ? base : "/tmp") + "/zephrix-test-XXXXXX";
    check(::mkdtemp(root_.data()) != nullptr, "mkdtemp");
}

TempTree::~TempTree()
{
    std::error_code ec;
    ::chmod(root_.c_str(), 0700);
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec) && it->is_directory(ec))
            ::chmod(it->path().c_str(), 0700);
    }
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
    fs::create_directories(fs::path(at(relative)).parent_path());
    writeWholeFile(at(relative), content);
}

void TempTree::sizedFile(const std::string& relative, long long size) const
{
    file(relative);
    check(::truncate(at(relative).c_str(), size) == 0, "truncate " + relative);
}

void TempTree::touch(const std::string& relative, std::time_t modified) const
{
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    check(::utimensat(AT_FDCWD, at(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0,
          "utimensat " + relative);
}

void TempTree::symlink(const std::string& target, const std::string& relative) const
{
    check(::symlink(target.c_str(), at(relative).c_str()) == 0, "symlink " + relative);
}

void TempTree::chmod(const std::string& relative, unsigned mode) const
{
    check(::chmod(at(relative).c_str(), mode) == 0, "chmod " + relative);
}

void TempTree::remove(const std::string& relative) const
{
    if (!relative.empty())
        fs::remove_all(at(relative));
    else
        for (const auto& entry : fs::directory_iterator(root_))
            fs::remove_all(entry.path());
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    check(bool(in), "read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    check(bool(out << content), "write " + path);
}

} // namespace zephrix::test
