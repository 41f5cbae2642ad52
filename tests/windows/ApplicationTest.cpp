// The application itself under Wine, on a private X server: Korvel.exe from
// the unpacked zip loads its plug-ins, shows the main window, and a test
// plug-in plays the user (PlayedMerge.h). The listed window is photographed
// (QUELLAN_SCREENSHOT names the picture), and the merged file must be the
// Linux build's merge of the same files.
#include "PlayedMerge.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace wine_testing;
namespace fs = std::filesystem;

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

    PrivateDisplay display;
    Wine wine(display.name());
    const char *picture = std::getenv("QUELLAN_SCREENSHOT");
    expectMergedAsOnLinux(playMerge(wine, application + "/Korvel.exe", work.path(), picture ? picture : ""));
}
