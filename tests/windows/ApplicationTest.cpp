// The application itself under Wine, on a private X server: Korvel.exe from
// the unpacked zip loads its plug-ins, shows the main window, and a test
// plug-in (merging-user.dll in its "dll" folder) plays the user: it drops two
// files on the window, waits until they are listed, merges them and closes
// the window. The listed window is photographed (QUELLAN_SCREENSHOT names the
// picture), and the merged file must be the Linux build's merge of the same
// files.
#include "SameEverywhere.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace wine_testing;
namespace fs = std::filesystem;

namespace {

// A display nobody uses yet.
int freeDisplay()
{
    int display = 90;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(display)) || fs::exists("/tmp/.X" + std::to_string(display) + "-lock"))
        ++display;
    return display;
}

bool waitForLine(const std::string &log, const std::string &line, int seconds)
{
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (readBytes(log).find(line + "\n") != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

} // namespace

TEST(Application, ListsTheDroppedFilesMergesThemAndExits)
{
    const WindowsBuild &build = windowsBuild("x86");
    if (!build.runsHere)
        GTEST_SKIP() << "this machine cannot execute 32-bit programs, and the application is built for x86 only";
    testing_support::TempDir work;
    // A copy of the application with the playing user added.
    const std::string application = work.file("Quellan PDF Merger");
    fs::copy(build.unpacked + "/bin", application, fs::copy_options::recursive);
    copyFile(build.testProgram("merging-user.dll"), application + "/dll/merging-user.dll");
    copyFile(realDocument("refcard-a4.pdf"), work.file("files/intro.pdf"));
    copyFile(realDocument("R-admin.pdf"), work.file("files/appendix.pdf"));
    fs::create_directories(work.file("merged"));

    const RunResult reference = runProgram({ linuxProgram("colligo"), "merge", "-o", "expected.pdf", "files/intro.pdf", "files/appendix.pdf" },
                                     work.path(), linuxEngineEnvironment());
    ASSERT_EQ(reference.status, 0) << reference.err;

    const std::string display = ":" + std::to_string(freeDisplay());
    BackgroundProgram server({ "Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp" });
    std::this_thread::sleep_for(std::chrono::seconds(1));

    Wine wine(display);
    const std::string log = work.file("user.log");
    const std::string go = work.file("go");
    std::vector<std::string> environment = wine.environment();
    environment.insert(environment.end(),
                       { "QUELLAN_TEST_LOG=" + windowsPath(log),
                         "QUELLAN_TEST_GO=" + windowsPath(go),
                         "QUELLAN_TEST_FILES=" + windowsPath(work.file("files/intro.pdf")) + "|" + windowsPath(work.file("files/appendix.pdf")),
                         "QUELLAN_TEST_OUTPUT_FOLDER=" + windowsPath(work.file("merged")) });
    BackgroundProgram korvel({ Wine::loader(), application + "/Korvel.exe" }, environment);

    ASSERT_TRUE(waitForLine(log, "listed", 90)) << readBytes(log);
    std::this_thread::sleep_for(std::chrono::seconds(2)); // the last paint
    if (const char *picture = std::getenv("QUELLAN_SCREENSHOT")) {
        const RunResult shot = runProgram({ "import", "-display", display, "-window", "root", "-trim", "+repage", picture });
        EXPECT_EQ(shot.status, 0) << shot.err;
    }
    writeBytes(go, "");

    EXPECT_EQ(korvel.waitForExit(120), 0) << readBytes(log);
    const std::string steps = readBytes(log);
    EXPECT_NE(steps.find("shown: Quellan PDF Merger\n"), std::string::npos) << steps;
    EXPECT_NE(steps.find("row: 1 | intro.pdf | "), std::string::npos) << steps;
    EXPECT_NE(steps.find("row: 2 | appendix.pdf | "), std::string::npos) << steps;
    EXPECT_NE(steps.find("merged\n"), std::string::npos) << steps;
    EXPECT_EQ(steps.find("Merge Failed"), std::string::npos) << steps;
    EXPECT_TRUE(readBytes(work.file("merged/intro-appendix.pdf")) == readBytes(work.file("expected.pdf")))
        << "the application's merge differs from the Linux build's\n" << steps;
}
