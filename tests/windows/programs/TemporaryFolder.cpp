#include "TemporaryFolder.h"

#include "FileSystem.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace testing_windows {

namespace {

unsigned long folderCount = 0;

void removeTree(const std::wstring &folder)
{
    WIN32_FIND_DATAW entry {};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(folder + L"\\" + name);
            else
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

std::wstring wide(const std::string &utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string narrow(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void writeText(const std::string &path, const char *text)
{
    std::FILE *file = colligo::createFile(path);
    ASSERT_NE(file, nullptr) << path;
    std::fputs(text, file);
    std::fclose(file);
}

TemporaryFolder::TemporaryFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    char unique[64];
    std::snprintf(unique, sizeof unique, "quellan-platform-%lu-%lu", GetCurrentProcessId(), ++folderCount);
    const std::wstring folder = std::wstring(base) + wide(unique);
    CreateDirectoryW(folder.c_str(), nullptr);
    path = narrow(folder);
}

TemporaryFolder::~TemporaryFolder()
{
    // The long form: the tests nest folders beyond the classic limit.
    removeTree(L"\\\\?\\" + wide(path));
}

} // namespace testing_windows
