// The module registry's named shared block and the launcher's library
// services on Windows, run under Wine.
#include "DynamicLibrary.h"
#include "FileSystem.h"
#include "PluginFolders.h"
#include "SharedBlock.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace colligo;
using namespace testing_windows;

TEST(SharedBlock, NamedMappingIsFoundWhileItsCreatorHoldsIt)
{
    using namespace Plug;
    using namespace Plug::Platform;
    const char *name = "QuellanPlatformTestBlock";
    const MappingHandle created = CreateSharedBlock(name, 64);
    ASSERT_NE(created, NoMapping);
    auto *view = static_cast<char *>(MapSharedBlock(created, 64));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view[0], 0);
    std::snprintf(view, 64, "registry");

    const MappingHandle opened = OpenSharedBlock(name, 64);
    ASSERT_NE(opened, NoMapping);
    auto *second = static_cast<char *>(MapSharedBlock(opened, 64));
    EXPECT_STREQ(second, "registry");
    UnmapSharedBlock(second, 64);
    CloseSharedBlock(opened);

    EXPECT_EQ(OpenSharedBlock(name, 1 << 20), NoMapping); // smaller than asked for

    // Creating again while it is held starts from zero bytes.
    const MappingHandle again = CreateSharedBlock(name, 64);
    ASSERT_NE(again, NoMapping);
    EXPECT_EQ(view[0], 0);
    CloseSharedBlock(again);

    UnmapSharedBlock(view, 64);
    CloseSharedBlock(created);
    RemoveSharedBlock(name);
    EXPECT_EQ(OpenSharedBlock(name, 64), NoMapping); // gone with its last handle
}

TEST(SharedBlock, ProcessIdentity)
{
    using namespace Plug;
    using namespace Plug::Platform;
    EXPECT_EQ(CurrentProcessId(), GetCurrentProcessId());
    EXPECT_NE(CurrentProcessStartStamp(), 0u);
    EXPECT_EQ(CurrentProcessStartStamp(), CurrentProcessStartStamp());
}

TEST(Launcher, ListsFilesButNotFoldersAndKnowsLibraryNames)
{
    TemporaryFolder folder;
    writeText(folder.file("first.dll"), "not a library");
    writeText(folder.file("Second.DLL"), "x");
    makeFolder(folder.file("folder.dll"));
    std::vector<std::string> names = ListFolderFiles(folder.root() + "\\");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { "Second.DLL", "first.dll" }));

    EXPECT_TRUE(IsPluginLibraryName("Second.DLL"));
    EXPECT_TRUE(IsPluginLibraryName("x.Dll"));
    EXPECT_FALSE(IsPluginLibraryName("x.so"));
    EXPECT_FALSE(IsPluginLibraryName("x.dll.txt"));

    // Not a library: refused quietly.
    EXPECT_EQ(LoadPluginLibrary(folder.file("first.dll")), nullptr);
}

TEST(Launcher, ProgramFolderHoldsTheProgram)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(fileExists(folder + "windows-platform-test.exe")) << folder;
}
