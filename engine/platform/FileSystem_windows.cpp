// The engine's file-system facts on Windows. Paths are UTF-8 inside the
// engine; here they become UTF-16 for the wide file APIs, so names of every
// script work whatever the system's ANSI code page is, and a path too long for
// the classic limit takes the "\\?\" form, which has no such limit.
#include "FileSystem.h"

#include "WideText.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <optional>

namespace colligo {

namespace {

// Windows' classic limit is MAX_PATH units for a file and 12 fewer for a
// folder; beyond it only the "\\?\" form of a full path works.
constexpr std::size_t classicPathLimit = MAX_PATH - 12;
constexpr wchar_t longPathPrefix[] = L"\\\\?\\";
constexpr wchar_t longUncPrefix[] = L"\\\\?\\UNC\\";

std::wstring toWide(const std::string &text)
{
    std::u16string units = utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

std::string toUtf8(const wchar_t *text)
{
    const auto *units = reinterpret_cast<const char16_t *>(text);
    return utf16ToUtf8(units).value_or(std::string());
}

bool startsWith(const std::wstring &text, const wchar_t *prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::wstring fullPath(const std::wstring &path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(size);
    return full;
}

// The "\\?\" form passes the path to the file system as it is: it must be a
// full path with backslashes only, which GetFullPathNameW makes of any path.
std::wstring longForm(const std::wstring &path)
{
    std::wstring full = fullPath(path);
    if (startsWith(full, L"\\\\"))
        return longUncPrefix + full.substr(2);
    return longPathPrefix + full;
}

std::string knownFolder(REFKNOWNFOLDERID folder)
{
    PWSTR path = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path)))
        result = toUtf8(path);
    CoTaskMemFree(path);
    return result;
}

// The volume serial number and file index: the same for every name of a file
// (mingw's stat has no inode numbers). Folders are opened too, as stat would.
std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(const std::string &path)
{
    HANDLE file = CreateFileW(windowsPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information {};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known)
        return std::nullopt;
    return information;
}

std::optional<FileIdentity> identityOf(const std::string &path)
{
    std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(path);
    if (!information)
        return std::nullopt;
    return FileIdentity { information->dwVolumeSerialNumber, (static_cast<unsigned long long>(information->nFileIndexHigh) << 32) | information->nFileIndexLow };
}

} // namespace

std::wstring windowsPath(const std::string &path)
{
    std::wstring wide = toWide(path);
    if (wide.size() < classicPathLimit || startsWith(wide, longPathPrefix))
        return wide;
    return longForm(wide);
}

bool isPathSeparator(char32_t c)
{
    return c == '\\' || c == '/';
}

// Windows' own character classification (that of iswalpha and iswdigit); a
// character beyond the basic plane is judged by its surrogate pair.
bool isLetterOrDigit(char32_t c)
{
    std::u16string units;
    if (c >= 0x10000) {
        units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        units += static_cast<char16_t>(c);
    }
    WORD types[2] = {};
    if (!GetStringTypeW(CT_CTYPE1, reinterpret_cast<const wchar_t *>(units.data()), static_cast<int>(units.size()), types))
        return false;
    return (types[0] & (C1_ALPHA | C1_DIGIT)) != 0;
}

bool fileExists(const std::string &path)
{
    return GetFileAttributesW(windowsPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isRegularFile(const std::string &path)
{
    DWORD attributes = GetFileAttributesW(windowsPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

std::optional<FileIdentity> fileIdentity(const std::string &path)
{
    return identityOf(path);
}

std::optional<FileStamp> fileStamp(const std::string &path)
{
    std::optional<BY_HANDLE_FILE_INFORMATION> information = informationOf(path);
    if (!information)
        return std::nullopt;
    auto wide = [](DWORD high, DWORD low) { return (static_cast<unsigned long long>(high) << 32) | low; };
    return FileStamp { { information->dwVolumeSerialNumber, wide(information->nFileIndexHigh, information->nFileIndexLow) },
                       wide(information->nFileSizeHigh, information->nFileSizeLow),
                       static_cast<long long>(wide(information->ftLastWriteTime.dwHighDateTime, information->ftLastWriteTime.dwLowDateTime)) };
}

bool isSameFile(const std::string &first, const std::string &second)
{
    std::optional<FileIdentity> a = identityOf(first);
    return a && a == identityOf(second);
}

std::string fileNameOf(const std::string &path)
{
    return path.substr(path.find_last_of("\\/") + 1);
}

void makeFolder(const std::string &path)
{
    CreateDirectoryW(windowsPath(path).c_str(), nullptr);
}

void makeFolders(const std::string &path)
{
    // Every leading part in turn; the drive, the long-path prefix and folders
    // that exist fail quietly.
    const std::wstring wide = windowsPath(path);
    for (std::size_t i = 1; i <= wide.size(); ++i) {
        if (i == wide.size() || isPathSeparator(wide[i]))
            CreateDirectoryW(wide.substr(0, i).c_str(), nullptr);
    }
}

std::FILE *createFile(const std::string &path)
{
    return _wfopen(windowsPath(path).c_str(), L"w+b");
}

std::string applicationDataFolder()
{
    return knownFolder(FOLDERID_RoamingAppData);
}

std::string systemFontsFolder()
{
    return knownFolder(FOLDERID_Fonts);
}

} // namespace colligo
