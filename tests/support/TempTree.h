#pragma once
#include <ctime>
#include <string>

namespace zephrix::test {

// A temporary directory, removed (permissions restored first) at the end of
// its scope; paths are relative to it; failures throw std::runtime_error.
class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& path() const { return root_; } // without a trailing '/'
    std::string at(const std::string& relative) const;

    void dir(const std::string& relative) const; // with its parents
    void file(const std::string& relative, const std::string& content = {}) const;
    void sizedFile(const std::string& relative, long long size) const;
    void touch(const std::string& relative, std::time_t modified) const; // and the access time
    void symlink(const std::string& target, const std::string& relative) const;
    void chmod(const std::string& relative, unsigned mode) const;
    void remove(const std::string& relative) const; // "" empties the tree

  private:
    std::string root_;
};

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& content);

} // namespace zephrix::test
