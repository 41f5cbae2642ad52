// What the Wine tests share: running programs (Linux ones directly, Windows
// ones under one Wine prefix for the whole run), the two Windows builds as
// their zips unpack, and comparing what the Linux and the Windows builds
// write.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wine_testing {

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs argv[0] (a path) with the arguments, in `folder` when it is not empty,
// with `environment` ("NAME=value") added to this process's environment.
RunResult runProgram(const std::vector<std::string> &argv, const std::string &folder = "",
               const std::vector<std::string> &environment = {});

// A program running beside the test; killed when the object goes, if it still runs.
class BackgroundProgram
{
public:
    BackgroundProgram(const std::vector<std::string> &argv, const std::vector<std::string> &environment = {});
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram &) = delete;
    BackgroundProgram &operator=(const BackgroundProgram &) = delete;

    // The exit status once it has ended within `seconds`; -1 otherwise.
    int waitForExit(int seconds);
    // Whether it has not ended yet.
    bool running();

private:
    int child = -1;
};

// A private X server (Xvfb) on a display nobody uses yet, for the
// application's windows; stopped when the object goes.
class PrivateDisplay
{
public:
    PrivateDisplay();
    const std::string &name() const { return display; } // ":90"

private:
    std::string display;
    std::unique_ptr<BackgroundProgram> server;
};

// Whether this machine executes 32-bit x86 programs, which 32-bit Wine is:
// the kernel's i386 support is missing on some virtual machines.
bool machineRuns32BitPrograms();

// The Windows spelling of a Linux path on Wine's drive Z: ("Z:\tmp\a.pdf").
std::string windowsPath(const std::string &linuxPath);

// A Wine prefix made fresh in a temporary folder (the user's certificate
// store is part of it), its wine server kept running while it is used. One
// serves the whole run; a test that needs a store of its own makes another.
// Windows appear on `display` (an X display such as ":91"); the prefix's
// desktop process is bound to it for the server's life, so the shared
// session has none.
class Wine
{
public:
    explicit Wine(const std::string &display = "");
    ~Wine();
    Wine(const Wine &) = delete;
    Wine &operator=(const Wine &) = delete;

    static Wine &session();
    static void endSession();
    // The program that starts Windows programs: Debian's `wine`, which runs
    // both kinds, or the 64-bit loader alone where 32-bit programs cannot run.
    static std::string loader();

    // Runs a Windows program; paths in the arguments are the caller's business.
    RunResult run(const std::string &program, const std::vector<std::string> &arguments, const std::string &folder = "",
            const std::vector<std::string> &environment = {});

    const std::string &prefix() const { return prefixFolder; }
    const std::string &screen() const { return display; }
    std::vector<std::string> environment() const;

private:
    std::string prefixFolder;
    std::string display;
};

// A Windows build as its zip unpacks into a folder named in several scripts
// (the program must run from any folder), plus the build tree for the test
// programs that the zip does not ship.
struct WindowsBuild
{
    std::string name;     // "x86" or "x64"
    std::string tree;     // the build tree (tests/windows/programs holds the test programs)
    std::string unpacked; // the unpacked zip's top folder
    bool wholeSystem;     // Korvel and the plug-ins too, not just the engine kit
    bool runsHere;        // this machine can run its programs (x86 needs 32-bit support)

    std::string program(const std::string &file) const { return unpacked + "/bin/" + file; }
    std::string testProgram(const std::string &file) const { return tree + "/tests/windows/programs/" + file; }
};

// The x86 build's installer (the NSIS setup program beside its zip).
std::string windowsInstaller();

// Both builds (x86 first), unpacked once per run.
const std::vector<WindowsBuild> &windowsBuilds();
const WindowsBuild &windowsBuild(const std::string &name);
// The builds whose programs run on this machine: both, or x64 alone.
std::vector<WindowsBuild> runnableBuilds();

// A program of the Linux build of the same source tree.
std::string linuxProgram(const std::string &file);

// ---- Comparing outputs --------------------------------------------------------

// Every regular file below `folder`: its path relative to the folder, and its bytes.
std::map<std::string, std::string> filesBelow(const std::string &folder);

void copyFile(const std::string &from, const std::string &to);
std::string readBytes(const std::string &path);
void writeBytes(const std::string &path, const std::string &bytes);

// Whether `log` holds the line `line` within `seconds`, looking every tenth
// of a second (a program beside the test writes it).
bool waitForLine(const std::string &log, const std::string &line, int seconds);

// The real documents the tests use (from Debian's documentation packages).
std::string realDocument(const std::string &name);

} // namespace wine_testing
