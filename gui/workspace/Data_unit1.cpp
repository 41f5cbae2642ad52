#include "Data_unit1.h"

#include "PageRangeCheck.h"
#include "PageRangeWriter.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

bool MergeAlternately = false;

// ---- Page-range texts ------------------------------------------------------
// The reading, the judgement and the writing are the page-range module's
// (engine/pageranges), shared with the engine and the command line; these
// functions hand it the text as UTF-16 units and take its ASCII answers back.

namespace {

std::u16string_view Units(const QString &text)
{
    return { reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size()) };
}

QString Widened(const std::string &expression)
{
    return QString::fromLatin1(expression.data(), static_cast<qsizetype>(expression.size()));
}

// The pages of the pieces that are valid for a file of `pageCount` pages, in
// their order; `allValid` tells whether none was dropped.
std::vector<pageranges::Run> ValidRuns(const QString &text, int pageCount, bool &allValid)
{
    std::vector<pageranges::Run> runs;
    allValid = true;
    for (const pageranges::CheckedPiece &piece : pageranges::checkPieces(Units(text), pageCount)) {
        if (piece.verdict.valid)
            runs.push_back(piece.verdict.pages);
        else
            allValid = false;
    }
    return runs;
}

} // namespace

QStringList SplitPieces(const QString &text, const QString &separator)
{
    QStringList pieces;
    for (pageranges::Span piece : pageranges::splitPieces(Units(text), Units(separator)))
        pieces.append(text.mid(static_cast<qsizetype>(piece.offset), static_cast<qsizetype>(piece.length)));
    return pieces;
}

bool ParsePiece(const QString &piece, int &from, int &to, int pageCount)
{
    const pageranges::PieceVerdict verdict = pageranges::checkPiece(Units(piece), pageCount);
    if (verdict.read) {
        from = verdict.pages.first;
        to = verdict.pages.last;
    }
    return verdict.valid;
}

void ParsePieceLoose(const QString &piece, int &from, int &to)
{
    const pageranges::PieceVerdict verdict = pageranges::readPieceLoose(Units(piece));
    if (verdict.read) {
        from = verdict.pages.first;
        to = verdict.pages.last;
    }
}

bool NormalizeRange(QString &text, int pageCount)
{
    bool allValid = true;
    text = Widened(pageranges::writeRuns(ValidRuns(text, pageCount, allValid)));
    return allValid && !text.isEmpty();
}

bool ReverseRange(QString &text, int pageCount)
{
    bool allValid = true;
    text = Widened(pageranges::writeReversed(ValidRuns(text, pageCount, allValid)));
    return allValid && !text.isEmpty();
}

int CountRangePages(const QString &text, int pageCount)
{
    bool allValid = true;
    long long count = 0;
    for (pageranges::Run run : ValidRuns(text, pageCount, allValid))
        count += static_cast<long long>(run.last) - run.first + 1;
    return static_cast<int>(std::min<long long>(count, std::numeric_limits<int>::max()));
}

int SliceRange(const QString &text, int first, int last, QString &slice)
{
    // Texts the method dialog wrote hold no descending range; one that turns
    // up anyway gives no page, and neither does a piece of three parts.
    std::vector<pageranges::Run> runs = pageranges::readRunsLoose(Units(text));
    std::erase_if(runs, [](pageranges::Run run) { return run.last < run.first; });
    slice = Widened(pageranges::writeSlice(runs, first, last));
    return last - first + 1;
}
