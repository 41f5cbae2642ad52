// The subcommands of colligo. Each takes the arguments after its own name and
// returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace cli {

using Arguments = std::vector<std::string>;

// Exit statuses shared by every subcommand.
enum ExitStatus {
    exitOk = 0,
    exitFailed = 1,     // the engine refused or failed
    exitUsage = 2,      // the command line was wrong
    exitInterrupted = 130
};

int infoCommand(const Arguments &args);
int mergeCommand(const Arguments &args);
int splitCommand(const Arguments &args);
int outlineCommand(const Arguments &args);
int splitOutlineCommand(const Arguments &args);

// The whole program: argv[1] is the command, the rest its arguments (UTF-8).
int run(int argc, char **argv);

void printUsage(FILE *to);
int usageError(const std::string &message);

} // namespace cli
