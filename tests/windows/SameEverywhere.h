// Running one operation on Linux and on both Windows builds, each in a fresh
// folder holding the examples, and requiring the same results everywhere:
// exit status, what is printed, and every file, byte for byte.
#pragma once

#include "WineSupport.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace wine_testing {

struct PlatformResult
{
    std::string platform; // "linux", "x86" or "x64"
    RunResult run;
    std::map<std::string, std::string> files; // everything in the folder afterwards
};

// Runs the operation for a platform in a folder (its working folder).
using Operation = std::function<RunResult(const std::string &platform, const std::string &folder)>;

// Each platform's run, Linux first.
std::vector<PlatformResult> runEverywhere(const Operation &operation);

// Every Windows result equals the Linux one; `what` names the case in failures.
void expectSameAsLinux(const std::vector<PlatformResult> &results, const std::string &what);

// The engine's per-user data folder for Linux runs, kept out of the user's home.
std::vector<std::string> linuxEngineEnvironment();

} // namespace wine_testing
