// Page-range expressions: every reading rule, and the inputs the rules alone
// would never finish.
#include "api/PageRanges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using colligo::PageList;

namespace {

std::vector<int> expand(const std::string &expression)
{
    PageList pages;
    std::int32_t count = colligo::expandPageRanges(pages, expression);
    std::vector<int> entries;
    pages.forEach([&](int page, std::int64_t) {
        entries.push_back(page);
        return true;
    });
    EXPECT_EQ(count, static_cast<std::int32_t>(entries.size())) << expression;
    return entries;
}

std::vector<int> sequence(int first, int last)
{
    std::vector<int> pages;
    for (int p = first; p <= last; ++p)
        pages.push_back(p);
    return pages;
}

TEST(PageRanges, ReadingRules)
{
    std::vector<int> oneThreeSixToEighteen = { 1, 3 };
    for (int p : sequence(6, 18))
        oneThreeSixToEighteen.push_back(p);

    const std::pair<std::string, std::vector<int>> cases[] = {
        { "1,3,6-18", oneThreeSixToEighteen },
        { "5-3", { 5, 4, 3 } },
        { "4-4", { 4 } },
        { "2,2,1", { 2, 2, 1 } },
        { "1, 3", { 1, 3 } },
        { "1 ,3", { 1, 3 } },
        { "1 - 3", { 1, 2, 3 } },
        { "1 2,3", { 1, 3 } },
        { "1,3 4,5", { 1, 3 } },
        { "3-", { 3 } },
        { "1,", { 1 } },
        { "1,   ", { 1 } },
        { "0", { 0 } },
        { "abc", { 0 } },
        { "7", { 7 } },
        { " 2-4", { 2, 3, 4 } },
        { "1-3 junk", { 1, 2, 3 } },
        { "+2", { 2 } },
        // Inputs the reading rules never finish: empty items yield nothing.
        { "", {} },
        { "   ", {} },
        { ",1", { 1 } },
        { "1,,2", { 1, 2 } },
        { "1, ,2", { 1, 2 } },
        { "1,  , 2", { 1, 2 } },
        { ",,,", {} },
        // No low part: atoi's reading of nothing, 0.
        { "-3", { 0, 1, 2, 3 } },
    };
    for (const auto &[expression, expected] : cases)
        EXPECT_EQ(expand(expression), expected) << '"' << expression << '"';
}

TEST(PageRanges, AppendsToWhatTheListHolds)
{
    PageList pages;
    EXPECT_EQ(colligo::expandPageRanges(pages, "1-2"), 2);
    EXPECT_EQ(colligo::expandPageRanges(pages, "9"), 3);
}

// A huge range costs no memory: the list keeps ranges, and its size is exact.
TEST(PageRanges, HugeRangesAreNotExpandedInMemory)
{
    PageList pages;
    EXPECT_EQ(colligo::expandPageRanges(pages, "1-2000000000"), 2000000000);
    EXPECT_EQ(colligo::expandPageRanges(pages, "1-2000000000"), INT32_MAX); // clamped, never wrapped
    EXPECT_EQ(pages.size(), 4000000000LL);

    int visited = 0;
    pages.forEach([&](int page, std::int64_t position) {
        EXPECT_EQ(page, position);
        return ++visited < 5;
    });
    EXPECT_EQ(visited, 5);
}

// Items longer than any fixed buffer and numbers beyond 32 bits are read safely.
TEST(PageRanges, LongItemsAndOverflowingNumbers)
{
    EXPECT_EQ(expand(std::string(5000, '0') + "12"), std::vector<int>({ 12 }));
    EXPECT_EQ(expand("99999999999999999999"), std::vector<int>({ INT32_MAX }));
    EXPECT_EQ(expand("2147483648,4294967297"), std::vector<int>({ INT32_MAX, INT32_MAX }));
}

} // namespace
