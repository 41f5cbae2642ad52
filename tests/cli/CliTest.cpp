// colligo from the shell: help, usage errors, info and merge with their exit
// statuses, and a clean stop on Ctrl-C. The help texts, the parser and the
// bash completion file are checked against the command table they are made
// from (tools/colligo/CommandTable.cpp), which the test links.
#include "CommandLine.h"
#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include "colligo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>
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

// A wrong piece of a range is named with its place before anything is
// written; a right range reaches the engine in a form it reads as meant.
TEST_F(CliTest, RangeErrorsNameThePieceAndItsPlace)
{
    const struct
    {
        std::string arguments;
        std::string message;
    } wrong[] = {
        { "merge -o " + q("out.pdf") + " " + q("a.pdf") + ":1,x-3 " + q("b.pdf"),
          "colligo: merge: page range '1,x-3' of " + in("a.pdf") + ": 'x-3' at character 3 is not a page number or a range such as 6-18\n"
          "Try 'colligo merge --help' for more information.\n" },
        { "merge -o " + q("out.pdf") + " " + q("a.pdf") + " " + q("b.pdf") + ":2,0",
          "colligo: merge: page range '2,0' of " + in("b.pdf") + ": '0' at character 3 names page 0; pages are numbered from 1\n" },
        { "merge -o " + q("out.pdf") + " " + q("a.pdf") + ": " + q("b.pdf"),
          "colligo: merge: page range '' of " + in("a.pdf") + ": selects no page\n" },
        { "split " + q("a.pdf") + " '2, -3' -o " + q("out.pdf"),
          "colligo: split: page range '2, -3': '-3' at character 4 has no first page\n" },
        { "split " + q("a.pdf") + " 'é,3-' -o " + q("out.pdf"),
          "colligo: split: page range 'é,3-': 'é' at character 1 is not a page number or a range such as 6-18\n" },
    };
    for (const auto &[arguments, message] : wrong) {
        CommandResult result = colligo(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_NE(result.output.find(message), std::string::npos) << result.output;
        EXPECT_FALSE(fs::exists(in("out.pdf"))) << arguments;
    }

    // As typed, "3, 2, 1" would lose its 1 in the engine's reading.
    CommandResult result = colligo("merge -o " + q("out.pdf") + " " + q("a.pdf") + ":'3, 2, 1' " + q("b.pdf") + ":' 2 - 1 '");
    EXPECT_EQ(result.status, 0) << result.output;
    expectPagesMatch(in("out.pdf"), { { in("a.pdf"), 3 }, { in("a.pdf"), 2 }, { in("a.pdf"), 1 }, { in("b.pdf"), 2 }, { in("b.pdf"), 1 } });
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

// ---- The command table, the help, the parser and the completion file ----------

// Standard output alone (the help, info --json), with the exit status.
CommandResult colligoOut(const std::string &arguments)
{
    return runCommand(std::string(COLLIGO_PROGRAM) + " " + arguments + " 2>/dev/null");
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        result.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

// Every option a text names: "-o", "--plain", "--title" in "--title=x"; not
// "-2.PDF", "A-B.PDF" or "'-'".
std::set<std::string> optionsNamedIn(const std::string &text)
{
    static const std::regex option(R"((^|[\s\[(,"'])(--?[A-Za-z][A-Za-z0-9-]*))");
    std::set<std::string> named;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        named.insert((*it)[2].str());
    return named;
}

std::vector<std::string> spellings(const cli::Option &option)
{
    std::vector<std::string> list { option.name };
    if (option.shortName)
        list.push_back(std::string("-") + option.shortName);
    return list;
}

std::set<std::string> acceptedSpellings(const cli::Command &command)
{
    std::set<std::string> accepted;
    for (const cli::Option *option : command.acceptedOptions())
        for (const std::string &spelling : spellings(*option))
            accepted.insert(spelling);
    return accepted;
}

// The line of `help` that shows `option`: its names, then its description.
bool listsOption(const std::string &help, const cli::Option &option)
{
    for (const std::string &line : lines(help)) {
        std::size_t names = line.find(cli::optionNames(option));
        if (names != std::string::npos && line.find(option.description, names) != std::string::npos)
            return true;
    }
    return false;
}

void expectLinesFit(const std::string &help, const std::string &what)
{
    for (const std::string &line : lines(help))
        EXPECT_LE(line.size(), 80u) << what << ": " << line;
}

TEST_F(CliTest, TheTableIsWellFormed)
{
    std::set<std::string> names;
    for (const cli::Command &command : cli::commands()) {
        EXPECT_TRUE(names.insert(command.name).second) << command.name << " is listed twice";
        EXPECT_NE(command.run, nullptr) << command.name;
        std::set<std::string> seen;
        for (const cli::Option *option : command.acceptedOptions()) {
            EXPECT_EQ(option->name.rfind("--", 0), 0u) << command.name << ": " << option->name;
            EXPECT_LE(option->description.size(), 50u) << command.name << " " << option->name;
            EXPECT_EQ(option->placeholder.empty(), option->value == cli::Value::none) << command.name << " " << option->name;
            for (const std::string &spelling : spellings(*option))
                EXPECT_TRUE(seen.insert(spelling).second) << command.name << " accepts " << spelling << " twice";
        }
    }
}

// colligo --help lists every command and every option of the table, one line
// each, and names no option the parser would refuse.
TEST_F(CliTest, GeneralHelpListsEveryCommandAndOption)
{
    for (const char *spelling : { "--help", "-h", "help" }) {
        CommandResult help = colligoOut(spelling);
        EXPECT_EQ(help.status, 0) << spelling;
        std::set<std::string> everyOption;
        for (const cli::Command &command : cli::commands()) {
            EXPECT_NE(help.output.find("\n  " + command.name + " " + command.synopsis + "\n    " + command.summary + "\n"), std::string::npos)
                << command.name;
            for (const cli::Option *option : command.acceptedOptions()) {
                if (option == &cli::helpOption())
                    continue; // listed once, with the program options
                EXPECT_TRUE(listsOption(help.output, *option)) << command.name << " " << option->name << " in\n" << help.output;
            }
            std::set<std::string> accepted = acceptedSpellings(command);
            everyOption.insert(accepted.begin(), accepted.end());
        }
        for (const cli::Option &option : cli::programOptions().options) {
            EXPECT_TRUE(listsOption(help.output, option)) << option.name;
            for (const std::string &name : spellings(option))
                everyOption.insert(name);
        }
        EXPECT_EQ(optionsNamedIn(help.output), everyOption) << help.output;
        expectLinesFit(help.output, spelling);
    }
    CommandResult help = colligoOut("--help");
    EXPECT_NE(help.output.find("Output options of merge, split and split-outline:"), std::string::npos);
    EXPECT_NE(help.output.find("1,3,6-18"), std::string::npos);
}

// colligo COMMAND --help shows that command's usage and exactly the options
// it accepts, each on one line with its description.
TEST_F(CliTest, CommandHelpListsExactlyItsOptions)
{
    for (const cli::Command &command : cli::commands()) {
        CommandResult help = colligoOut(command.name + " --help");
        EXPECT_EQ(help.status, 0) << command.name;
        EXPECT_EQ(help.output.rfind("Usage: colligo " + command.name + " " + command.synopsis + "\n", 0), 0u) << help.output;
        for (const cli::Option *option : command.acceptedOptions())
            EXPECT_TRUE(listsOption(help.output, *option)) << command.name << " " << option->name << " in\n" << help.output;
        EXPECT_EQ(optionsNamedIn(help.output), acceptedSpellings(command)) << help.output;
        expectLinesFit(help.output, command.name);

        // The same help by -h, by "colligo help COMMAND", and after other
        // arguments, even wrong ones.
        EXPECT_EQ(colligoOut(command.name + " -h").output, help.output);
        EXPECT_EQ(colligoOut("help " + command.name).output, help.output);
        CommandResult late = colligoOut(command.name + " --no-such-option x --help");
        EXPECT_EQ(late.status, 0);
        EXPECT_EQ(late.output, help.output);
    }
    // What "keeping everything" covers, and --plain.
    CommandResult merge = colligoOut("merge --help");
    for (const char *kept : { "bookmarks", "links", "annotations", "forms", "page labels", "tagged structure", "layers", "metadata",
                              "PDF/A", "document settings", "attachments", "--plain writes pages only" })
        EXPECT_NE(merge.output.find(kept), std::string::npos) << kept;
    EXPECT_NE(colligoOut("info --help").output.find("\"page_labels\""), std::string::npos);
}

// The parser accepts every option of a command's table entry, and refuses
// every other, naming it and pointing at the command's help.
TEST_F(CliTest, TheParserAcceptsExactlyTheTable)
{
    std::set<std::string> everyOption = { "--bogus", "-x", "--version", "-V" };
    for (const cli::Command &command : cli::commands()) {
        std::set<std::string> accepted = acceptedSpellings(command);
        everyOption.insert(accepted.begin(), accepted.end());
    }
    for (const cli::Command &command : cli::commands()) {
        for (const std::string &spelling : everyOption) {
            const cli::Option *option = command.find(spelling);
            // With no FILE operands nothing is opened or written: an accepted
            // option ends in the command's own complaint about its operands
            // (or in its help).
            std::string arguments = command.name + " " + spelling + (option && option->value != cli::Value::none ? " 1" : "");
            CommandResult result = colligo(arguments);
            std::string refusal = "colligo: " + command.name + ": unknown option '" + spelling + "'\nTry 'colligo " + command.name +
                                  " --help' for more information.\n";
            if (option) {
                EXPECT_EQ(result.output.find("unknown option"), std::string::npos) << arguments << "\n" << result.output;
                EXPECT_EQ(result.status, option == &cli::helpOption() ? 0 : 2) << arguments << "\n" << result.output;
            } else {
                EXPECT_EQ(result.output, refusal) << arguments;
                EXPECT_EQ(result.status, 2) << arguments;
            }
        }
    }
}

TEST_F(CliTest, WrongOptionsAndMissingValuesSayWhich)
{
    struct Case
    {
        const char *arguments;
        const char *message;
    } cases[] = {
        { "merge --foo", "colligo: merge: unknown option '--foo'\nTry 'colligo merge --help' for more information.\n" },
        { "merge -o out.pdf a.pdf b.pdf --foo=1", "colligo: merge: unknown option '--foo'\n" },
        { "merge a.pdf b.pdf -o", "colligo: merge: option '-o' needs a value: -o OUT\nTry 'colligo merge --help'" },
        { "merge -o out.pdf a.pdf b.pdf --title", "colligo: merge: option '--title' needs a value: --title TITLE\n" },
        { "split a.pdf 1 --output", "colligo: split: option '--output' needs a value: --output OUT\n" },
        { "split-outline a.pdf -d", "colligo: split-outline: option '-d' needs a value: -d FOLDER\n" },
        { "split-outline a.pdf -d x --level two", "colligo: split-outline: option '--level' needs a whole number from 1 up, not 'two'\n" },
        { "split-outline a.pdf -d x --level 0", "not '0'" },
        { "merge --plain=yes -o out.pdf a.pdf b.pdf", "colligo: merge: option '--plain' takes no value\n" },
        { "outline --rest a.pdf", "colligo: outline: unknown option '--rest'\nTry 'colligo outline --help' for more information.\n" },
        { "info -o x a.pdf", "colligo: info: unknown option '-o'\n" },
        { "merge -o out.pdf a.pdf", "colligo: merge: needs at least two FILE arguments" },
        { "frobnicate", "colligo: unknown command 'frobnicate'\nTry 'colligo --help' for more information.\n" },
        { "--frobnicate", "colligo: unknown option '--frobnicate'\nTry 'colligo --help' for more information.\n" },
        { "help frobnicate", "colligo: unknown command 'frobnicate'\n" },
        { "", "colligo: missing COMMAND\n" },
    };
    for (const Case &item : cases) {
        CommandResult result = colligo(item.arguments);
        EXPECT_EQ(result.status, 2) << item.arguments;
        EXPECT_NE(result.output.find(item.message), std::string::npos) << item.arguments << "\n" << result.output;
    }
}

TEST_F(CliTest, OptionSpellings)
{
    // --output=OUT, options after the files, and "--" before a file whose
    // name starts with a dash.
    fs::copy_file(in("b.pdf"), in("-b.pdf"));
    CommandResult result = runCommand("cd " + shellQuote(dir.path()) + " && " + COLLIGO_PROGRAM + " merge a.pdf:1 --output=out.pdf -- -b.pdf");
    EXPECT_EQ(result.status, 0) << result.output;
    expectPagesMatch(in("out.pdf"), { { in("a.pdf"), 1 }, { in("b.pdf"), 1 }, { in("b.pdf"), 2 } });

    // The last of a repeated option wins.
    ASSERT_EQ(colligo("merge -o " + q("first.pdf") + " -o " + q("second.pdf") + " --title One --title=Two " + q("a.pdf") + " " + q("b.pdf")).status, 0);
    EXPECT_FALSE(fs::exists(in("first.pdf")));
    EXPECT_NE(runCommand("pdfinfo " + q("second.pdf")).output.find("Two"), std::string::npos);
}

TEST_F(CliTest, Version)
{
    for (const char *spelling : { "--version", "-V" }) {
        CommandResult version = colligo(spelling);
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.output, std::string("colligo ") + COLLIGO_VERSION + "\n");
        EXPECT_TRUE(std::regex_match(version.output, std::regex("colligo [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << version.output;
    }
}

// The completion file is the one the table makes, and names, for each
// command, exactly the options the parser accepts.
TEST_F(CliTest, CompletionFileMatchesTheTable)
{
    const std::string file = readFile(COMPLETION_FILE);
    EXPECT_EQ(file, cli::bashCompletion())
        << "tools/colligo/colligo.bash-completion is out of date: cmake --build BUILD --target update-completion";

    std::set<std::string> commandsCompleted;
    static const std::regex arm(R"(\n    ([a-z-]+)\)\n        options='([^']*)')");
    for (auto it = std::sregex_iterator(file.begin(), file.end(), arm); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1].str();
        commandsCompleted.insert(name);
        const cli::Command *command = cli::findCommand(name);
        ASSERT_NE(command, nullptr) << name;
        std::set<std::string> completed;
        const std::string listed = (*it)[2].str();
        static const std::regex word(R"(\S+)");
        for (auto found = std::sregex_iterator(listed.begin(), listed.end(), word); found != std::sregex_iterator(); ++found)
            completed.insert(found->str());
        EXPECT_EQ(completed, acceptedSpellings(*command)) << name;
        EXPECT_EQ(optionsNamedIn(colligoOut(name + " --help").output), completed) << name;
    }
    std::set<std::string> tableCommands;
    for (const cli::Command &command : cli::commands())
        tableCommands.insert(command.name);
    EXPECT_EQ(commandsCompleted, tableCommands);
}

// The manual page documents every option of the table.
TEST_F(CliTest, ManualPageNamesEveryOption)
{
    std::string page = readFile(MANUAL_PAGE);
    // roff spells a minus "\-" and switches fonts with "\fB", "\fI", "\fR".
    page = std::regex_replace(page, std::regex(R"(\\f[BIR])"), " ");
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
    const std::set<std::string> named = optionsNamedIn(page);
    for (const cli::Command &command : cli::commands()) {
        EXPECT_NE(page.find("colligo " + command.name), std::string::npos) << command.name;
        for (const cli::Option *option : command.acceptedOptions())
            for (const std::string &spelling : spellings(*option))
                EXPECT_TRUE(named.count(spelling)) << command.name << " " << spelling << " is not in docs/colligo.1";
    }
    for (const cli::Option &option : cli::programOptions().options)
        for (const std::string &spelling : spellings(option))
            EXPECT_TRUE(named.count(spelling)) << spelling << " is not in docs/colligo.1";
}

// What bash offers with the completion file loaded.
std::vector<std::string> completions(const std::string &folder, const std::vector<std::string> &words)
{
    std::string script = "source " + shellQuote(COMPLETION_FILE) + "; cd " + shellQuote(folder) + "; COMP_WORDS=(";
    for (const std::string &word : words)
        script += shellQuote(word) + " ";
    script += "); COMP_CWORD=" + std::to_string(words.size() - 1) + "; _colligo; printf '%s\\n' \"${COMPREPLY[@]}\"";
    CommandResult result = runCommand("bash --norc --noprofile -c " + shellQuote(script));
    EXPECT_EQ(result.status, 0) << result.output;
    std::vector<std::string> offered;
    for (const std::string &line : lines(result.output))
        if (!line.empty())
            offered.push_back(line);
    std::sort(offered.begin(), offered.end());
    return offered;
}

TEST_F(CliTest, CompletionInBash)
{
    using List = std::vector<std::string>;
    fs::create_directories(in("chapters"));
    writeFile(in("notes.txt"), "not a PDF");
    fs::copy_file(in("b.pdf"), in("UPPER.PDF"));
    const List pdfs = { "UPPER.PDF", "a.pdf", "b.pdf", "chapters" };
    EXPECT_EQ(completions(dir.path(), { "colligo", "" }), (List { "info", "merge", "outline", "split", "split-outline" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "sp" }), (List { "split", "split-outline" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "--" }), (List { "--help", "--version" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "merge", "--b" }), (List { "--bookmark-per-file" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "info", "-" }), (List { "--help", "--json", "-h" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "outline", "--" }), (List { "--help" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "merge", "a.pdf", "" }), pdfs);
    EXPECT_EQ(completions(dir.path(), { "colligo", "merge", "-o", "" }), pdfs);
    EXPECT_EQ(completions(dir.path(), { "colligo", "merge", "--output", "=", "" }), pdfs);
    EXPECT_EQ(completions(dir.path(), { "colligo", "info", "b" }), (List { "b.pdf" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "split-outline", "a.pdf", "-d", "" }), (List { "chapters" }));
    EXPECT_EQ(completions(dir.path(), { "colligo", "split-outline", "a.pdf", "--level", "" }), List {});
    EXPECT_EQ(completions(dir.path(), { "colligo", "merge", "--title", "" }), List {});
    EXPECT_EQ(completions(dir.path(), { "colligo", "merge", "--", "--p" }), List {});
}

// ---- info: what else a file holds, and --json --------------------------------------

std::string ref(int number)
{
    return std::to_string(number) + " 0 R";
}

// One page in a catalogue that gets `catalogueExtra`; `build` adds objects.
template <typename Build> std::string onePageDocument(Build build)
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();
    int page = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    int contents = pdf.addStream("", "/P << /MCID 0 >> BDC BT /F1 24 Tf 72 700 Td (Holding page 1) Tj ET EMC");
    pdf.add("<< /Type /Page /Parent " + ref(pages) + " /Resources << /Font << /F1 " + ref(font) + " >> >> /Contents " + ref(contents) +
                " /StructParents 0 >>",
            page);
    pdf.add("<< /Type /Pages /MediaBox [0 0 612 792] /Count 1 /Kids [" + ref(page) + "] >>", pages);
    std::string catalogueExtra = build(pdf, page);
    pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " " + catalogueExtra + " >>", catalog);
    return pdf.build(catalog);
}

std::string xmpPacket(const std::string &description)
{
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n" +
           description +
           "\n</rdf:RDF></x:xmpmeta>\n"
           "<?xpacket end=\"w\"?>";
}

// Tagged (a structure tree and /MarkInfo), with a language and XMP metadata
// declaring PDF/A-1b in XMP's element spelling.
std::string taggedDocument()
{
    return onePageDocument([](PdfBuilder &pdf, int page) {
        int root = pdf.reserve();
        int paragraph = pdf.reserve();
        int parentTree = pdf.add("<< /Nums [0 [" + ref(paragraph) + "]] >>");
        pdf.add("<< /Type /StructElem /S /P /P " + ref(root) + " /Pg " + ref(page) + " /K 0 >>", paragraph);
        pdf.add("<< /Type /StructTreeRoot /K [" + ref(paragraph) + "] /ParentTree " + ref(parentTree) + " /ParentTreeNextKey 1 >>", root);
        int metadata = pdf.addStream("/Type /Metadata /Subtype /XML",
                                     xmpPacket("<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">"
                                               "<pdfaid:part>1</pdfaid:part><pdfaid:conformance>B</pdfaid:conformance>"
                                               "</rdf:Description>"));
        return "/StructTreeRoot " + ref(root) + " /MarkInfo << /Marked true >> /Metadata " + ref(metadata) + " /Lang (en-GB)";
    });
}

// A layer and an attached file, with metadata declaring PDF/A-2a and
// PDF/UA-1 in XMP's attribute spelling.
std::string layeredDocument()
{
    return onePageDocument([](PdfBuilder &pdf, int) {
        int layer = pdf.add("<< /Type /OCG /Name (Notes) >>");
        int data = pdf.addStream("/Type /EmbeddedFile", "attached text");
        int fileSpec = pdf.add("<< /Type /Filespec /F (note.txt) /UF (note.txt) /EF << /F " + ref(data) + " >> >>");
        int metadata = pdf.addStream("/Type /Metadata /Subtype /XML",
                                     xmpPacket("<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" "
                                               "xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\" pdfaid:part=\"2\" "
                                               "pdfaid:conformance=\"A\" pdfuaid:part=\"1\"/>"));
        return "/OCProperties << /OCGs [" + ref(layer) + "] /D << /Order [" + ref(layer) + "] >> >> /Names << /EmbeddedFiles << /Names [(note.txt) " +
               ref(fileSpec) + "] >> >> /Metadata " + ref(metadata);
    });
}

std::string conformanceOf(const std::string &path)
{
    DocumentHandle handle = OpenPDF(path.c_str(), nullptr);
    EXPECT_GT(handle, 0) << path;
    if (handle <= 0)
        return "(not opened)";
    char text[64] = "unchanged";
    int32_t length = GetConformance(handle, text, sizeof text);
    ClosePDF(handle);
    EXPECT_EQ(length, static_cast<int32_t>(std::strlen(text)));
    return text;
}

TEST_F(CliTest, InfoSaysWhatElseAFileHoldsAndWhatItDeclares)
{
    writeFile(in("tagged.pdf"), taggedDocument());
    writeFile(in("layered.pdf"), layeredDocument());
    ASSERT_TRUE(qpdfCheckPasses(in("tagged.pdf")));
    ASSERT_TRUE(qpdfCheckPasses(in("layered.pdf")));
    EXPECT_EQ(conformanceOf(in("tagged.pdf")), "PDF/A-1b");
    EXPECT_EQ(conformanceOf(in("layered.pdf")), "PDF/A-2a PDF/UA-1");
    EXPECT_EQ(conformanceOf(in("a.pdf")), "");

    CommandResult info = colligo("info " + q("tagged.pdf") + " " + q("layered.pdf") + " " + q("a.pdf"));
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.output, in("tagged.pdf") + ": 1 page, with tagged structure, metadata and document settings; declares PDF/A-1b\n" +
                               in("layered.pdf") + ": 1 page, with layers, metadata and attachments; declares PDF/A-2a and PDF/UA-1\n" +
                               in("a.pdf") + ": 3 pages\n");
}

std::string hex(const std::string &bytes)
{
    std::string text;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", c);
        text += pair;
    }
    return text;
}

// info --json read back by Python's json module: one object per file and
// line, strings escaped whatever the path holds, refusals with their reason.
TEST_F(CliTest, InfoJsonLinesReadBackByAnIndependentParser)
{
    writeFile(in("nav.pdf"), navigationDocument(3, "Nav", "value"));
    writeFile(in("tagged.pdf"), taggedDocument());
    writeFile(in("layered.pdf"), layeredDocument());
    writeFile(in("text.pdf"), "plain text");
    encryptWithQpdf(in("a.pdf"), in("opens.pdf"), "", "owner");
    encryptWithQpdf(in("a.pdf"), in("locked.pdf"), "user", "owner");
    encryptWithQpdf(in("a.pdf"), in("no-print.pdf"), "", "owner", "--print=none");
    const std::string strange = "we\"ird\\ \t\x01\x1f\x7f\n é 日本 𝄞 \xE2\x80\xA8 '.pdf";
    fs::copy_file(in("b.pdf"), in(strange));
    fs::copy_file(in("b.pdf"), in("bad-\xFF-byte.pdf"));

    struct Expected
    {
        std::string name;
        std::string fields; // what read_json_lines.py prints after the path
    } expected[] = {
        { "a.pdf", "pages 3\nholds -\nconformance null\n" },
        { "nav.pdf", "pages 3\nholds outline links annotations forms page_labels\nconformance null\n" },
        { "tagged.pdf", "pages 1\nholds tagged metadata settings\nconformance PDF/A-1b\n" },
        { "layered.pdf", "pages 1\nholds layers metadata attachments\nconformance PDF/A-2a PDF/UA-1\n" },
        { "opens.pdf", "pages 3\nholds -\nconformance null\n" },
        { "locked.pdf", "refused needs a password\nreason needs a password\n" },
        { "no-print.pdf", "refused restricted\nreason restricted (copying, printing or changing is not allowed)\n" },
        { "text.pdf", "refused unreadable\nreason unreadable (missing, damaged or not a PDF file)\n" },
        { "missing.pdf", "refused unreadable\nreason unreadable (missing, damaged or not a PDF file)\n" },
        { strange, "pages 2\nholds -\nconformance null\n" },
        { "bad-\xFF-byte.pdf", "pages 2\nholds -\nconformance null\n" },
    };
    std::string arguments, reading;
    for (const Expected &file : expected) {
        arguments += " " + q(file.name);
        std::string path = in(file.name);
        if (file.name.find('\xFF') != std::string::npos)
            path = in("bad-\xEF\xBF\xBD-byte.pdf"); // a byte that is not UTF-8 reads as U+FFFD
        reading += "path " + hex(path) + "\n" + file.fields;
    }
    CommandResult run = colligo("info --json" + arguments + " >" + q("info.jsonl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, ""); // everything goes to standard output
    CommandResult read = runCommand("/usr/bin/python3 " + shellQuote(JSON_LINES_READER) + " " + q("info.jsonl"));
    EXPECT_EQ(read.status, 0) << read.output;
    EXPECT_EQ(read.output, reading);
    EXPECT_EQ(lines(readFile(in("info.jsonl"))).size(), std::size(expected)); // one line per file

    // Every file usable: status 0, as plain info.
    EXPECT_EQ(colligo("info --json " + q("a.pdf") + " " + q("tagged.pdf") + " >/dev/null").status, 0);
    EXPECT_EQ(colligo("info --json").status, 2);
}

} // namespace
