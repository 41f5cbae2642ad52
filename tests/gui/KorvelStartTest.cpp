// The real Korvel program with the real plug-ins, laid out like an
// installation in a fresh folder: the main window appears with the product
// title and, once closed, the program ends with exit code 0.
#include "ChildProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class KorvelStartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const fs::path root = Root.path();
        fs::create_directories(root / "dll");
        fs::create_directories(root / "PlugDll");
        fs::create_directories(root / "sys" / "soft" / "Quellan PDF Merger");
        fs::copy_file(KORVEL_PATH, root / "Korvel");
        fs::copy_file(COLLIGO_PATH, root / fs::path(COLLIGO_PATH).filename());
        fs::copy_file(SAVE_OPTION_XML_PATH, root / "dll" / fs::path(SAVE_OPTION_XML_PATH).filename());
        fs::copy_file(VELLUMOR_PATH, root / "PlugDll" / fs::path(VELLUMOR_PATH).filename());
        fs::copy_file(CLOSING_USER_PATH, root / "PlugDll" / "closing_user.so");
    }

    std::string RunKorvel(int &exitCode) const
    {
        std::string output;
        exitCode = testing_support::RunProgram(Root.file("Korvel"), {"QT_QPA_PLATFORM=offscreen"}, output);
        return output;
    }

    testing_support::TempDir Root;
};

TEST_F(KorvelStartTest, ShowsTheMainWindowAndEndsWhenItCloses)
{
    fs::copy_file(KORVEL_ICON_PATH, fs::path(Root.path()) / "Korvel.png");
    int exitCode = -1;
    const std::string output = RunKorvel(exitCode);
    EXPECT_EQ(exitCode, 0) << output;
    EXPECT_NE(output.find("shown: Quellan PDF Merger\n"), std::string::npos) << output;
    EXPECT_NE(output.find("label: Quellan PDF Merger\n"), std::string::npos) << output;
    EXPECT_NE(output.find("icon: set\n"), std::string::npos) << output;
    // Shown once, and the libraries were unloaded after the window closed.
    EXPECT_EQ(output.find("shown:"), output.rfind("shown:")) << output;
    EXPECT_LT(output.find("shown:"), output.find("closing user unloaded")) << output;
}

TEST_F(KorvelStartTest, RunsWithoutIconAndWithoutConfiguration)
{
    int exitCode = -1;
    const std::string output = RunKorvel(exitCode);
    EXPECT_EQ(exitCode, 0) << output;
    EXPECT_NE(output.find("shown: Quellan PDF Merger\n"), std::string::npos) << output;
    EXPECT_NE(output.find("icon: none\n"), std::string::npos) << output;
}

} // namespace
