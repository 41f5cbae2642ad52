// POSIX implementation of the launcher's platform services.
#include "DynamicLibrary.h"

#include <dirent.h>
#include <dlfcn.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsFolder(const std::string &folder, const dirent &entry)
{
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat status {};
    const std::string path = folder + PathSeparator + entry.d_name;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

LibraryHandle LoadPluginLibrary(const std::string &path)
{
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void UnloadPluginLibrary(LibraryHandle library)
{
    dlclose(library);
}

std::vector<std::string> ListFolderFiles(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *listing = opendir(folder.c_str());
    if (!listing)
        return names;
    while (const dirent *entry = readdir(listing)) {
        if (!IsFolder(folder, *entry))
            names.emplace_back(entry->d_name);
    }
    closedir(listing);
    return names;
}

std::string ProgramFolder()
{
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return std::string(1, PathSeparator);
    const std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.rfind(PathSeparator) + 1);
}
