// A real session: the real Korvel of the build tree on a real X server
// (Xvfb), driven the way a user drives it, with xdotool's mouse and keyboard.
// Add Files opens the file dialog; the user types the folder and the two
// file names, presses Merge, answers the question at the end with No and
// closes the window with its close button (answering Yes). The merged file
// is then checked page by page against its sources.
#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

using testing_support::runCommand;
using testing_support::shellQuote;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A program started in the background with extra environment entries; its
// output goes to a log file. It is killed if it is still running at the end.
class Program
{
public:
    Program(const std::string &path, const std::vector<std::string> &arguments, const std::vector<std::string> &environment,
            const std::string &log)
    {
        std::vector<std::string> entries;
        for (char **entry = environ; *entry; ++entry)
            entries.emplace_back(*entry);
        for (const std::string &entry : environment) {
            const std::string name = entry.substr(0, entry.find('=') + 1);
            std::erase_if(entries, [&](const std::string &old) { return old.rfind(name, 0) == 0; });
            entries.push_back(entry);
        }
        std::vector<char *> envp;
        for (std::string &entry : entries)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::vector<std::string> args = {path};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char *> argv;
        for (std::string &argument : args)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Program()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    bool Started() const { return pid > 0; }

    // The exit code once the program has ended within `timeout`, else -1.
    int WaitForExit(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (pid > 0 && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }

private:
    pid_t pid = -1;
};

bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 30s)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

class SessionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        display = ":" + std::to_string(FreeDisplay());
        xvfb = std::make_unique<Program>("/usr/bin/Xvfb", std::vector<std::string>{display, "-screen", "0", "1280x900x24", "-nolisten", "tcp"},
                                         std::vector<std::string>{}, Folder.file("xvfb.log"));
        ASSERT_TRUE(xvfb->Started());
        ASSERT_TRUE(WaitUntil([&] { return X("getmouselocation").status == 0; })) << "Xvfb did not start";
        home = Folder.file("home");
        fs::create_directories(home + "/Documents");
        fs::create_directories(home + "/sources");
    }

    static int FreeDisplay()
    {
        int number = 140 + static_cast<int>(getpid() % 200);
        while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) || fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
            ++number;
        return number;
    }

    testing_support::CommandResult X(const std::string &arguments) const
    {
        return runCommand("DISPLAY=" + display + " xdotool " + arguments);
    }

    // The ids of the visible windows with exactly this title.
    std::vector<std::string> Windows(const std::string &title) const
    {
        std::istringstream ids(X("search --onlyvisible --name " + shellQuote("^" + title + "$")).output);
        std::vector<std::string> found;
        for (std::string id; std::getline(ids, id);)
            if (!id.empty() && id.find_first_not_of("0123456789") == std::string::npos)
                found.push_back(id);
        return found;
    }

    std::string WaitForWindow(const std::string &title, const std::string &except = {}) const
    {
        std::string found;
        WaitUntil([&] {
            for (const std::string &id : Windows(title))
                if (id != except)
                    found = id;
            return !found.empty();
        });
        return found;
    }

    bool Gone(const std::string &id, const std::string &title) const
    {
        return WaitUntil([&] {
            const std::vector<std::string> shown = Windows(title);
            return std::find(shown.begin(), shown.end(), id) == shown.end();
        });
    }

    std::map<std::string, int> Geometry(const std::string &id) const
    {
        std::istringstream lines(X("getwindowgeometry --shell " + id).output);
        std::map<std::string, int> values;
        for (std::string line; std::getline(lines, line);) {
            const auto equals = line.find('=');
            if (equals != std::string::npos)
                values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
        }
        return values;
    }

    // A left click at (x, y) within the window.
    void ClickAt(const std::string &id, int x, int y) const
    {
        auto place = Geometry(id);
        X("mousemove --sync " + std::to_string(place["X"] + x) + " " + std::to_string(place["Y"] + y));
        std::this_thread::sleep_for(150ms); // the button sees the mouse arrive
        X("click 1");
    }

    void Type(const std::string &id, const std::string &text) const
    {
        X("windowfocus --sync " + id);
        X("type --delay 20 " + shellQuote(text));
    }

    void Key(const std::string &id, const std::string &key) const
    {
        X("windowfocus --sync " + id);
        X("key " + key);
    }

    testing_support::TempDir Folder;
    std::string display;
    std::string home;
    std::unique_ptr<Program> xvfb;
};

TEST_F(SessionTest, AddMergeAnswerAndCloseInTheRealProgram)
{
    const std::string a = home + "/sources/a.pdf";
    const std::string b = home + "/sources/b.pdf";
    testing_support::writeTextDocument(a, 3, "Alpha");
    testing_support::writeTextDocument(b, 2, "Beta");

    Program korvel(KORVEL_PATH, {},
                   {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                    "XDG_DATA_HOME=" + home + "/.local/share", "XDG_RUNTIME_DIR=" + Folder.path(), "LANG=C.UTF-8",
                    "LANGUAGE=en", "LC_ALL=C.UTF-8"},
                   Folder.file("korvel.log"));
    ASSERT_TRUE(korvel.Started());
    const std::string main = WaitForWindow("Quellan PDF Merger");
    ASSERT_FALSE(main.empty()) << testing_support::readFile(Folder.file("korvel.log"));
    auto place = Geometry(main);
    EXPECT_EQ(place["WIDTH"], 720);
    EXPECT_EQ(place["HEIGHT"], 540);
    // Centred on the screen that holds the pointer (the only one here).
    EXPECT_NEAR(place["X"] + 360, 640, 2);
    EXPECT_NEAR(place["Y"] + 270, 450, 2);

    // Add Files: the file dialog; the folder first, then both names.
    ClickAt(main, 16 + 56, 53 + 17);
    const std::string dialog = WaitForWindow("Select PDF File");
    ASSERT_FALSE(dialog.empty()) << "no file dialog";
    std::this_thread::sleep_for(500ms);
    Type(dialog, home + "/sources");
    std::this_thread::sleep_for(300ms);
    Key(dialog, "Return");
    std::this_thread::sleep_for(700ms);
    Type(dialog, "\"a.pdf\" \"b.pdf\"");
    std::this_thread::sleep_for(300ms);
    Key(dialog, "Return");
    ASSERT_TRUE(Gone(dialog, "Select PDF File")) << "the file dialog stayed open";
    // The files are measured; then the main window is alone again.
    WaitUntil([&] { return Windows("Add PDF Files").empty(); });
    std::this_thread::sleep_for(500ms);

    // Merge, then No to the question whether to open the result.
    ClickAt(main, 576 + 58, 441 + 31);
    const std::string question = WaitForWindow("Quellan PDF Merger", main);
    ASSERT_FALSE(question.empty()) << "no question after the merge";
    std::this_thread::sleep_for(300ms);
    Key(question, "n");
    ASSERT_TRUE(Gone(question, "Quellan PDF Merger")) << "the box is not the question with Yes and No (did the merge fail?)";

    // The close button asks first, since files are listed; Yes ends the program.
    ClickAt(main, 720 - 42 + 14, 10 + 12);
    const std::string exit = WaitForWindow("Quellan PDF Merger", main);
    ASSERT_FALSE(exit.empty()) << "no question before closing";
    std::this_thread::sleep_for(300ms);
    Key(exit, "y");
    EXPECT_EQ(korvel.WaitForExit(30s), 0) << testing_support::readFile(Folder.file("korvel.log"));

    const std::string output = home + "/Documents/Quellan Studio/Quellan PDF Merger/a-b.pdf";
    ASSERT_TRUE(fs::exists(output)) << output;
    testing_support::expectPagesMatch(output, {{a, 1}, {a, 2}, {a, 3}, {b, 1}, {b, 2}});
}

} // namespace
