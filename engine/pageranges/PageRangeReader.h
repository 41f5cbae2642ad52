// Page-range text such as "1,3,6-18": the one reader of it, shared by the
// engine, the application and the command line.
//
// The notation is read in two ways, kept side by side here so that their
// differences stay in view (tests/pageranges/FrontEndsTest.cpp runs one table
// of expressions through all three front ends):
//
//  - readExpression is the engine's reading of an expression handed to
//    AddFile or SplitPDF. It never fails: text that is not a number reads as
//    0, a descending range counts down, and only the first space-free word
//    after a comma carries on, so "1,3 4,5" reads as 1, 3.
//  - splitPieces and readPieceParts are the application's reading of what the
//    user typed, one comma-separated piece at a time, strict about numbers;
//    PageRangeCheck.h judges the pieces they find.
//
// Positions are offsets and lengths in the text's own characters, so a caller
// can say which piece is wrong. The engine and the command line read bytes,
// the application UTF-16 units (its QString); the piece functions take both.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace pageranges {

// Where a piece lies in the text it was read from.
struct Span
{
    std::size_t offset = 0;
    std::size_t length = 0;

    std::size_t end() const { return offset + length; }
    bool operator==(const Span &) const = default;
};

// A page (first == last) or a range of pages, which counts down when last is
// below first.
struct Run
{
    int first = 0;
    int last = 0;

    bool operator==(const Run &) const = default;
};

// ---- The engine's reading --------------------------------------------------

// One item of an expression as the engine reads it.
struct Item
{
    Span text;  // the item's text, up to its comma or to the blank that ends the reading
    Run pages;
};

struct Expression
{
    std::vector<Item> items;
    // The text after the last item that the reading never reaches: " 4,5" in
    // "1,3 4,5". Empty, or blanks and commas only, when nothing is lost.
    Span unread;
};

// Items are separated by commas; an item is a number or two numbers joined by
// "-". An item runs up to its comma, blanks included. After a comma, leading
// blanks are skipped and the rest is cut at the next blank. In an item with
// a "-", the low part is the text before the first "-" and the high part the
// first word after it, or the whole item when only blanks follow ("3-" reads
// as 3). Numbers are read as atoi reads them (leading blanks, a sign, digits
// up to the first non-digit; 0 without digits), clamped to the 32-bit range.
// Blank items ("", ",1", "1,,2", "1, ,2") yield nothing; "-3" reads as 0-3.
Expression readExpression(std::string_view expression);

// ---- The application's reading, a piece at a time --------------------------

// The non-empty stretches of `text` between occurrences of `separator`,
// untrimmed: leading, trailing and doubled separators give none. An empty
// separator gives none.
template<typename Char>
std::vector<Span> splitPieces(std::basic_string_view<Char> text, std::basic_string_view<Char> separator);

// `piece` of `text` without the blanks and control characters around it.
template<typename Char>
Span trimmedPiece(std::basic_string_view<Char> text, Span piece);

// A piece's parts between "-", empty ones dropped ("-5" and "5-" are one part,
// "1--3" two), and the values of the first two. A value is the decimal number
// after optional leading blanks; a part that holds anything else, an empty
// part and a number beyond the 32-bit range read as 0.
struct PieceParts
{
    std::size_t count = 0;
    int from = 0; // the first part's value; 0 when there is none
    int to = 0;   // the second part's value, or the first's when it is alone
};

template<typename Char>
PieceParts readPieceParts(std::basic_string_view<Char> piece);

} // namespace pageranges
