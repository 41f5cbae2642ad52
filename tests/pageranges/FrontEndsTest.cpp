// One table of page-range expressions through the engine's three front ends:
// the engine's exports (AddFile with the expression as it is, then Colligo),
// the application's text functions (what the method dialog makes of a Part
// text before the engine sees it) and the command line (colligo merge
// FILE:RANGE). Every front end's outcome is written out per expression, so
// the table shows where they agree and where the application and the command
// line are stricter than the engine by design. Each merge's pages are read
// back with pdftotext; a merge writes the pages of a 5-page file, then the one
// page of a closing file.
#include "Data_unit1.h"
#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include "colligo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

const int pageCount = 5;
const char refused[] = "refused"; // the method dialog: "Please choose page range to merge."

struct Case
{
    std::string expression;
    std::string engine;          // pages the engine writes for the expression as it is
    std::string workspaceText;   // NormalizeRange's text, which the dialog hands the engine
    bool workspaceValid;         // NormalizeRange's result; false shows "Invalid format or out of range!"
    std::string workspacePages;  // pages the engine writes for that text, or `refused` when it is empty
    std::string commandLine;     // pages colligo writes, or the wrong piece it names
};

// Pages are listed as "1 3 5"; "" is none at all.
const Case cases[] = {
    // Where all three agree.
    { "1,3,5", "1 3 5", "1,3,5", true, "1 3 5", "1 3 5" },
    { "2-4", "2 3 4", "2-4", true, "2 3 4", "2 3 4" },
    { " 2-4", "2 3 4", "2-4", true, "2 3 4", "2 3 4" },
    { "2,2,1", "2 2 1", "2,2,1", true, "2 2 1", "2 2 1" },
    { "1, 3", "1 3", "1,3", true, "1 3", "1 3" },
    { "1,,2", "1 2", "1,2", true, "1 2", "1 2" },
    { "4,", "4", "4", true, "4", "4" },
    // A descending range: the engine and the command line count down; the
    // application never sends one.
    { "5-3", "5 4 3", "", false, refused, "5 4 3" },
    // Blanks: after a comma the engine reads only the first word, so it loses
    // pages; the application and the command line read every piece.
    { "1, 2, 3", "1 2", "1,2,3", true, "1 2 3", "1 2 3" },
    { "1,3 4,5", "1 3", "1,5", false, "1 5", "'3 4' at character 3" },
    { "2 - 4", "2 3 4", "1-4", true, "1 2 3 4", "2 3 4" }, // the application reads "2 " as nothing, raised to 1
    // A missing number: each reads it its own way; the command line asks.
    { "-3", "1 2 3", "3", true, "3", "'-3' at character 1" },
    { "3-", "3", "3", true, "3", "'3-' at character 1" },
    { "1--3", "1", "1-3", true, "1 2 3", "'1--3' at character 1" },
    { "1-2-3", "1 2", "", false, refused, "'1-2-3' at character 1" },
    // Text that is not a number reads as 0 in the engine; page 0 is not written.
    { "0", "", "", false, refused, "'0' at character 1" },
    { "abc", "", "", false, refused, "'abc' at character 1" },
    { "1,x-3", "1 1 2 3", "1,1-3", true, "1 1 2 3", "'x-3' at character 3" },
    { "+2", "2", "", false, refused, "'+2' at character 1" },
    { "", "", "", false, refused, "selects no page" },
    // Past the last page: the engine's walk of the file ends there; the
    // application drops the piece; the command line leaves it to the engine.
    { "7", "", "", false, refused, "" },
    { "4-7", "4 5", "", false, refused, "4 5" },
    { "99999999999", "", "", false, refused, "" },
};

class FrontEndsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeTextDocument(five, pageCount, "Five");
        writeTextDocument(closing, 1, "End");
    }

    // The engine's exports with `expression` as it is.
    std::string engineMerge(const std::string &expression)
    {
        ClearList();
        EXPECT_EQ(AddFile(five.c_str(), expression.c_str(), 0), 1);
        EXPECT_EQ(AddFile(closing.c_str(), "1", 0), 1);
        EXPECT_EQ(Colligo(output.c_str(), 0, nullptr), 1) << expression;
        return pagesWritten();
    }

    // colligo merge: the pages it wrote, or the wrong piece and its place.
    std::string commandLineMerge(const std::string &expression)
    {
        const CommandResult result = runCommand(std::string(COLLIGO_PROGRAM) + " merge -o " + shellQuote(output) + " " +
                                                shellQuote(five + ":" + expression) + " " + shellQuote(closing));
        if (result.status == 0)
            return pagesWritten();
        EXPECT_EQ(result.status, 2) << result.output;
        const std::string prefix = "colligo: merge: page range '" + expression + "' of " + five + ": ";
        const std::size_t found = result.output.find(prefix);
        if (found == std::string::npos)
            return "unexpected message: " + result.output;
        const std::string problem = result.output.substr(found + prefix.size());
        std::smatch named;
        if (std::regex_search(problem, named, std::regex("^('.*' at character \\d+)")))
            return named[1];
        return problem.substr(0, problem.find('\n'));
    }

    // The pages of the 5-page file before the closing page, as "1 3 5".
    std::string pagesWritten()
    {
        const std::vector<std::string> texts = allPageTexts(output);
        EXPECT_FALSE(texts.empty());
        std::string pages;
        for (std::size_t index = 0; index + 1 < texts.size(); ++index) {
            std::smatch page;
            if (!std::regex_search(texts[index], page, std::regex("Five page (\\d+)")))
                return "unexpected page: " + texts[index];
            pages += (pages.empty() ? "" : " ") + page[1].str();
        }
        EXPECT_NE(texts.back().find("End page 1"), std::string::npos);
        return pages;
    }

    TempDir dir;
    const std::string five = dir.file("five.pdf");
    const std::string closing = dir.file("end.pdf");
    const std::string output = dir.file("out.pdf");
};

TEST_F(FrontEndsTest, OneTableThroughEngineApplicationAndCommandLine)
{
    for (const Case &c : cases) {
        SCOPED_TRACE("expression \"" + c.expression + "\"");
        EXPECT_EQ(engineMerge(c.expression), c.engine);

        QString text = QString::fromStdString(c.expression);
        EXPECT_EQ(NormalizeRange(text, pageCount), c.workspaceValid);
        EXPECT_EQ(text.toStdString(), c.workspaceText);
        if (!text.isEmpty()) {
            EXPECT_EQ(engineMerge(text.toStdString()), c.workspacePages);
            EXPECT_EQ(CountRangePages(text, pageCount), static_cast<int>(SplitPieces(QString::fromStdString(c.workspacePages), " ").size()));
        } else {
            EXPECT_EQ(c.workspacePages, refused);
        }

        EXPECT_EQ(commandLineMerge(c.expression), c.commandLine);
    }
}

// What the application hands the engine for a reversed Part choice is every
// page on its own, last first, and the engine writes exactly those pages: no
// descending range, and as many pages as the progress dialog counts.
TEST_F(FrontEndsTest, TheApplicationsReversedTextsReachTheEngineAsCounted)
{
    for (const Case &c : cases) {
        QString text = QString::fromStdString(c.expression);
        NormalizeRange(text, pageCount);
        if (text.isEmpty())
            continue;
        SCOPED_TRACE("expression \"" + c.expression + "\"");
        QString reversed = text;
        ReverseRange(reversed, pageCount);
        EXPECT_FALSE(reversed.contains(u'-')) << reversed.toStdString();
        QStringList pages = SplitPieces(QString::fromStdString(c.workspacePages), " ");
        std::reverse(pages.begin(), pages.end());
        EXPECT_EQ(engineMerge(reversed.toStdString()), pages.join(u' ').toStdString());
    }
}

} // namespace
