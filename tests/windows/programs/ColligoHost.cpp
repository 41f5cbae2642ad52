// colligo-host: a host program that loads the engine library at run time and
// calls its exports by name, as a Windows program calling Colligo.dll with
// LoadLibrary and GetProcAddress does (dlopen and dlsym on Linux). The Wine
// tests run the same operations through the Linux and the Windows builds and
// compare what they print and write.
//
//   colligo-host LIBRARY open [-w] PATH [PASSWORD]
//   colligo-host LIBRARY merge [-w] OUT PATH RANGE [PATH RANGE]...
//   colligo-host LIBRARY split [-w] SOURCE RANGE OUT REST
//   colligo-host LIBRARY outline PATH
//   colligo-host LIBRARY split-outline [-w] SOURCE FOLDER LEVEL
//
// -w uses the wide exports. Every command prints its results and the latest
// failure reason, one line each.
#include "colligo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#else
#include <dlfcn.h>
#endif

namespace {

// ---- Arguments: UTF-8 for the narrow exports, UTF-16 for the wide ones ----

struct Argument
{
    std::string narrow;
    std::basic_string<ColligoWideChar> wide;
};

std::vector<Argument> arguments;

#ifdef _WIN32
std::string toUtf8(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
    converted.pop_back();
    return converted;
}
#else
std::basic_string<ColligoWideChar> toUtf16(const std::string &text)
{
    std::basic_string<ColligoWideChar> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int extra = byte < 0x80 ? 0 : byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? byte : byte & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += 1 + extra;
        if (c >= 0x10000) {
            out += static_cast<ColligoWideChar>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<ColligoWideChar>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<ColligoWideChar>(c);
        }
    }
    return out;
}
#endif

// ---- The library and its exports, found by name ---------------------------

void *library = nullptr;

void *exportNamed(const char *name)
{
#ifdef _WIN32
    void *address = reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    void *address = dlsym(library, name);
#endif
    if (!address) {
        std::printf("missing export %s\n", name);
        std::exit(3);
    }
    return address;
}

// The export `name` with the type of the header's declaration of it.
#define EXPORT(name) reinterpret_cast<decltype(&name)>(exportNamed(#name))

bool loadLibrary(const Argument &path)
{
#ifdef _WIN32
    library = LoadLibraryW(reinterpret_cast<const wchar_t *>(path.wide.c_str()));
#else
    library = dlopen(path.narrow.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    return library != nullptr;
}

void printFailure()
{
    char text[256] = {};
    const int code = EXPORT(GetLastFailure)(text, sizeof text);
    std::printf("failure %d: %s\n", code, text);
}

// ---- Progress: the callback's calls, summed up -----------------------------

struct ProgressRecord
{
    long calls = 0;
    long long pageSum = 0;
    int32_t lastTotal = 0, lastPage = 0, lastPosition = 0;
} progress;

int32_t COLLIGO_CALL recordProgress(int32_t phase, int32_t total, int32_t page, int32_t position)
{
    ++progress.calls;
    progress.pageSum += page;
    progress.lastTotal = total;
    progress.lastPage = page;
    progress.lastPosition = position;
    return phase == 1 ? 1 : 0;
}

void printProgress()
{
    std::printf("progress: %ld calls, page sum %lld, last (%d, %d, %d)\n", progress.calls, progress.pageSum,
                progress.lastTotal, progress.lastPage, progress.lastPosition);
}

// ---- Commands ---------------------------------------------------------------

bool takeWideFlag(std::size_t &next)
{
    if (next < arguments.size() && arguments[next].narrow == "-w") {
        ++next;
        return true;
    }
    return false;
}

int openCommand(std::size_t next)
{
    const bool wide = takeWideFlag(next);
    const Argument &path = arguments.at(next);
    const char *password = next + 1 < arguments.size() ? arguments[next + 1].narrow.c_str() : nullptr;
    const DocumentHandle document = wide ? EXPORT(OpenPDFW)(path.wide.c_str(), password)
                                         : EXPORT(OpenPDF)(path.narrow.c_str(), password);
    if (document <= 0) {
        std::printf("open: refused %d\n", static_cast<int>(document));
        return 1;
    }
    std::printf("open: %d pages\n", EXPORT(GetPageCount)(document));
    std::printf("close: %d\n", EXPORT(ClosePDF)(document));
    return 0;
}

int mergeCommand(std::size_t next)
{
    const bool wide = takeWideFlag(next);
    Argument output = arguments.at(next++);
    std::printf("clear: %d\n", EXPORT(ClearList)());
    for (; next + 1 < arguments.size(); next += 2) {
        const Argument &path = arguments[next];
        const char *range = arguments[next + 1].narrow.c_str();
        const int added = wide ? EXPORT(AddFileW)(path.wide.c_str(), range, 0) : EXPORT(AddFile)(path.narrow.c_str(), range, 0);
        std::printf("add: %d\n", added);
    }
    const int result = wide ? EXPORT(ColligoW)(output.wide.data(), 0, recordProgress)
                            : EXPORT(Colligo)(output.narrow.c_str(), 0, recordProgress);
    std::printf("merge: %d\n", result);
    printProgress();
    printFailure();
    return result == 1 ? 0 : 1;
}

int splitCommand(std::size_t next)
{
    const bool wide = takeWideFlag(next);
    const Argument &source = arguments.at(next);
    const char *range = arguments.at(next + 1).narrow.c_str();
    Argument output = arguments.at(next + 2);
    const int rest = std::atoi(arguments.at(next + 3).narrow.c_str());
    const int result = wide ? EXPORT(SplitPDFW)(source.wide.c_str(), range, output.wide.data(), rest, recordProgress)
                            : EXPORT(SplitPDF)(source.narrow.c_str(), range, output.narrow.c_str(), rest, recordProgress);
    std::printf("split: %d\n", result);
    printProgress();
    printFailure();
    return result == 1 ? 0 : 1;
}

// The host's tree: every item remembers its depth; titles are printed indented.
struct TreeItem
{
    int depth;
};
std::vector<std::unique_ptr<TreeItem>> treeItems;

void *insertItem(void *, void *parent, const char *title, int image, int selectedImage)
{
    const int depth = parent ? static_cast<TreeItem *>(parent)->depth + 1 : 0;
    std::printf("%*s%s (%d/%d)\n", depth * 2, "", title, image, selectedImage);
    treeItems.push_back(std::make_unique<TreeItem>(TreeItem { depth }));
    return treeItems.back().get();
}

int outlineCommand(std::size_t next)
{
    const DocumentHandle document = EXPORT(OpenPDF)(arguments.at(next).narrow.c_str(), nullptr);
    if (document <= 0) {
        std::printf("open: refused %d\n", static_cast<int>(document));
        return 1;
    }
    const OutlineTreeSink sink { nullptr, insertItem };
    std::printf("outline: %d\n", EXPORT(GetOutline)(document, &sink, 0));
    std::printf("pages:");
    for (std::size_t i = 0; i < treeItems.size(); ++i)
        std::printf(" %d", EXPORT(GetOutlineEntryPage)(document, static_cast<int32_t>(i)));
    std::printf("\n");
    EXPORT(ClosePDF)(document);
    return 0;
}

int splitOutlineCommand(std::size_t next)
{
    const bool wide = takeWideFlag(next);
    const Argument &source = arguments.at(next);
    const Argument &folder = arguments.at(next + 1);
    const int level = std::atoi(arguments.at(next + 2).narrow.c_str());
    const int result = wide ? EXPORT(SplitWithOutlineW)(source.wide.c_str(), folder.wide.c_str(), level, 0, recordProgress)
                            : EXPORT(SplitWithOutline)(source.narrow.c_str(), folder.narrow.c_str(), level, 0, recordProgress);
    std::printf("split-outline: %d\n", result);
    printProgress();
    printFailure();
    return result == 1 ? 0 : 1;
}

int run()
{
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: colligo-host LIBRARY COMMAND ARGUMENTS...\n");
        return 2;
    }
    if (!loadLibrary(arguments[1])) {
        std::printf("cannot load %s\n", arguments[1].narrow.c_str());
        return 3;
    }
    const std::string &command = arguments[2].narrow;
    if (command == "open")
        return openCommand(3);
    if (command == "merge")
        return mergeCommand(3);
    if (command == "split")
        return splitCommand(3);
    if (command == "outline")
        return outlineCommand(3);
    if (command == "split-outline")
        return splitOutlineCommand(3);
    std::fprintf(stderr, "colligo-host: unknown command %s\n", command.c_str());
    return 2;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t **argv)
{
    // Listings end lines with LF, as on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    for (int i = 0; i < argc; ++i) {
        const auto *units = reinterpret_cast<const ColligoWideChar *>(argv[i]);
        arguments.push_back({ toUtf8(argv[i]), units });
    }
    return run();
}
#else
int main(int argc, char **argv)
{
    for (int i = 0; i < argc; ++i)
        arguments.push_back({ argv[i], toUtf16(argv[i]) });
    return run();
}
#endif
