#include "app/DataPaths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>

#include "support/TempTree.h"

using zephrix::dataFolderFor;
using zephrix::test::TempTree;

namespace {

// Sets an environment variable for the life of the object, then puts the old
// value back.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedEnvironment() { set(old_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    void set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

// Where `indexes` goes: beside a build tree's or a portable copy's
// executable, never into the folder the program is installed into, and in the
// user's data folder wherever the executable's folder cannot be written.
TEST(DataPaths, IndexesLiveBesideTheProgramOnlyOutsideTheInstalledBinaries)
{
    TempTree folders;
    folders.dir("build/src");
    folders.dir("usr/bin");
    folders.dir("readonly");
    folders.chmod("readonly", 0555);
    folders.symlink(folders.at("usr/bin"), "bin"); // a merged /usr: /bin is /usr/bin
    const std::string xdg = folders.at("data");
    const ScopedEnvironment data("XDG_DATA_HOME", xdg);
    const ScopedEnvironment noOverride("ZEPHRIX_DATA_DIR", std::nullopt);
    const bool root = ::geteuid() == 0; // root writes everywhere

    struct Case {
        const char* executable;
        const char* installed;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"build/src", "usr/bin", folders.at("build/src")},
        {"usr/bin", "usr/bin", xdg + "/Zephrix"},
        {"bin", "usr/bin", xdg + "/Zephrix"},
        {"usr/bin", "bin", xdg + "/Zephrix"},
        {"readonly", "usr/bin", root ? folders.at("readonly") : xdg + "/Zephrix"},
        {"build/src", "no/such/folder", folders.at("build/src")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dataFolderFor(folders.at(c.executable), folders.at(c.installed)), c.expected)
            << c.executable << " installed in " << c.installed;
}

TEST(DataPaths, TheOverrideWinsAndTheHomeFolderIsTheLastResort)
{
    TempTree folders;
    folders.dir("usr/bin");
    const std::string bin = folders.at("usr/bin");
    {
        const ScopedEnvironment data("ZEPHRIX_DATA_DIR", folders.at("mine"));
        EXPECT_EQ(dataFolderFor(bin, bin), folders.at("mine"));
    }
    const ScopedEnvironment noOverride("ZEPHRIX_DATA_DIR", std::nullopt);
    const ScopedEnvironment noData("XDG_DATA_HOME", std::nullopt);
    const ScopedEnvironment home("HOME", folders.at("home"));
    EXPECT_EQ(dataFolderFor(bin, bin), folders.at("home") + "/.local/share/Zephrix");
}
