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

RunResult host(const std::string &platform, const std::string &folder, const std::vector<std::string> &arguments)
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

// The wide exports with full Windows paths in several scripts, against the
// Linux build's output of the same pages. The merge list keeps paths of at
// most 259 units; opening and splitting take paths of any length.
TEST(HostProgram, WidePathsOfEveryScriptAndLength)
{
    testing_support::TempDir root;
    const std::string folder = root.file("Bücher – Книги 文档");
    fs::create_directories(folder);
    copyFile(realDocument("refcard-a4.pdf"), folder + "/Ärger.pdf");
    copyFile(realDocument("R-admin.pdf"), folder + "/文档 𝄞.pdf");
    const RunResult merged = host("linux", folder, { "merge", "-w", "expected.pdf", "Ärger.pdf", "1-3", "文档 𝄞.pdf", "9-1" });
    ASSERT_EQ(merged.status, 0) << merged.out;
    std::string deep = folder;
    while (windowsPath(deep).size() < 300)
        deep += "/ein Ordner mit längerem Namen";
    fs::create_directories(deep);
    copyFile(realDocument("gnuplot.pdf"), deep + "/gnuplot.pdf");
    const RunResult split = host("linux", deep, { "split", "-w", "gnuplot.pdf", "3,1", "expected.pdf", "0" });
    ASSERT_EQ(split.status, 0) << split.out;

    for (const WindowsBuild &build : runnableBuilds()) {
        SCOPED_TRACE(build.name);
        const std::string output = folder + "/结果 " + build.name + ".pdf";
        const RunResult merge = host(build.name, root.path(),
                                     { "merge", "-w", windowsPath(output), windowsPath(folder + "/Ärger.pdf"), "1-3",
                                       windowsPath(folder + "/文档 𝄞.pdf"), "9-1" });
        EXPECT_EQ(merge.status, 0) << merge.out;
        EXPECT_TRUE(readBytes(output) == readBytes(folder + "/expected.pdf")) << "the merge differs from the Linux build's";

        const RunResult open = host(build.name, root.path(), { "open", "-w", windowsPath(deep + "/gnuplot.pdf") });
        EXPECT_EQ(open.out, "open: 311 pages\nclose: 0\n");
        const std::string part = deep + "/part " + build.name + ".pdf";
        const RunResult deepSplit = host(build.name, root.path(), { "split", "-w", windowsPath(deep + "/gnuplot.pdf"), "3,1", windowsPath(part), "0" });
        EXPECT_EQ(deepSplit.status, 0) << deepSplit.out;
        EXPECT_TRUE(readBytes(part) == readBytes(deep + "/expected.pdf")) << "the split differs from the Linux build's";
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
    const RunResult reference = host("linux", root.path(), { "merge", "-w", "expected.pdf", "one.pdf", "1", "two.pdf", "2" });
    ASSERT_EQ(reference.status, 0);

    for (const WindowsBuild &build : runnableBuilds()) {
        const std::string wanted = folder + "/what? * " + build.name + "-Ä.pdf";
        const RunResult merge = host(build.name, root.path(), { "merge", "-w", windowsPath(wanted), "one.pdf", "1", "two.pdf", "2" });
        EXPECT_EQ(merge.status, 0) << build.name << "\n" << merge.out;
        const std::string written = folder + "/what    " + build.name + " Ä.pdf";
        EXPECT_TRUE(readBytes(written) == readBytes(root.file("expected.pdf"))) << build.name << ": " << written;
    }
}
