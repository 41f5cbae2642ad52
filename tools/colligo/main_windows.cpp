// colligo's entry on Windows. The command line is read as UTF-16: main's
// narrow arguments would come in the ANSI code page, where names in other
// scripts are lost. They go on as UTF-8, the narrow text of the rest of the
// program and, under the program's manifest (UTF-8 as the ANSI code page), of
// the C runtime and the engine's narrow exports. Standard output and error
// are binary, so every line ends with LF as on Linux.
#include "Commands.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string toUtf8(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string converted(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
    converted.pop_back(); // the terminator
    return converted;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(toUtf8(argv[i]));
    std::vector<char *> pointers;
    for (std::string &argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return cli::run(argc, pointers.data());
}
