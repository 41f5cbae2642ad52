#include "PluginFolders.h"

#include <algorithm>
#include <cctype>

bool IsPluginLibraryName(const std::string &name)
{
    static const std::string extension = PluginLibraryExtension;
    if (name.size() < extension.size())
        return false;
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [](char wanted, char found) { return wanted == std::tolower(static_cast<unsigned char>(found)); });
}

void LoadPluginFolder(LibraryTable &libraries, const std::string &programFolder, const std::string &folderName)
{
    const std::string basePath = programFolder + folderName + PathSeparator;
    for (const std::string &name : ListFolderFiles(basePath)) {
        // A library loaded without a place in the table could never be unloaded
        // in order, so a full table stops the loading.
        if (libraries.IsFull())
            return;
        if (!IsPluginLibraryName(name))
            continue;
        if (LibraryHandle library = LoadPluginLibrary(basePath + name))
            libraries.Append(library);
    }
}
