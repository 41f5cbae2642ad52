// colligo: merge, split and inspect PDF files from the shell with the Colligo engine.
#include "Commands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace cli {

void printUsage(FILE *to)
{
    std::fputs(
        "Usage: colligo COMMAND [ARGUMENTS]\n"
        "\n"
        "Commands:\n"
        "  info FILE...            print each file's page count, or why it cannot be used\n"
        "  merge -o OUT FILE[:RANGE]...\n"
        "                          merge the chosen pages of two or more files into OUT\n"
        "  split IN RANGE -o OUT [--rest]\n"
        "                          copy the pages RANGE selects into OUT; with --rest,\n"
        "                          every other page into OUT less its last four\n"
        "                          characters plus \"-2.PDF\"\n"
        "  outline FILE            print the outline, indented, with each entry's page\n"
        "  split-outline IN -d FOLDER [--level N]\n"
        "                          one file per outline entry of level N (default 1):\n"
        "                          \"A-B.PDF\" from entry A up to entry B, \"Z-end.PDF\",\n"
        "                          and \"start-A.PDF\" for the pages before the first\n"
        "\n"
        "RANGE selects pages and their order: comma-separated items, each a page\n"
        "number or two numbers joined by '-': \"1,3,6-18\". A descending range such\n"
        "as \"5-3\" counts down; pages may repeat (\"2,2,1\"). A number beyond the\n"
        "file's last page ends that file's part. Without :RANGE every page is taken.\n"
        "The same file may be listed several times.\n"
        "\n"
        "Progress goes to standard error. Ctrl-C stops the merge cleanly and removes\n"
        "the partial output.\n"
        "\n"
        "Options:\n"
        "  -h, --help              show this help and exit\n"
        "\n"
        "Exit status: 0 on success, 1 when the engine refused or failed,\n"
        "2 for a wrong command line, 130 when interrupted.\n",
        to);
}

int usageError(const std::string &message)
{
    std::fprintf(stderr, "colligo: %s\nTry 'colligo --help' for more information.\n", message.c_str());
    return exitUsage;
}

int run(int argc, char **argv)
{
    if (argc < 2)
        return usageError("missing COMMAND");
    std::string command = argv[1];
    Arguments args(argv + 2, argv + argc);
    if (command == "-h" || command == "--help" || command == "help") {
        printUsage(stdout);
        return exitOk;
    }
    for (const std::string &arg : args) {
        if (arg == "-h" || arg == "--help") {
            printUsage(stdout);
            return exitOk;
        }
    }
    if (command == "info")
        return infoCommand(args);
    if (command == "merge")
        return mergeCommand(args);
    if (command == "split")
        return splitCommand(args);
    if (command == "outline")
        return outlineCommand(args);
    if (command == "split-outline")
        return splitOutlineCommand(args);
    return usageError("unknown command '" + command + "'");
}

} // namespace cli

// On Windows the program starts in main_windows.cpp, which reads the command
// line as UTF-16.
#ifndef _WIN32
int main(int argc, char **argv)
{
    return cli::run(argc, argv);
}
#endif
