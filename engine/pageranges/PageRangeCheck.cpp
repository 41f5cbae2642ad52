#include "PageRangeCheck.h"

#include <algorithm>
#include <climits>

namespace pageranges {

namespace {

template<typename Char>
std::basic_string_view<Char> commaSeparator()
{
    static constexpr Char comma[] = { ',' };
    return std::basic_string_view<Char>(comma, 1);
}

// The trimmed pieces of `text` that are not empty.
template<typename Char>
std::vector<Span> trimmedPieces(std::basic_string_view<Char> text)
{
    std::vector<Span> pieces;
    for (Span piece : splitPieces(text, commaSeparator<Char>())) {
        const Span trimmed = trimmedPiece(text, piece);
        if (trimmed.length > 0)
            pieces.push_back(trimmed);
    }
    return pieces;
}

// Reads the strict pieces of the command line: digits, blanks and one "-".
class StrictPiece
{
public:
    explicit StrictPiece(std::string_view text) : text(text) {}

    Flaw read(Run &run)
    {
        if (peek() == '-')
            return Flaw::noFirstPage;
        if (!number(run.first))
            return Flaw::notAPageOrRange;
        run.last = run.first;
        skipBlanks();
        if (at < text.size()) {
            if (peek() != '-')
                return Flaw::notAPageOrRange;
            ++at;
            skipBlanks();
            if (at == text.size())
                return Flaw::noLastPage;
            if (!number(run.last) || at < text.size())
                return Flaw::notAPageOrRange;
        }
        return run.first == 0 || run.last == 0 ? Flaw::pageZero : Flaw::none;
    }

private:
    char peek() const { return at < text.size() ? text[at] : '\0'; }

    void skipBlanks()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
    }

    // Decimal digits, at least one; a value beyond the 32-bit range is its largest.
    bool number(int &value)
    {
        const std::size_t start = at;
        long long read = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            read = std::min(read * 10 + (text[at] - '0'), static_cast<long long>(INT_MAX));
        value = static_cast<int>(read);
        return at > start;
    }

    std::string_view text;
    std::size_t at = 0;
};

} // namespace

template<typename Char>
PieceVerdict checkPiece(std::basic_string_view<Char> piece, int pageCount)
{
    const PieceParts parts = readPieceParts(piece);
    PieceVerdict verdict;
    if (parts.count == 1) {
        verdict.read = true;
        verdict.pages = { parts.from, parts.from };
        verdict.valid = parts.from >= 1 && parts.from <= pageCount;
    } else if (parts.count == 2) {
        verdict.read = true;
        verdict.pages = { std::max(parts.from, 1), std::min(parts.to, pageCount) };
        verdict.valid = parts.to <= pageCount && verdict.pages.first <= verdict.pages.last;
    }
    return verdict;
}

template<typename Char>
PieceVerdict readPieceLoose(std::basic_string_view<Char> piece)
{
    const PieceParts parts = readPieceParts(piece);
    PieceVerdict verdict;
    verdict.read = parts.count == 1 || parts.count == 2;
    if (parts.count == 1)
        verdict.pages = { parts.from, parts.from };
    else if (parts.count == 2)
        verdict.pages = { std::max(parts.from, 1), std::max(parts.to, 1) };
    return verdict;
}

template<typename Char>
std::vector<CheckedPiece> checkPieces(std::basic_string_view<Char> text, int pageCount)
{
    std::vector<CheckedPiece> checked;
    for (Span piece : trimmedPieces(text))
        checked.push_back({ piece, checkPiece(text.substr(piece.offset, piece.length), pageCount) });
    return checked;
}

template<typename Char>
std::vector<Run> readRunsLoose(std::basic_string_view<Char> text)
{
    std::vector<Run> runs;
    for (Span piece : trimmedPieces(text)) {
        const PieceVerdict verdict = readPieceLoose(text.substr(piece.offset, piece.length));
        if (verdict.read)
            runs.push_back(verdict.pages);
    }
    return runs;
}

Finding checkExpression(std::string_view text)
{
    Finding finding;
    for (Span piece : trimmedPieces(text)) {
        Run run;
        const Flaw flaw = StrictPiece(text.substr(piece.offset, piece.length)).read(run);
        if (flaw != Flaw::none)
            return { flaw, piece, {} };
        finding.runs.push_back(run);
    }
    if (finding.runs.empty())
        return { Flaw::noPage, { 0, text.size() }, {} };
    return finding;
}

template PieceVerdict checkPiece(std::string_view, int);
template PieceVerdict checkPiece(std::u16string_view, int);
template PieceVerdict readPieceLoose(std::string_view);
template PieceVerdict readPieceLoose(std::u16string_view);
template std::vector<CheckedPiece> checkPieces(std::string_view, int);
template std::vector<CheckedPiece> checkPieces(std::u16string_view, int);
template std::vector<Run> readRunsLoose(std::string_view);
template std::vector<Run> readRunsLoose(std::u16string_view);

} // namespace pageranges
