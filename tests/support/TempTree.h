#pragma once
#include <ctime>
#include <string>

namespace zephrix::test {

// A temporary directory that is removed (permissions restored first) when
// the object goes out of scope. path() ends without '/'.
class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& path() const { return root_; }
    // Absolute path of a relative name inside the tree.
    std::string at(const std::string& relative) const;

    // Creates the folder and its parents.
    void dir(const std::string& relative) const;
    // Creates the file (and its folders) holding content.
    void file(const std::string& relative, const std::string& content = {}) const;
    // A file of exactly size bytes.
    void sizedFile(const std::string& relative, long long size) const;
    // Sets the last-modified time (and access time).
    void touch(const std::string& relative, std::time_t modified) const;
    void symlink(const std::string& target, const std::string& relative) const;
    void chmod(const std::string& relative, unsigned mode) const;
    void remove(const std::string& relative) const;

  private:
    std::string root_;
};

// Whole content of a file; throws std::runtime_error when it cannot be read.
std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& content);

} // namespace zephrix::test
