// The few file-system facts the engine needs, behind one portable interface.
#pragma once

#include <optional>
#include <string>

namespace colligo {

bool fileExists(const std::string &path);

// A file's identity on disk, whatever path names it.
struct FileIdentity
{
    unsigned long long volume;
    unsigned long long file;
    bool operator==(const FileIdentity &) const = default;
};
// Nothing when the file does not exist.
std::optional<FileIdentity> fileIdentity(const std::string &path);
// Whether two paths name the same file, however they are spelled (links,
// "..", a second name of the same file). False when either does not exist.
bool isSameFile(const std::string &first, const std::string &second);
// The part of a path after its last separator.
std::string fileNameOf(const std::string &path);
// Creates one folder; an existing folder or missing rights are not reported.
void makeFolder(const std::string &path);
// Creates a folder and any missing parents, quietly like makeFolder.
void makeFolders(const std::string &path);
// The per-user application-data folder ($XDG_DATA_HOME, else ~/.local/share);
// empty when it cannot be determined.
std::string applicationDataFolder();
// The system fonts folder.
std::string systemFontsFolder();

} // namespace colligo
