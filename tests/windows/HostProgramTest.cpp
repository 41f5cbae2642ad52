// A host program that loads the engine by file name and calls its exports by
// name (colligo-host: LoadLibrary and GetProcAddress on Windows, dlopen and
// dlsym on Linux), against Colligo.dll of both Windows builds and the Linux
// libColligo.so: the same calls give the same answers and the same files.
// The 32-bit calls go through the standard calling convention to the plain
// export names.
#include "SameEverywhere.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace wine_testing;
namespace fs = std::filesystem;

namespace {

Run host(const std::string &platform, const std::string &folder, const std::vector<std::string> &arguments)
{
    if (platform == "linux") {
        std::vector<std::string> argv { LINUX_HOST_PROGRAM, linuxProgram("libColligo.so") };
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return runProgram(argv, folder, linuxEngineEnvironment());
    }
    const WindowsBuild &build = windowsBuild(platform);
    std::vector<std::string> argv { windowsPath(build.program("Colligo.dll")) };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return Wine::session().run(build.testProgram("colligo-host.exe"), argv, folder);
}

struct Case
{
    const char *what;
    std::vector<std::string> arguments;
};

const Case cases[] = {
    { "open", { "open", "book.pdf" } },
    { "open, wide", { "open", "-w", "R-admin.pdf" } },
    { "open a missing file", { "open", "-w", "missing.pdf" } },
    { "merge", { "merge", "out.pdf", "a.pdf", "1-3", "b.pdf", "5-1,5", "book.pdf", "2,2,1" } },
    { "merge, wide", { "merge", "-w", "out.pdf", "a.pdf", "3", "b.pdf", "1-2000000000", "a.pdf", "x" } },
    { "merge of real documents, wide", { "merge", "-w", "manuals.pdf", "R-admin.pdf", "1-20", "gnuplot.pdf", "311-300", "refcard-a4.pdf", "1-3" } },
    { "merge into a source", { "merge", "-w", "b.pdf", "a.pdf", "1", "b.pdf", "1" } },
    { "merge of one file", { "merge", "out.pdf", "a.pdf", "1" } },
    { "split with the rest", { "split", "b.pdf", "2,4", "part.pdf", "1" } },
    { "split with the rest, wide", { "split", "-w", "gnuplot.pdf", "5-1", "part.pdf", "1" } },
    { "outline", { "outline", "book.pdf" } },
    { "outline of a real document", { "outline", "R-admin.pdf" } },
    { "split at outline entries", { "split-outline", "book.pdf", "chapters", "1" } },
    { "split at outline entries, wide", { "split-outline", "-w", "book.pdf", "chapters", "2" } },
    { "split of a real document at its chapters, wide", { "split-outline", "-w", "R-admin.pdf", "chapters", "1" } },
};

} // namespace

TEST(HostProgram, SameResultsAsTheLinuxBuild)
{
    for (const Case &item : cases) {
        std::vector<PlatformResult> results = runEverywhere(
            [&](const std::string &platform, const std::string &folder) { return host(platform, folder, item.arguments); });
        expectSameAsLinux(results, item.what);
    }
}

// The wide exports with full Windows paths in several scripts and beyond the
// classic limit, against the Linux build's output of the same pages.
TEST(HostProgram, WidePathsOfEveryScriptAndLength)
{
    testing_support::TempDir root;
    std::string deep = root.file("Bücher – Книги 文档");
    while (windowsPath(deep).size() < 300)
        deep += "/ein Ordner mit längerem Namen";
    fs::create_directories(deep);
    copyFile(realDocument("refcard-a4.pdf"), deep + "/Ärger.pdf");
    copyFile(realDocument("R-admin.pdf"), deep + "/文档 𝄞.pdf");
    const Run reference = host("linux", deep, { "merge", "-w", "expected.pdf", "Ärger.pdf", "1-3", "文档 𝄞.pdf", "9-1" });
    ASSERT_EQ(reference.status, 0) << reference.out;

    for (const WindowsBuild &build : windowsBuilds()) {
        const std::string output = deep + "/结果 " + build.name + ".pdf";
        const Run merge = host(build.name, root.path(),
                               { "merge", "-w", windowsPath(output), windowsPath(deep + "/Ärger.pdf"), "1-3",
                                 windowsPath(deep + "/文档 𝄞.pdf"), "9-1" });
        EXPECT_EQ(merge.status, 0) << build.name << "\n" << merge.out;
        EXPECT_EQ(readBytes(output), readBytes(deep + "/expected.pdf")) << build.name;
        const Run open = host(build.name, root.path(), { "open", "-w", windowsPath(deep + "/文档 𝄞.pdf") });
        EXPECT_EQ(open.out, "open: 85 pages\nclose: 0\n") << build.name;
    }
}

// A file name Windows refuses ("?" and "*" are not allowed) is retried with
// every character of the name part that is neither a letter, a digit nor "."
// replaced by a space; the folder part, here full of such characters, stays.
TEST(HostProgram, TheWideMergeRetriesAnImpossibleNameInItsFolder)
{
    testing_support::TempDir root;
    const std::string folder = root.file("out (1) – ü");
    fs::create_directories(folder);
    copyFile(realDocument("refcard-a4.pdf"), root.file("one.pdf"));
    copyFile(realDocument("refcard-a4.pdf"), root.file("two.pdf"));
    const Run reference = host("linux", root.path(), { "merge", "-w", "expected.pdf", "one.pdf", "1", "two.pdf", "2" });
    ASSERT_EQ(reference.status, 0);

    for (const WindowsBuild &build : windowsBuilds()) {
        const std::string wanted = folder + "/what? * " + build.name + "-Ä.pdf";
        const Run merge = host(build.name, root.path(), { "merge", "-w", windowsPath(wanted), "one.pdf", "1", "two.pdf", "2" });
        EXPECT_EQ(merge.status, 0) << build.name << "\n" << merge.out;
        const std::string written = folder + "/what    " + build.name + " Ä.pdf";
        EXPECT_EQ(readBytes(written), readBytes(root.file("expected.pdf"))) << build.name;
    }
}
