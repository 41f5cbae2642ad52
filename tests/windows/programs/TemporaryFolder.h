// Helpers of the Windows platform tests: UTF-8/UTF-16 conversion, writing a
// small file, and a fresh folder under the system's temporary folder, removed
// with all it holds.
#pragma once

#include <string>

namespace testing_windows {

std::wstring wide(const std::string &utf8);
std::string narrow(const std::wstring &text);

// Writes `text` into a new file through the engine's createFile.
void writeText(const std::string &path, const char *text);

class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    std::string file(const std::string &name) const { return path + "\\" + name; }
    const std::string &root() const { return path; }

private:
    std::string path;
};

} // namespace testing_windows
