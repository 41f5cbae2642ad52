// The page-range text functions of the workspace: every example they are
// known by, as tables, plus the record list that owns the workspace's files.
#include "Data_unit1.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

namespace {

TEST(SplitPieces, KeepsTheNonEmptyPiecesUntrimmed)
{
    struct Case
    {
        QString Text;
        QString Separator;
        QStringList Pieces;
    };
    const Case cases[] = {
        {",1,,2,", ",", {"1", "2"}},
        {"1,3,6-18", ",", {"1", "3", "6-18"}},
        {" 9, 10 ,,", ",", {" 9", " 10 "}},
        {"", ",", {}},
        {",,,", ",", {}},
        {"abc", "", {}},
        {"1-2-3", "-", {"1", "2", "3"}},
        {"-5", "-", {"5"}},
        {"5-", "-", {"5"}},
        {"1--3", "-", {"1", "3"}},
        {"a::b::::c", "::", {"a", "b", "c"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitPieces(c.Text, c.Separator), c.Pieces) << c.Text.toStdString();
}

struct PieceCase
{
    QString Piece;
    int PageCount;
    bool Valid;
    int From;
    int To;
};

TEST(ParsePiece, ReadsPagesAndRangesAgainstThePageCount)
{
    // From and to start at -7 so that "left unchanged" is visible.
    const PieceCase cases[] = {
        {"3", 10, true, 3, 3},
        {"10", 10, true, 10, 10},
        {"11", 10, false, 11, 11},
        {"0", 10, false, 0, 0},
        {"6-8", 10, true, 6, 8},
        {"-5", 10, true, 5, 5},       // the empty part is dropped: one page
        {"5-", 10, true, 5, 5},
        {"1--3", 10, true, 1, 3},
        {"0-4", 10, true, 1, 4},      // a start below 1 counts as 1
        {"4-2", 10, false, 4, 2},
        {"2-12", 10, false, 2, 10},   // the end is lowered, the piece stays invalid
        {"1-2-3", 10, false, -7, -7}, // three parts: untouched
        {"-", 10, false, -7, -7},     // no part: untouched
        {"x", 10, false, 0, 0},
        {"  4", 10, true, 4, 4},      // leading blanks are ignored
        {"4 ", 10, false, 0, 0},      // trailing blanks are not
        {"1 - 3", 10, true, 1, 3},    // "1 " reads 0, raised to 1
        {"2a-5", 10, true, 1, 5},
        {"99999999999", 10, false, 0, 0}, // too large for a number: 0
        {"3-3", 10, true, 3, 3},
        {"1", 0, false, 1, 1},
    };
    for (const PieceCase &c : cases) {
        int from = -7;
        int to = -7;
        EXPECT_EQ(ParsePiece(c.Piece, from, to, c.PageCount), c.Valid) << c.Piece.toStdString();
        EXPECT_EQ(from, c.From) << c.Piece.toStdString();
        EXPECT_EQ(to, c.To) << c.Piece.toStdString();
    }
}

TEST(ParsePieceLoose, ReadsWithoutAPageCount)
{
    const PieceCase cases[] = {
        {"7", 0, true, 7, 7},
        {"2-4000", 0, true, 2, 4000},
        {"0-3", 0, true, 1, 3},
        {"5-0", 0, true, 5, 1},
        {"4-2", 0, true, 4, 2},
        {"0", 0, true, 0, 0},
        {"1-2-3", 0, true, -7, -7},
        {"", 0, true, -7, -7},
    };
    for (const PieceCase &c : cases) {
        int from = -7;
        int to = -7;
        ParsePieceLoose(c.Piece, from, to);
        EXPECT_EQ(from, c.From) << c.Piece.toStdString();
        EXPECT_EQ(to, c.To) << c.Piece.toStdString();
    }
}

struct RewriteCase
{
    QString Text;
    int PageCount;
    QString Rewritten;
    bool Result;
};

TEST(NormalizeRange, WritesTheValidPiecesCleanly)
{
    const RewriteCase cases[] = {
        {"1,3,6-8", 10, "1,3,6-8", true},
        {"3-3", 10, "3", true},
        {"0-4,x", 10, "1-4", false},
        {"2-12", 10, "", false},
        {"9, 10 ,,", 10, "9,10", true},
        {"", 10, "", false},
        {"3,0,12,5-6", 10, "3,5-6", false},
        {"2-4, 7", 7, "2-4,7", true},
        {"\t5\r\n", 10, "5", true},
        {"1-3,2", 10, "1-3,2", true},
        {",,", 10, "", false},
    };
    for (const RewriteCase &c : cases) {
        QString text = c.Text;
        EXPECT_EQ(NormalizeRange(text, c.PageCount), c.Result) << c.Text.toStdString();
        EXPECT_EQ(text, c.Rewritten) << c.Text.toStdString();
    }
}

TEST(ReverseRange, WritesEveryPageLastFirst)
{
    const RewriteCase cases[] = {
        {"1,3,6-8", 10, "8,7,6,3,1", true},
        {"5", 5, "5", true},
        {"5", 4, "", false},
        {"2-4,7", 7, "7,4,3,2", true},
        {"3,5-6", 10, "6,5,3", true},
        {"1-3,x,9", 10, "9,3,2,1", false},
        {"", 10, "", false},
        {"4-4", 10, "4", true},
    };
    for (const RewriteCase &c : cases) {
        QString text = c.Text;
        EXPECT_EQ(ReverseRange(text, c.PageCount), c.Result) << c.Text.toStdString();
        EXPECT_EQ(text, c.Rewritten) << c.Text.toStdString();
    }
}

TEST(ReverseRange, ALongRangeStaysQuick)
{
    // The method dialog reverses a whole document's selection on OK.
    QString text = QStringLiteral("1-20000");
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(ReverseRange(text, 20000));
    const QStringList pages = text.split(u',');
    ASSERT_EQ(pages.size(), 20000);
    EXPECT_EQ(pages.first(), "20000");
    EXPECT_EQ(pages.last(), "1");
    // Not a timing test: generous enough that only quadratic work would miss it.
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(CountRangePages, CountsTheValidPiecesOnly)
{
    const std::tuple<QString, int, int> cases[] = {
        {"1-10", 5, 0},
        {"1-10", 10, 10},
        {"1-3,2", 10, 4},
        {"1,3,6-8", 10, 5},
        {"0-4,x", 10, 4},
        {" 9, 10 ,,", 10, 2},
        {"", 10, 0},
        {"4-2,11", 10, 0},
    };
    for (const auto &[text, pageCount, count] : cases)
        EXPECT_EQ(CountRangePages(text, pageCount), count) << text.toStdString();
}

TEST(SliceRange, KeepsThePagesAtThePositions)
{
    struct Case
    {
        QString Text;
        int First;
        int Last;
        QString Slice;
    };
    const Case cases[] = {
        {"8,7,6,3,1", 2, 4, "7,6,3"},
        {"8,7,6,3,1", 6, 9, ""},
        {"1-5", 1, 2, "1,2"},
        {"1-5", 5, 7, "5"},
        {"1-3,7-9", 3, 5, "3,7,8"},
        {"1-2000000000", 3, 4, "3,4"}, // a long range costs only the pages it yields
        {"5,4-2,6", 1, 3, "5,6"},      // a descending range yields no page
    };
    for (const Case &c : cases) {
        QString slice = QStringLiteral("stale");
        EXPECT_EQ(SliceRange(c.Text, c.First, c.Last, slice), c.Last - c.First + 1);
        EXPECT_EQ(slice, c.Slice) << c.Text.toStdString() << " " << c.First << ".." << c.Last;
    }
}

} // namespace
