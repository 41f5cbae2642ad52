// colligo from the shell: help, usage errors, info and merge with their exit
// statuses, and a clean stop on Ctrl-C.
#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

CommandResult colligo(const std::string &arguments)
{
    return runCommand(std::string(COLLIGO_PROGRAM) + " " + arguments);
}

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeTextDocument(in("a.pdf"), 3, "Alpha");
        writeTextDocument(in("b.pdf"), 2, "Beta");
    }
    std::string in(const std::string &name) const { return dir.file(name); }
    std::string q(const std::string &name) const { return shellQuote(in(name)); }

    TempDir dir;
};

TEST_F(CliTest, HelpAndUsageErrors)
{
    CommandResult help = colligo("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("merge -o OUT FILE[:RANGE]"), std::string::npos);
    EXPECT_NE(help.output.find("1,3,6-18"), std::string::npos);

    const char *wrong[] = { "", "frobnicate", "info", "merge a.pdf b.pdf", "merge -o out.pdf a.pdf", "merge -o", "merge --bogus -o x a b" };
    for (const char *arguments : wrong) {
        CommandResult result = colligo(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_NE(result.output.find("colligo: "), std::string::npos) << arguments;
    }
}

TEST_F(CliTest, InfoReportsEachFile)
{
    writeFile(in("text.pdf"), "plain text");
    encryptWithQpdf(in("a.pdf"), in("locked.pdf"), "user", "owner");
    encryptWithQpdf(in("a.pdf"), in("no-print.pdf"), "", "owner", "--print=none");

    CommandResult good = colligo("info " + q("a.pdf") + " " + q("b.pdf"));
    EXPECT_EQ(good.status, 0);
    EXPECT_NE(good.output.find("a.pdf: 3 pages"), std::string::npos);
    EXPECT_NE(good.output.find("b.pdf: 2 pages"), std::string::npos);

    CommandResult bad = colligo("info " + q("a.pdf") + " " + q("text.pdf") + " " + q("locked.pdf") + " " + q("no-print.pdf") + " " + q("missing.pdf"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find("text.pdf: unreadable"), std::string::npos);
    EXPECT_NE(bad.output.find("locked.pdf: needs a password"), std::string::npos);
    EXPECT_NE(bad.output.find("no-print.pdf: restricted"), std::string::npos);
    EXPECT_NE(bad.output.find("missing.pdf: unreadable"), std::string::npos);
}

TEST_F(CliTest, MergeWritesTheChosenPages)
{
    CommandResult result = colligo("merge -o " + q("out.pdf") + " " + q("a.pdf") + ":3,1 " + q("b.pdf") + " " + q("a.pdf") + ":2");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("100%"), std::string::npos); // plain lines when not on a terminal
    expectPagesMatch(in("out.pdf"), { { in("a.pdf"), 3 }, { in("a.pdf"), 1 }, { in("b.pdf"), 1 }, { in("b.pdf"), 2 }, { in("a.pdf"), 2 } });

    // A file whose own name ends in something like ":2" is taken whole.
    fs::copy_file(in("b.pdf"), in("odd:2"));
    result = colligo("merge -o " + q("odd-out.pdf") + " " + q("odd:2") + " " + q("a.pdf") + ":1");
    EXPECT_EQ(result.status, 0) << result.output;
    expectPagesMatch(in("odd-out.pdf"), { { in("b.pdf"), 1 }, { in("b.pdf"), 2 }, { in("a.pdf"), 1 } });
}

TEST_F(CliTest, MergeFailuresExitWithOne)
{
    CommandResult missing = colligo("merge -o " + q("out.pdf") + " " + q("a.pdf") + " " + q("missing.pdf"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("missing.pdf: cannot be merged"), std::string::npos);
    EXPECT_FALSE(fs::exists(in("out.pdf")));

    std::string before = readFile(in("b.pdf"));
    CommandResult overwrite = colligo("merge -o " + q("b.pdf") + " " + q("a.pdf") + " " + q("b.pdf"));
    EXPECT_EQ(overwrite.status, 1);
    EXPECT_EQ(readFile(in("b.pdf")), before);
}

TEST_F(CliTest, SplitWritesTheSelectionAndTheRest)
{
    writeTextDocument(in("five.pdf"), 5, "Five");
    CommandResult result = colligo("split " + q("five.pdf") + " 4,2 -o " + q("part.pdf") + " --rest");
    EXPECT_EQ(result.status, 0) << result.output;
    expectPagesMatch(in("part.pdf"), { { in("five.pdf"), 4 }, { in("five.pdf"), 2 } });
    expectPagesMatch(in("part-2.PDF"), { { in("five.pdf"), 1 }, { in("five.pdf"), 3 }, { in("five.pdf"), 5 } });

    EXPECT_EQ(colligo("split " + q("missing.pdf") + " 1 -o " + q("x.pdf")).status, 1);
    EXPECT_EQ(colligo("split " + q("five.pdf") + " -o " + q("x.pdf")).status, 2);
}

TEST_F(CliTest, OutlineListingAndSplit)
{
    const std::string manual = "/usr/share/R/doc/manual/R-intro.pdf";
    CommandResult listing = colligo("outline " + manual);
    EXPECT_EQ(listing.status, 0);
    EXPECT_NE(listing.output.find("Preface  (page 7)\n1 Introduction and preliminaries  (page 8)\n  The R environment  (page 8)\n"),
              std::string::npos) << listing.output;
    EXPECT_NE(colligo("outline " + q("a.pdf")).output.find("has no outline"), std::string::npos);

    fs::create_directories(in("chapters"));
    CommandResult split = colligo("split-outline " + manual + " -d " + q("chapters") + " --level 1");
    EXPECT_EQ(split.status, 0) << split.output;
    EXPECT_TRUE(fs::exists(in("chapters/start-Preface.PDF")));
    EXPECT_TRUE(fs::exists(in("chapters/Preface-1 Introduction and preliminaries.PDF")));
    EXPECT_EQ(colligo("split-outline " + manual + " -d " + q("chapters") + " --level 9").status, 1);
    EXPECT_EQ(colligo("split-outline " + manual).status, 2);
}

// Ctrl-C during a long merge: the engine is stopped through the callback, the
// partial output is removed, and the exit status says so.
TEST_F(CliTest, InterruptStopsTheMergeCleanly)
{
    const std::string big = "/usr/share/R/doc/manual/refman.pdf"; // 2415 pages
    ASSERT_TRUE(fs::exists(big));
    int errors[2];
    ASSERT_EQ(pipe(errors), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errors[0]);
    std::string output = in("interrupted.pdf");
    std::vector<std::string> words = { COLLIGO_PROGRAM, "merge", "-o", output, big, big, big };
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child;
    ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    close(errors[1]);

    std::string seen;
    char chunk[256];
    ssize_t got;
    while (seen.find("%\n") == std::string::npos && (got = read(errors[0], chunk, sizeof chunk)) > 0)
        seen.append(chunk, static_cast<std::size_t>(got));
    kill(child, SIGINT);
    while ((got = read(errors[0], chunk, sizeof chunk)) > 0)
        seen.append(chunk, static_cast<std::size_t>(got));
    int status = 0;
    waitpid(child, &status, 0);
    close(errors[0]);
    posix_spawn_file_actions_destroy(&actions);

    ASSERT_TRUE(WIFEXITED(status)) << "colligo should stop cleanly, not die of the signal";
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_NE(seen.find("interrupted"), std::string::npos) << seen;
    EXPECT_FALSE(fs::exists(output));
}

// Merges and splits keep what readers navigate by unless --plain says
// otherwise; the document information comes from the options.
TEST_F(CliTest, NavigationIsKeptUnlessPlain)
{
    writeFile(in("nav.pdf"), navigationDocument(3, "Nav", "value"));
    CommandResult info = colligo("info " + q("nav.pdf"));
    EXPECT_NE(info.output.find("3 pages, with an outline, links, annotations, form fields and page labels"), std::string::npos) << info.output;

    ASSERT_EQ(colligo("merge -o " + q("kept.pdf") + " --title 'Kept – all' --author Ann " + q("nav.pdf") + " " + q("a.pdf")).status, 0);
    EXPECT_FALSE(navigationLines("outline", in("kept.pdf")).empty());
    EXPECT_FALSE(navigationLines("links", in("kept.pdf")).empty());
    expectPagesMatch(in("kept.pdf"), { { in("nav.pdf"), 1 }, { in("nav.pdf"), 2 }, { in("nav.pdf"), 3 }, { in("a.pdf"), 1 },
                                       { in("a.pdf"), 2 }, { in("a.pdf"), 3 } });
    CommandResult properties = runCommand("pdfinfo -enc UTF-8 " + q("kept.pdf"));
    EXPECT_NE(properties.output.find("Kept – all"), std::string::npos) << properties.output;

    ASSERT_EQ(colligo("merge --plain -o " + q("plain.pdf") + " " + q("nav.pdf") + " " + q("a.pdf")).status, 0);
    EXPECT_TRUE(navigationLines("outline", in("plain.pdf")).empty());
    EXPECT_TRUE(navigationLines("links", in("plain.pdf")).empty());
    EXPECT_EQ(qpdfPageCount(in("plain.pdf")), 6);
    EXPECT_EQ(readFile(in("plain.pdf")).find("/Annots"), std::string::npos); // pages only: no fields, notes or links

    ASSERT_EQ(colligo("split " + q("nav.pdf") + " 2-3 -o " + q("part.pdf") + " --bookmark-per-file").status, 0);
    EXPECT_FALSE(navigationLines("outline", in("part.pdf")).empty());
    EXPECT_EQ(colligo("merge -o " + q("x.pdf") + " --title").status, 2);
}

} // namespace
