#pragma once
// The data of the merge workspace: the record of one listed file (the list
// model, FileListModel.h, owns them), the one "merge alternately" switch
// shared by all files, and the text functions that check, rewrite, reverse,
// count and slice the page-range texts the records keep ("1,3,6-18").

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// One source file of the merge. The field order is the order the list keeps.
struct TItemInfo
{
    QString FileName;              // the name after the last separator; shown and used for output names
    QString FilePath;              // the path as added; the path the engine gets
    std::int32_t TotalPages = 0;   // page count measured when the file was added
    std::int32_t RangeType = 0;    // 0 All, 1 Odd, 2 Even, 3 Part
    std::int32_t PageSort = 0;     // 0 Sequence, 1 Reverse
    std::int32_t AlternateType = 0; // alternating merge: 0 mix by MixPages, 1 repeat the whole selection
    std::int32_t MixPages = 1;     // pages per pass in an alternating merge; never below 1
    std::int32_t SizeKB = 0;       // file size in KiB, rounded down
    QString PageRange;             // the selection in ascending form, for counting
    QString MergeRange;            // the expression handed to the engine, already in the chosen order
};

// Whether all files are merged alternately, a few pages of each per pass.
extern bool MergeAlternately;

// ---- Page-range texts ------------------------------------------------------
// Pieces are separated by ","; a piece is a page "n" or a range "a-b". These
// functions are pure: they keep no state and run on any thread. They read,
// judge and write through the page-range module (engine/pageranges), which
// the engine and the command line share.

// The non-empty pieces of `text` between occurrences of `separator`, untrimmed.
// An empty separator gives no pieces.
QStringList SplitPieces(const QString &text, const QString &separator);

// Reads one piece for a file of `pageCount` pages. True when it is a page
// 1..pageCount or a range from <= to <= pageCount (a start below 1 counts as 1;
// an end past the last page is lowered to it, yet the piece is invalid).
// Pieces of no part or of three and more parts leave from and to untouched.
bool ParsePiece(const QString &piece, int &from, int &to, int pageCount);

// The same without a page count: a start or end below 1 becomes 1.
void ParsePieceLoose(const QString &piece, int &from, int &to);

// Rewrites `text` into its clean form: trimmed pieces, invalid ones dropped,
// "3-3" written "3". True when no piece was dropped and something is left.
bool NormalizeRange(QString &text, int pageCount);

// Rewrites `text` as its pages in reverse order, one number per page
// ("1,3,6-8" becomes "8,7,6,3,1"). Same result rule as NormalizeRange.
bool ReverseRange(QString &text, int pageCount);

// The number of pages the valid pieces select; duplicates count each time.
int CountRangePages(const QString &text, int pageCount);

// The pages at positions first..last (1-based, over every page of every piece)
// as a text of single pages. Returns last - first + 1.
int SliceRange(const QString &text, int first, int last, QString &slice);
