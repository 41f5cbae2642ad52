#include "FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace colligo {

bool fileExists(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool isSameFile(const std::string &first, const std::string &second)
{
    struct stat a, b;
    if (stat(first.c_str(), &a) != 0 || stat(second.c_str(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void makeFolder(const std::string &path)
{
    mkdir(path.c_str(), 0777);
}

void makeFolders(const std::string &path)
{
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
}

std::string applicationDataFolder()
{
    if (const char *data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return data;
    const char *home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd *user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || !*home)
        return {};
    return std::string(home) + "/.local/share";
}

std::string systemFontsFolder()
{
    return "/usr/share/fonts";
}

} // namespace colligo
