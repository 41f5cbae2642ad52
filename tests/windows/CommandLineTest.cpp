// colligo.exe of both Windows builds against colligo of the Linux build: the
// same command lines, in folders holding the same files, print the same and
// write byte-identical files. Then what only Windows could get wrong: names in
// other scripts, paths beyond the classic limit, writing over a file, and the
// line ends of the listings.
#include "Oracles.h"
#include "SameEverywhere.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace wine_testing;
namespace fs = std::filesystem;

namespace {

RunResult colligo(const std::string &platform, const std::string &folder, const std::vector<std::string> &arguments)
{
    if (platform == "linux") {
        std::vector<std::string> argv { linuxProgram("colligo") };
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return runProgram(argv, folder, linuxEngineEnvironment());
    }
    return Wine::session().run(windowsBuild(platform).program("colligo.exe"), arguments, folder);
}

struct Case
{
    const char *what;
    std::vector<std::string> arguments;
};

const Case cases[] = {
    { "info", { "info", "a.pdf", "b.pdf", "book.pdf", "R-admin.pdf", "missing.pdf" } },
    { "merge of examples", { "merge", "-o", "out.pdf", "a.pdf:1-3", "b.pdf:5-1,5", "a.pdf", "book.pdf:2,2,1" } },
    { "merge of real documents", { "merge", "-o", "manuals.pdf", "R-admin.pdf:1-20", "refcard-a4.pdf", "gnuplot.pdf:311-290" } },
    { "split with the rest", { "split", "b.pdf", "2,4", "-o", "part.pdf", "--rest" } },
    { "split of a real document", { "split", "gnuplot.pdf", "10-1,200-210", "-o", "gnuplot-part.pdf" } },
    { "outline", { "outline", "book.pdf" } },
    { "outline of a real document", { "outline", "R-admin.pdf" } },
    { "split at the first level", { "split-outline", "book.pdf", "-d", "chapters" } },
    { "split at the second level", { "split-outline", "book.pdf", "-d", "chapters", "--level", "2" } },
    { "split of a real document at its chapters", { "split-outline", "R-admin.pdf", "-d", "chapters" } },
    { "a merge the engine refuses", { "merge", "-o", "a.pdf", "a.pdf", "b.pdf" } },
    { "a wrong command line", { "merge", "-o", "x.pdf", "a.pdf" } },
};

std::string folderWith(const std::string &root, const std::string &name)
{
    fs::create_directories(root + "/" + name);
    return root + "/" + name;
}

} // namespace

TEST(CommandLine, SameResultsAsTheLinuxBuild)
{
    for (const Case &item : cases) {
        std::vector<PlatformResult> results = runEverywhere(
            [&](const std::string &platform, const std::string &folder) { return colligo(platform, folder, item.arguments); });
        expectSameAsLinux(results, item.what);
    }
}

TEST(CommandLine, ListingsEndLinesWithLineFeedsOnly)
{
    for (const WindowsBuild &build : runnableBuilds()) {
        testing_support::TempDir folder;
        copyFile(realDocument("R-admin.pdf"), folder.file("R-admin.pdf"));
        const RunResult outline = colligo(build.name, folder.path(), { "outline", "R-admin.pdf" });
        ASSERT_EQ(outline.status, 0) << build.name;
        EXPECT_EQ(outline.out.find('\r'), std::string::npos) << build.name;
        EXPECT_GT(std::count(outline.out.begin(), outline.out.end(), '\n'), 20) << build.name;
    }
}

// Names in several scripts, as main's ANSI arguments would have lost them.
TEST(CommandLine, NamesInEveryScript)
{
    testing_support::TempDir root;
    const std::string folder = folderWith(root.path(), "Bücher – Книги 文档");
    copyFile(realDocument("refcard-a4.pdf"), folder + "/Ärger.pdf");
    copyFile(realDocument("R-admin.pdf"), folder + "/文档 𝄞.pdf");
    const RunResult reference = colligo("linux", folder, { "merge", "-o", "merged.pdf", "Ärger.pdf", "文档 𝄞.pdf:1-9" });
    ASSERT_EQ(reference.status, 0) << reference.err;
    const std::string expected = readBytes(folder + "/merged.pdf");

    for (const WindowsBuild &build : runnableBuilds()) {
        const std::string output = folder + "/Ergebnis ü 结果 " + build.name + ".pdf";
        const RunResult merge = colligo(build.name, root.path(),
                                  { "merge", "-o", windowsPath(output), windowsPath(folder + "/Ärger.pdf"),
                                    windowsPath(folder + "/文档 𝄞.pdf") + ":1-9" });
        EXPECT_EQ(merge.status, 0) << build.name << "\n" << merge.err;
        EXPECT_TRUE(readBytes(output) == expected) << build.name << ": the merge differs from the Linux build's";
        const RunResult info = colligo(build.name, folder, { "info", "Ärger.pdf", "文档 𝄞.pdf" });
        EXPECT_EQ(info.out, "Ärger.pdf: 3 pages\n文档 𝄞.pdf: 85 pages, with an outline, links, page labels and document settings\n") << build.name;
    }
}

TEST(CommandLine, PathsBeyondTheClassicLimit)
{
    testing_support::TempDir root;
    std::string deep = root.path();
    while (windowsPath(deep).size() < 330)
        deep += "/a folder named at some length";
    fs::create_directories(deep);
    copyFile(realDocument("refcard-a4.pdf"), deep + "/source one.pdf");
    copyFile(realDocument("R-admin.pdf"), deep + "/source two.pdf");
    const RunResult reference = colligo("linux", deep, { "merge", "-o", "merged.pdf", "source one.pdf", "source two.pdf:1-5" });
    ASSERT_EQ(reference.status, 0) << reference.err;

    for (const WindowsBuild &build : runnableBuilds()) {
        const std::string output = deep + "/merged " + build.name + ".pdf";
        const RunResult merge = colligo(build.name, root.path(),
                                  { "merge", "-o", windowsPath(output), windowsPath(deep + "/source one.pdf"),
                                    windowsPath(deep + "/source two.pdf") + ":1-5" });
        EXPECT_EQ(merge.status, 0) << build.name << "\n" << merge.err;
        EXPECT_TRUE(readBytes(output) == readBytes(deep + "/merged.pdf")) << build.name << ": the merge differs from the Linux build's";
    }
}

// mingw's stat gave every file inode 0, so any existing output counted as one
// of the sources and was refused. A source itself, under another spelling,
// must still be refused and left alone.
TEST(CommandLine, WritesOverAnExistingFileButNeverOverASource)
{
    for (const WindowsBuild &build : runnableBuilds()) {
        testing_support::TempDir folder;
        copyFile(realDocument("refcard-a4.pdf"), folder.file("one.pdf"));
        copyFile(realDocument("R-admin.pdf"), folder.file("two.pdf"));
        writeBytes(folder.file("out.pdf"), "an older file, longer than nothing");
        const RunResult reference = colligo("linux", folder.path(), { "merge", "-o", "expected.pdf", "one.pdf", "two.pdf:2" });
        ASSERT_EQ(reference.status, 0);

        const RunResult over = colligo(build.name, folder.path(), { "merge", "-o", "out.pdf", "one.pdf", "two.pdf:2" });
        EXPECT_EQ(over.status, 0) << build.name << "\n" << over.err;
        EXPECT_TRUE(readBytes(folder.file("out.pdf")) == readBytes(folder.file("expected.pdf"))) << build.name << ": out.pdf is not the new merge";

        const std::string source = readBytes(folder.file("two.pdf"));
        for (const std::string &spelling : { std::string("TWO.PDF"), std::string(".\\sub\\..\\two.pdf"), windowsPath(folder.file("two.pdf")) }) {
            const RunResult refused = colligo(build.name, folder.path(), { "merge", "-o", spelling, "one.pdf", "two.pdf" });
            EXPECT_EQ(refused.status, 1) << build.name << " " << spelling;
            EXPECT_TRUE(readBytes(folder.file("two.pdf")) == source) << build.name << " " << spelling << ": the source changed";
        }
    }
}
