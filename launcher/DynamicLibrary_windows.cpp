// Windows implementation of the launcher's platform services: LoadLibraryW
// and FreeLibrary, FindFirstFileW, and GetModuleFileNameW. Paths are UTF-8
// outside this file and UTF-16 for the wide APIs, so folders of any script
// work.
#include "DynamicLibrary.h"

#include <windows.h>

namespace {

std::wstring ToWide(const std::string &text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string ToUtf8(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

} // namespace

LibraryHandle LoadPluginLibrary(const std::string &path)
{
    // A library that cannot be loaded is skipped without a message: no
    // system error box for a missing dependency either.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE library = LoadLibraryW(ToWide(path).c_str());
    SetThreadErrorMode(previousMode, nullptr);
    return reinterpret_cast<LibraryHandle>(library);
}

void UnloadPluginLibrary(LibraryHandle library)
{
    FreeLibrary(reinterpret_cast<HMODULE>(library));
}

std::vector<std::string> ListFolderFiles(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry {};
    HANDLE search = FindFirstFileW(ToWide(folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(ToUtf8(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

std::string ProgramFolder()
{
    // The buffer grows until the whole name fits: it may be a long path.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string(1, PathSeparator);
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string program = ToUtf8(path);
    return program.substr(0, program.rfind(PathSeparator) + 1);
}
