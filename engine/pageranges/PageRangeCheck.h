// Judging page-range text before it reaches the engine, on top of the reader
// (PageRangeReader.h). The engine takes anything and reads what it can; its
// front ends are stricter:
//
//  - the application checks what the user typed against the file's page count
//    and keeps only ascending pieces that lie inside the file, so it never
//    sends the engine a descending range or a page it does not have;
//  - the command line wants every piece to be exactly a page number or a
//    range, and names the first piece that is not, with its position.
#pragma once

#include "PageRangeReader.h"

#include <string_view>
#include <vector>

namespace pageranges {

// ---- The application's rules ---------------------------------------------

// One piece as the application reads it.
struct PieceVerdict
{
    bool read = false;  // it has one or two parts; `pages` holds what they say
    bool valid = false; // for the page count: a page or an ascending range inside the file
    Run pages;
};

// A piece for a file of `pageCount` pages. One part is the page from = to,
// valid when 1 <= from <= pageCount. Two parts are a range: a start below 1
// counts as 1; valid when from <= to <= pageCount, and an end past the last
// page is lowered to it while the piece stays invalid. No part or three and
// more parts: not read, and invalid.
template<typename Char>
PieceVerdict checkPiece(std::basic_string_view<Char> piece, int pageCount);

// The same without a page count, for texts the application wrote itself: one
// part gives its value, two parts give both, each raised to 1. Never valid.
template<typename Char>
PieceVerdict readPieceLoose(std::basic_string_view<Char> piece);

struct CheckedPiece
{
    Span text; // trimmed
    PieceVerdict verdict;
};

// Every piece between commas that is not empty once trimmed, in order, judged
// by checkPiece.
template<typename Char>
std::vector<CheckedPiece> checkPieces(std::basic_string_view<Char> text, int pageCount);

// The runs of the pieces that readPieceLoose reads, in order.
template<typename Char>
std::vector<Run> readRunsLoose(std::basic_string_view<Char> text);

// ---- The command line's rules --------------------------------------------

enum class Flaw {
    none,
    noPage,          // nothing but commas and blanks
    notAPageOrRange, // "x-3", "1 2", "1-2-3", "+4"
    pageZero,        // "0", "0-3": pages are numbered from 1
    noFirstPage,     // "-3"
    noLastPage,      // "3-"
};

struct Finding
{
    Flaw flaw = Flaw::none;
    Span where;            // the wrong piece, trimmed (the whole text for noPage)
    std::vector<Run> runs; // what the text selects, when nothing is wrong
};

// Every piece between commas must be a page number from 1 up, or two of them
// joined by "-" (a descending range counts down); blanks around a piece and
// around its "-" do not matter, and blank pieces are passed over. Numbers
// beyond the 32-bit range read as its largest value, as the engine reads them.
// Gives the runs, or the first wrong piece and what is wrong with it.
Finding checkExpression(std::string_view text);

} // namespace pageranges
