#pragma once

#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return root; }
    std::string file(const std::string &name) const { return root + "/" + name; }

private:
    std::string root;
};

} // namespace testing_support
