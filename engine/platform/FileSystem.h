// The few platform facts the engine needs about files, paths and file names,
// behind one portable interface. Paths are UTF-8 throughout the engine; each
// platform file (FileSystem_posix.cpp, FileSystem_windows.cpp) turns them into
// what its file system takes.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace colligo {

// The separator the engine joins folder and file names with.
#ifdef _WIN32
constexpr char pathSeparator = '\\';
#else
constexpr char pathSeparator = '/';
#endif

// Whether `c` separates folders in a path: '/' on Linux; '\' and '/' on
// Windows, whose file system takes both.
bool isPathSeparator(char32_t c);

// Letters of every script and digits, whatever locale the host has set; the
// file-name retry keeps these.
bool isLetterOrDigit(char32_t c);

bool fileExists(const std::string &path);
// A plain file: not a folder, a named pipe, a socket or a device (which may
// block when opened, or yield different bytes each time).
bool isRegularFile(const std::string &path);

// A file's identity on disk, whatever path names it.
struct FileIdentity
{
    unsigned long long volume;
    unsigned long long file;
    bool operator==(const FileIdentity &) const = default;
};
// Nothing when the file does not exist.
std::optional<FileIdentity> fileIdentity(const std::string &path);
// A file's identity with its size and last modification time: what tells
// whether a file read earlier is still the same file with the same bytes.
struct FileStamp
{
    FileIdentity identity;
    unsigned long long size;
    long long modified; // nanoseconds (Linux) or 100-nanosecond ticks (Windows)
    bool operator==(const FileStamp &) const = default;
};
// Nothing when the file does not exist.
std::optional<FileStamp> fileStamp(const std::string &path);
// Whether two paths name the same file, however they are spelled (links,
// "..", a second name of the same file). False when either does not exist.
bool isSameFile(const std::string &first, const std::string &second);
// The part of a path after its last separator.
std::string fileNameOf(const std::string &path);
// Creates one folder; an existing folder or missing rights are not reported.
void makeFolder(const std::string &path);
// Creates a folder and any missing parents, quietly like makeFolder.
void makeFolders(const std::string &path);
// Creates or empties the file and opens it for reading and writing in binary
// mode ("w+b"); null when it cannot be created.
std::FILE *createFile(const std::string &path);
// The per-user application-data folder ($XDG_DATA_HOME, else ~/.local/share on
// Linux; the roaming application-data known folder on Windows); empty when it
// cannot be determined.
std::string applicationDataFolder();
// The system fonts folder.
std::string systemFontsFolder();

#ifdef _WIN32
// A path as the wide file APIs take it: UTF-16, in the "\\?\" form when it is
// longer than Windows' classic limit.
std::wstring windowsPath(const std::string &path);
#endif

} // namespace colligo
