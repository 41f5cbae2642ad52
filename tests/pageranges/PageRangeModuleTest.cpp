// The page-range module on its own: where the engine's reading puts each item
// and what it leaves unread, the command line's judgement with the place of
// the wrong piece, and the writer, whose every text the engine must read back
// exactly as written. (The engine's reading rules themselves are pinned by
// tests/engine/PageRangesTest.cpp, the application's by
// tests/gui/PageRangeTextTest.cpp.)
#include "PageRangeCheck.h"
#include "PageRangeReader.h"
#include "PageRangeWriter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using pageranges::Flaw;
using pageranges::Order;
using PageRun = pageranges::Run; // (a test body has a Run of its own)
using pageranges::Span;

namespace {

std::string textOf(const std::string &text, Span span)
{
    return text.substr(span.offset, span.length);
}

TEST(EngineReading, GivesEachItemItsPlaceAndWhatIsLeftUnread)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> items;
        std::vector<PageRun> pages;
        std::string unread;
    };
    const Case cases[] = {
        { "1,3,6-18", { "1", "3", "6-18" }, { { 1, 1 }, { 3, 3 }, { 6, 18 } }, "" },
        { "1,3 4,5", { "1", "3" }, { { 1, 1 }, { 3, 3 } }, " 4,5" },
        { "1, 2, 3", { "1", "2" }, { { 1, 1 }, { 2, 2 } }, " 3" },
        { "1 2,3", { "1 2", "3" }, { { 1, 1 }, { 3, 3 } }, "" }, // the first item keeps its blanks
        { "1 - 3", { "1 - 3" }, { { 1, 3 } }, "" },
        { "5-3", { "5-3" }, { { 5, 3 } }, "" },
        { "1, ,2", { "1", "2" }, { { 1, 1 }, { 2, 2 } }, "" },
        { "9, 10 ,,", { "9", "10" }, { { 9, 9 }, { 10, 10 } }, " ,," },
        { "x-3", { "x-3" }, { { 0, 3 } }, "" },
        { ",,,", {}, {}, "" },
        { "", {}, {}, "" },
    };
    for (const Case &c : cases) {
        const pageranges::Expression read = pageranges::readExpression(c.text);
        std::vector<std::string> items;
        std::vector<PageRun> pages;
        for (const pageranges::Item &item : read.items) {
            items.push_back(textOf(c.text, item.text));
            pages.push_back(item.pages);
        }
        EXPECT_EQ(items, c.items) << c.text;
        EXPECT_EQ(pages, c.pages) << c.text;
        EXPECT_EQ(textOf(c.text, read.unread), c.unread) << c.text;
        EXPECT_EQ(read.unread.end(), c.text.size()) << c.text;
    }
}

TEST(CommandLineJudgement, NamesTheFirstWrongPieceWithItsPlace)
{
    struct Case
    {
        std::string text;
        Flaw flaw;
        std::string piece; // the wrong piece, or nothing
        std::size_t offset;
        std::vector<PageRun> runs;
    };
    const Case cases[] = {
        { "1,3,6-18", Flaw::none, "", 0, { { 1, 1 }, { 3, 3 }, { 6, 18 } } },
        { " 5 - 3 ,2,2", Flaw::none, "", 0, { { 5, 3 }, { 2, 2 }, { 2, 2 } } },
        { "1, 2, 3", Flaw::none, "", 0, { { 1, 1 }, { 2, 2 }, { 3, 3 } } },
        { "1,,2,", Flaw::none, "", 0, { { 1, 1 }, { 2, 2 } } },
        { "99999999999", Flaw::none, "", 0, { { INT_MAX, INT_MAX } } },
        { "1,x-3", Flaw::notAPageOrRange, "x-3", 2, {} },
        { "1,3 4,5", Flaw::notAPageOrRange, "3 4", 2, {} },
        { "1-2-3", Flaw::notAPageOrRange, "1-2-3", 0, {} },
        { "1--3", Flaw::notAPageOrRange, "1--3", 0, {} },
        { "+2", Flaw::notAPageOrRange, "+2", 0, {} },
        { "2,  -3 ", Flaw::noFirstPage, "-3", 4, {} },
        { "3-", Flaw::noLastPage, "3-", 0, {} },
        { "4,0-2", Flaw::pageZero, "0-2", 2, {} },
        { "7,00", Flaw::pageZero, "00", 2, {} },
        { "", Flaw::noPage, "", 0, {} },
        { " , ,", Flaw::noPage, " , ,", 0, {} },
    };
    for (const Case &c : cases) {
        const pageranges::Finding finding = pageranges::checkExpression(c.text);
        EXPECT_EQ(finding.flaw, c.flaw) << c.text;
        EXPECT_EQ(finding.runs, c.runs) << c.text;
        if (c.flaw != Flaw::none) {
            EXPECT_EQ(textOf(c.text, finding.where), c.piece) << c.text;
            EXPECT_EQ(finding.where.offset, c.offset) << c.text;
        }
    }
}

TEST(Writer, WritesAllOddAndEvenPagesInBothOrders)
{
    struct Case
    {
        std::string (*write)(int, Order);
        int pageCount;
        std::string sequence;
        std::string reverse;
    };
    const Case cases[] = {
        { pageranges::allPages, 7, "1-7", "7,6,5,4,3,2,1" },
        { pageranges::allPages, 1, "1", "1" },
        { pageranges::allPages, 0, "1", "1" }, // never "1-0", which would count down
        { pageranges::oddPages, 7, "1,3,5,7", "7,5,3,1" },
        { pageranges::oddPages, 10, "1,3,5,7,9", "9,7,5,3,1" },
        { pageranges::oddPages, 1, "1", "1" },
        { pageranges::evenPages, 7, "2,4,6", "6,4,2" },
        { pageranges::evenPages, 8, "2,4,6,8", "8,6,4,2" },
        { pageranges::evenPages, 1, "2", "2" },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.write(c.pageCount, Order::sequence), c.sequence) << c.pageCount;
        EXPECT_EQ(c.write(c.pageCount, Order::reverse), c.reverse) << c.pageCount;
    }
}

TEST(Writer, WritesRunsReversedAndSliced)
{
    const std::vector<PageRun> runs = { { 1, 1 }, { 3, 3 }, { 6, 8 }, { 12, 10 } };
    EXPECT_EQ(pageranges::writeRuns(runs), "1,3,6-8,12-10");
    EXPECT_EQ(pageranges::writeReversed(runs), "10,11,12,8,7,6,3,1");
    EXPECT_EQ(pageranges::writeSlice(runs, 2, 4), "3,6,7");
    EXPECT_EQ(pageranges::writeSlice(runs, 5, 7), "8,12,11");
    EXPECT_EQ(pageranges::writeSlice(runs, 9, 12), "");
    EXPECT_EQ(pageranges::writeRuns({}), "");
    // A long run costs only the pages the slice takes.
    EXPECT_EQ(pageranges::writeSlice({ { 1, INT_MAX } }, INT_MAX - 1, INT_MAX), "2147483646,2147483647");
}

// Whatever the writer writes, the engine reads back as exactly the runs
// written: no blank, sign or separator of the engine's rules can creep in.
TEST(Writer, TheEngineReadsEveryWrittenTextAsWritten)
{
    const std::vector<std::vector<PageRun>> selections = {
        { { 1, 1 } },
        { { 5, 3 }, { 2, 2 }, { 2, 2 }, { 9, 12 } },
        { { 1, INT_MAX }, { INT_MAX, 1 } },
    };
    for (const std::vector<PageRun> &runs : selections) {
        std::vector<PageRun> read;
        const pageranges::Expression expression = pageranges::readExpression(pageranges::writeRuns(runs));
        for (const pageranges::Item &item : expression.items)
            read.push_back(item.pages);
        EXPECT_EQ(read, runs) << pageranges::writeRuns(runs);
        EXPECT_EQ(expression.unread.length, 0u);
    }
    for (int pageCount : { 1, 2, 9, 10 }) {
        for (auto write : { pageranges::allPages, pageranges::oddPages, pageranges::evenPages }) {
            const std::string reversed = write(pageCount, Order::reverse);
            EXPECT_EQ(pageranges::checkExpression(reversed).flaw, Flaw::none) << reversed;
            EXPECT_EQ(pageranges::readExpression(reversed).unread.length, 0u) << reversed;
        }
    }
}

TEST(ApplicationReading, ReadsUtf16UnitsWithTheirPlaces)
{
    const std::u16string text = u"\u00e9,2-4, 7 ,";
    const std::vector<pageranges::CheckedPiece> pieces = pageranges::checkPieces(std::u16string_view(text), 7);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].text, (Span { 0, 1 }));
    EXPECT_FALSE(pieces[0].verdict.valid);
    EXPECT_EQ(pieces[1].text, (Span { 2, 3 }));
    EXPECT_EQ(pieces[1].verdict.pages, (PageRun { 2, 4 }));
    EXPECT_TRUE(pieces[1].verdict.valid);
    EXPECT_EQ(pieces[2].text, (Span { 7, 1 })); // trimmed
    EXPECT_TRUE(pieces[2].verdict.valid);
}

} // namespace
