#include "PlayedMerge.h"

#include "SameEverywhere.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace wine_testing {

PlayedMerge playMerge(Wine &wine, const std::string &korvel, const std::string &work, const std::string &screenshot)
{
    copyFile(realDocument("refcard-a4.pdf"), work + "/files/intro.pdf");
    copyFile(realDocument("R-admin.pdf"), work + "/files/appendix.pdf");
    fs::create_directories(work + "/merged");
    PlayedMerge played;
    const RunResult reference = runProgram({ linuxProgram("colligo"), "merge", "-o", "expected.pdf", "files/intro.pdf", "files/appendix.pdf" },
                                     work, linuxEngineEnvironment());
    EXPECT_EQ(reference.status, 0) << reference.err;
    played.linuxMerge = readBytes(work + "/expected.pdf");

    const std::string log = work + "/user.log", go = work + "/go";
    std::vector<std::string> environment = wine.environment();
    environment.insert(environment.end(),
                       { "QUELLAN_TEST_LOG=" + windowsPath(log),
                         "QUELLAN_TEST_GO=" + windowsPath(go),
                         "QUELLAN_TEST_FILES=" + windowsPath(work + "/files/intro.pdf") + "|" + windowsPath(work + "/files/appendix.pdf"),
                         "QUELLAN_TEST_OUTPUT_FOLDER=" + windowsPath(work + "/merged") });
    BackgroundProgram application({ Wine::loader(), korvel }, environment);

    played.listed = waitForLine(log, "listed", 90);
    if (played.listed && !screenshot.empty()) {
        std::this_thread::sleep_for(std::chrono::seconds(2)); // the last paint
        const RunResult shot = runProgram({ "import", "-display", wine.screen(), "-window", "root", "-trim", "+repage", screenshot });
        EXPECT_EQ(shot.status, 0) << shot.err;
    }
    writeBytes(go, "");
    if (played.listed)
        played.exitStatus = application.waitForExit(120);
    played.steps = readBytes(log);
    played.merged = readBytes(work + "/merged/intro-appendix.pdf");
    return played;
}

void expectMergedAsOnLinux(const PlayedMerge &played)
{
    const std::string &steps = played.steps;
    ASSERT_TRUE(played.listed) << steps;
    EXPECT_EQ(played.exitStatus, 0) << steps;
    EXPECT_NE(steps.find("shown: Quellan PDF Merger\n"), std::string::npos) << steps;
    EXPECT_NE(steps.find("row: 1 | intro.pdf | "), std::string::npos) << steps;
    EXPECT_NE(steps.find("row: 2 | appendix.pdf | "), std::string::npos) << steps;
    EXPECT_NE(steps.find("merged\n"), std::string::npos) << steps;
    EXPECT_EQ(steps.find("Merge Failed"), std::string::npos) << steps;
    EXPECT_FALSE(played.linuxMerge.empty());
    EXPECT_TRUE(played.merged == played.linuxMerge) << "the application's merge differs from the Linux build's\n" << steps;
}

} // namespace wine_testing
