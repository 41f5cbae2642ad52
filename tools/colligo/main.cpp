// colligo: merge, split and inspect PDF files from the shell with the Colligo engine.
#include "Commands.h"

#include <cstdio>

#ifndef COLLIGO_VERSION
#error "COLLIGO_VERSION (the CMake project version) must be defined"
#endif

namespace cli {

int run(int argc, char **argv)
{
    if (argc < 2)
        return usageError("missing COMMAND");
    const std::string first = argv[1];
    const Arguments args(argv + 2, argv + argc);
    if (first == "help") { // "colligo help [COMMAND]", as "colligo [COMMAND] --help"
        if (args.empty()) {
            printGeneralHelp(stdout);
            return exitOk;
        }
        const Command *command = findCommand(args[0]);
        if (!command)
            return usageError("unknown command '" + args[0] + "'");
        printCommandHelp(*command, stdout);
        return exitOk;
    }
    if (first.size() > 1 && first[0] == '-') {
        const Option *option = nullptr;
        for (const Option &candidate : programOptions().options)
            if (first == candidate.name || (first.size() == 2 && first[1] == candidate.shortName))
                option = &candidate;
        if (!option)
            return usageError("unknown option '" + first + "'");
        if (option->name == "--version") {
            std::printf("colligo %s\n", COLLIGO_VERSION);
            return exitOk;
        }
        printGeneralHelp(stdout);
        return exitOk;
    }
    const Command *command = findCommand(first);
    if (!command)
        return usageError("unknown command '" + first + "'");
    ParseResult parsed = parse(*command, args);
    if (parsed.help) {
        printCommandHelp(*command, stdout);
        return exitOk;
    }
    if (!parsed.error.empty())
        return usageError(*command, parsed.error);
    return command->run(parsed.invocation);
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
