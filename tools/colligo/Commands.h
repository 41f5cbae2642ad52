// The commands of colligo. Each gets its parsed command line (see
// CommandLine.h and the table in CommandTable.cpp) and returns the process
// exit status.
#pragma once

#include "CommandLine.h"

namespace cli {

// Exit statuses shared by every command.
enum ExitStatus {
    exitOk = 0,
    exitFailed = 1,     // the engine refused or failed
    exitUsage = 2,      // the command line was wrong
    exitInterrupted = 130
};

int infoCommand(const Invocation &invocation);
int mergeCommand(const Invocation &invocation);
int splitCommand(const Invocation &invocation);
int outlineCommand(const Invocation &invocation);
int splitOutlineCommand(const Invocation &invocation);

// The whole program: argv[1] is the command, the rest its arguments (UTF-8).
int run(int argc, char **argv);

} // namespace cli
