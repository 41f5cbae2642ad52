// The launcher: which libraries it loads from its plug-in folders, in which
// order, and that it unloads them in the reverse order. Uses real copies of a
// small tracing plug-in and the real Korvel program.
#include "ChildProcess.h"
#include "LibraryTable.h"
#include "PluginFolders.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadLines(const std::string &path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// The file-system listing order of the plug-in names in a folder, which the
// launcher follows within one folder.
std::vector<std::string> ListingOrder(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const std::string &name : ListFolderFiles(folder.string()))
        if (IsPluginLibraryName(name))
            names.push_back(name);
    return names;
}

class LauncherTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("PLUG_TRACE_FILE", TraceFile().c_str(), 1); }
    void TearDown() override { unsetenv("PLUG_TRACE_FILE"); }

    std::string TraceFile() const { return Root.file("trace.txt"); }
    std::string ProgramFolder() const { return Root.path() + "/"; }

    // A copy of the tracing plug-in at folder/name below the program folder.
    void AddPlugin(const std::string &relativePath) const
    {
        const fs::path target = fs::path(Root.path()) / relativePath;
        fs::create_directories(target.parent_path());
        fs::copy_file(TRACE_PLUGIN_PATH, target);
    }

    void AddFile(const std::string &relativePath, const std::string &content) const
    {
        const fs::path target = fs::path(Root.path()) / relativePath;
        fs::create_directories(target.parent_path());
        std::ofstream(target) << content;
    }

    std::vector<std::string> Events(const std::string &kind) const
    {
        std::vector<std::string> names;
        for (const std::string &line : ReadLines(TraceFile()))
            if (line.rfind(kind + " ", 0) == 0)
                names.push_back(line.substr(kind.size() + 1));
        return names;
    }

    testing_support::TempDir Root;
};

TEST(PluginLibraryName, MatchesSoInAnyLetterCase)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"libA.so", true}, {"B.SO", true}, {"c.So", true}, {".so", true},
        {"d.so.1", false}, {"e.dll", false}, {"fso", false}, {"so", false}, {"g.so~", false},
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(IsPluginLibraryName(name), expected) << name;
}

TEST_F(LauncherTest, LoadsDllBeforePlugDllAndUnloadsInReverse)
{
    for (const char *name : {"dll/a.so", "dll/B.SO", "dll/c.So", "PlugDll/d.so", "PlugDll/E.so"})
        AddPlugin(name);
    {
        LibraryTable libraries;
        LoadPluginFolder(libraries, ProgramFolder(), "dll");
        LoadPluginFolder(libraries, ProgramFolder(), "PlugDll");
        EXPECT_EQ(libraries.Size(), 5u);
    }
    std::vector<std::string> expected;
    for (const char *folder : {"dll", "PlugDll"})
        for (const std::string &name : ListingOrder(fs::path(Root.path()) / folder))
            expected.push_back(std::string(folder) + "/" + name);

    EXPECT_EQ(Events("load"), expected);
    std::vector<std::string> unloads = Events("unload");
    EXPECT_EQ(std::vector<std::string>(unloads.rbegin(), unloads.rend()), expected);
}

TEST_F(LauncherTest, SkipsSubFoldersOtherFilesAndUnloadableLibraries)
{
    AddPlugin("dll/good.so");
    AddPlugin("dll/nested/deeper.so");
    AddPlugin("dll/good.so.bak");
    AddFile("dll/broken.so", "not a library");
    AddFile("dll/readme.txt", "plug-ins go here");
    fs::create_directories(fs::path(Root.path()) / "dll" / "folder.so");

    LibraryTable libraries;
    LoadPluginFolder(libraries, ProgramFolder(), "dll");
    EXPECT_EQ(libraries.Size(), 1u);
    EXPECT_EQ(Events("load"), std::vector<std::string>{"dll/good.so"});
}

TEST_F(LauncherTest, MissingFoldersLoadNothing)
{
    LibraryTable libraries;
    LoadPluginFolder(libraries, ProgramFolder(), "dll");
    LoadPluginFolder(libraries, ProgramFolder(), "PlugDll");
    EXPECT_EQ(libraries.Size(), 0u);
}

TEST_F(LauncherTest, NeverLoadsMoreThan256Libraries)
{
    for (int i = 0; i < 260; ++i)
        AddPlugin("dll/p" + std::to_string(i) + ".so");
    AddPlugin("PlugDll/late.so");
    {
        LibraryTable libraries;
        LoadPluginFolder(libraries, ProgramFolder(), "dll");
        LoadPluginFolder(libraries, ProgramFolder(), "PlugDll");
        EXPECT_EQ(libraries.Size(), LibraryTable::Capacity);
    }
    // What was not kept in the table was never loaded, and all that was is gone again.
    EXPECT_EQ(Events("load").size(), 256u);
    EXPECT_EQ(Events("unload").size(), 256u);
}

class KorvelProgramTest : public LauncherTest
{
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        fs::copy_file(KORVEL_PATH, fs::path(Root.path()) / "Korvel");
    }

    int RunKorvel()
    {
        std::string output;
        const int exitCode = testing_support::RunProgram(Root.file("Korvel"), {"PLUG_TRACE_FILE=" + TraceFile()}, output);
        EXPECT_EQ(output, "");
        return exitCode;
    }
};

TEST_F(KorvelProgramTest, WithoutPluginsEndsAtOnceWithExitCodeZero)
{
    EXPECT_EQ(RunKorvel(), 0);
}

TEST_F(KorvelProgramTest, WithoutTheApplicationModuleUnloadsEverythingAndEndsWithZero)
{
    AddPlugin("PlugDll/second.so");
    AddPlugin("dll/first.so");
    EXPECT_EQ(RunKorvel(), 0);
    const std::vector<std::string> order = {"dll/first.so", "PlugDll/second.so"};
    EXPECT_EQ(Events("load"), order);
    EXPECT_EQ(Events("unload"), std::vector<std::string>(order.rbegin(), order.rend()));
}

} // namespace
