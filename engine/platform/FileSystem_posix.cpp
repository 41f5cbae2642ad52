// The engine's file-system facts on Linux.
#include "FileSystem.h"

#include <cctype>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace colligo {

bool isPathSeparator(char32_t c)
{
    return c == '/';
}

bool isLetterOrDigit(char32_t c)
{
    static locale_t classification = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (c < 0x80)
        return std::isalnum(static_cast<int>(c)) != 0;
    if (!classification)
        return false;
    return iswalpha_l(static_cast<wint_t>(c), classification) || iswdigit_l(static_cast<wint_t>(c), classification);
}

bool fileExists(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool isRegularFile(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<FileIdentity> fileIdentity(const std::string &path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity { static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino) };
}

std::optional<FileStamp> fileStamp(const std::string &path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileStamp { { static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino) },
                       static_cast<unsigned long long>(info.st_size),
                       static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec };
}

bool isSameFile(const std::string &first, const std::string &second)
{
    std::optional<FileIdentity> a = fileIdentity(first);
    return a && a == fileIdentity(second);
}

std::string fileNameOf(const std::string &path)
{
    return path.substr(path.find_last_of('/') + 1);
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

std::FILE *createFile(const std::string &path)
{
    return std::fopen(path.c_str(), "w+b");
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
