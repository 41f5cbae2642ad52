// colligo: merge, split and inspect PDF files from the shell with the Colligo engine.
#include "Commands.h"

#include <cstdio>
#include <cstring>

namespace cli {

void printUsage(FILE *to)
{
    std::fputs(
        "Usage: colligo COMMAND [ARGUMENTS]\n"
        "\n"
        "Commands:\n"
        "  info FILE...            print each file's page count, or why it cannot be used\n"
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

} // namespace cli

int main(int argc, char **argv)
{
    using namespace cli;
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
    return usageError("unknown command '" + command + "'");
}
