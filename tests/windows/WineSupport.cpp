#include "WineSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char **environ;

namespace fs = std::filesystem;

namespace wine_testing {

namespace {

std::string requiredSetting(const char *name)
{
    const char *value = std::getenv(name);
    if (!value || !*value)
        throw std::runtime_error(std::string(name) + " is not set: run the tests with `make windows-test`");
    return value;
}

std::string temporaryFolder(const std::string &stem)
{
    std::string pattern = (fs::temp_directory_path() / (stem + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

// This process's environment with `additions` replacing variables of the
// same name (a later addition replacing an earlier one too).
std::vector<std::string> mergedEnvironment(const std::vector<std::string> &additions)
{
    std::vector<std::string> merged;
    for (char **variable = environ; *variable; ++variable)
        merged.push_back(*variable);
    merged.insert(merged.end(), additions.begin(), additions.end());
    std::vector<std::string> unique;
    for (auto entry = merged.rbegin(); entry != merged.rend(); ++entry) {
        const std::string name = entry->substr(0, entry->find('=') + 1);
        const bool seen = std::any_of(unique.begin(), unique.end(), [&](const std::string &kept) { return kept.rfind(name, 0) == 0; });
        if (!seen)
            unique.push_back(*entry);
    }
    return unique;
}

std::vector<char *> pointers(std::vector<std::string> &texts)
{
    std::vector<char *> list;
    for (std::string &text : texts)
        list.push_back(text.data());
    list.push_back(nullptr);
    return list;
}

} // namespace

RunResult runProgram(const std::vector<std::string> &argv, const std::string &folder, const std::vector<std::string> &environment)
{
    const std::string capture = temporaryFolder("quellan-run");
    const std::string outPath = capture + "/out", errPath = capture + "/err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = mergedEnvironment(environment);
    RunResult result;
    pid_t child = 0;
    if (posix_spawnp(&child, arguments[0].c_str(), &actions, nullptr, pointers(arguments).data(), pointers(variables).data()) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readBytes(outPath);
    result.err = readBytes(errPath);
    fs::remove_all(capture);
    return result;
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string> &argv, const std::vector<std::string> &environment)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = mergedEnvironment(environment);
    pid_t started = 0;
    if (posix_spawnp(&started, arguments[0].c_str(), &actions, nullptr, pointers(arguments).data(), pointers(variables).data()) == 0)
        child = started;
    posix_spawn_file_actions_destroy(&actions);
}

BackgroundProgram::~BackgroundProgram()
{
    if (child > 0) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
}

int BackgroundProgram::waitForExit(int seconds)
{
    for (int tenth = 0; child > 0 && tenth < seconds * 10; ++tenth) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            child = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        usleep(100000);
    }
    return -1;
}

bool BackgroundProgram::running()
{
    int status = 0;
    if (child > 0 && waitpid(child, &status, WNOHANG) == child)
        child = -1;
    return child > 0;
}

namespace {

// The first display from `number` on that nobody uses yet.
int unusedDisplay(int number)
{
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) || fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        ++number;
    return number;
}

} // namespace

PrivateDisplay::PrivateDisplay()
{
    // Another program may take the display found free before this server
    // does (this one then ends, or its socket never appears): the next one
    // is tried.
    for (int attempt = 0, number = 90; attempt < 5; ++attempt, ++number) {
        number = unusedDisplay(number);
        display = ":" + std::to_string(number);
        server = std::make_unique<BackgroundProgram>(std::vector<std::string> { "Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp" });
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        for (int tenth = 0; tenth < 50 && server->running() && !fs::exists(socket); ++tenth)
            usleep(100000);
        if (server->running() && fs::exists(socket))
            return;
    }
    throw std::runtime_error("no private X server started");
}

std::string windowsPath(const std::string &linuxPath)
{
    std::string path = "Z:" + fs::absolute(linuxPath).lexically_normal().string();
    for (char &c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

// ---- Wine -------------------------------------------------------------------

namespace {

Wine *current = nullptr;

} // namespace

bool machineRuns32BitPrograms()
{
    // The 32-bit loader asked for its version: a kernel without i386 support
    // refuses to execute it at all.
    static const bool runs = runProgram({ "/usr/lib/wine/wine", "--version" }).status == 0;
    return runs;
}

std::string Wine::loader()
{
    return machineRuns32BitPrograms() ? "wine" : "/usr/lib/wine/wine64";
}

Wine &Wine::session()
{
    if (!current)
        current = new Wine;
    return *current;
}

void Wine::endSession()
{
    delete current;
    current = nullptr;
}

std::vector<std::string> Wine::environment() const
{
    // No Mono or Gecko installers, no debugging chatter, and no menu entries
    // in the desktop of the user running the tests for the shortcuts that
    // programs (the installer) make.
    return { "WINEPREFIX=" + prefixFolder, "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d", "DISPLAY=" + display };
}

Wine::Wine(const std::string &display) : prefixFolder(temporaryFolder("quellan-wine")), display(display)
{
    const RunResult boot = runProgram({ loader(), "wineboot", "--init" }, "", environment());
    if (boot.status != 0)
        throw std::runtime_error("wineboot failed: " + boot.err);
    // One server for all the runs that follow, so each program starts quickly.
    runProgram({ "wineserver", "--persistent" }, "", environment());
}

Wine::~Wine()
{
    runProgram({ "wineserver", "--kill" }, "", environment());
    runProgram({ "wineserver", "--wait" }, "", environment());
    fs::remove_all(prefixFolder);
}

RunResult Wine::run(const std::string &program, const std::vector<std::string> &arguments, const std::string &folder,
              const std::vector<std::string> &extra)
{
    std::vector<std::string> argv { loader(), program };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables = environment();
    variables.insert(variables.end(), extra.begin(), extra.end());
    return runProgram(argv, folder, variables);
}

// ---- The Windows builds -----------------------------------------------------

namespace {

// The zip unpacks below a folder named in Latin, Cyrillic and Chinese, with
// spaces: the programs must run from any folder.
constexpr char unpackFolderName[] = "Programme – Прога 程序";

// The one file in `builds` whose name ends with `suffix`.
std::string findBuildFile(const std::string &builds, const std::string &suffix)
{
    for (const fs::directory_entry &entry : fs::directory_iterator(builds)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            return entry.path().string();
    }
    throw std::runtime_error("no *" + suffix + " in " + builds);
}

std::string findZip(const std::string &builds, const std::string &architecture)
{
    return findBuildFile(builds, "-windows-" + architecture + ".zip");
}

WindowsBuild unpack(const std::string &builds, const std::string &architecture, bool wholeSystem, const std::string &into)
{
    const std::string folder = into + "/" + unpackFolderName + " " + architecture;
    fs::create_directories(folder);
    const RunResult unzip = runProgram({ "unzip", "-q", findZip(builds, architecture), "-d", folder });
    if (unzip.status != 0)
        throw std::runtime_error("unzip failed: " + unzip.err);
    std::string top;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        top = entry.path().string();
    const bool runsHere = architecture != "x86" || machineRuns32BitPrograms();
    return { architecture, builds + "/" + architecture, top, wholeSystem, runsHere };
}

class UnpackedBuilds
{
public:
    UnpackedBuilds() : folder(temporaryFolder("quellan-windows"))
    {
        const std::string builds = requiredSetting("QUELLAN_WINDOWS_BUILDS");
        list.push_back(unpack(builds, "x86", true, folder));
        list.push_back(unpack(builds, "x64", false, folder));
    }
    ~UnpackedBuilds() { fs::remove_all(folder); }

    std::string folder;
    std::vector<WindowsBuild> list;
};

} // namespace

std::string windowsInstaller()
{
    return findBuildFile(requiredSetting("QUELLAN_WINDOWS_BUILDS"), "-windows-x86-setup.exe");
}

const std::vector<WindowsBuild> &windowsBuilds()
{
    static UnpackedBuilds builds;
    return builds.list;
}

const WindowsBuild &windowsBuild(const std::string &name)
{
    for (const WindowsBuild &build : windowsBuilds()) {
        if (build.name == name)
            return build;
    }
    throw std::runtime_error("no Windows build " + name);
}

std::vector<WindowsBuild> runnableBuilds()
{
    std::vector<WindowsBuild> runnable;
    std::copy_if(windowsBuilds().begin(), windowsBuilds().end(), std::back_inserter(runnable), [](const WindowsBuild &build) { return build.runsHere; });
    return runnable;
}

std::string linuxProgram(const std::string &file)
{
    return std::string(LINUX_BUILD_BIN) + "/" + file;
}

// ---- Files ------------------------------------------------------------------

std::map<std::string, std::string> filesBelow(const std::string &folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = readBytes(entry.path().string());
    }
    return files;
}

void copyFile(const std::string &from, const std::string &to)
{
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

std::string readBytes(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string &path, const std::string &bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

bool waitForLine(const std::string &log, const std::string &line, int seconds)
{
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (readBytes(log).find(line + "\n") != std::string::npos)
            return true;
        usleep(100000);
    }
    return false;
}

std::string realDocument(const std::string &name)
{
    static const std::map<std::string, std::string> documents {
        { "R-admin.pdf", "/usr/share/doc/r-doc-pdf/manual/R-admin.pdf" },   // pdfTeX, outline
        { "R-intro.pdf", "/usr/share/doc/r-doc-pdf/manual/R-intro.pdf" },
        { "refcard-a4.pdf", "/usr/share/doc/octave/refcard-a4.pdf" },       // dense Type 1 fonts
        { "gnuplot.pdf", "/usr/share/doc/gnuplot/gnuplot.pdf" },            // 311 pages, figures
    };
    return documents.at(name);
}

} // namespace wine_testing
