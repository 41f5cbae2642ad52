#include "PageRangeReader.h"

#include <algorithm>
#include <climits>
#include <type_traits>

namespace pageranges {

namespace {

// The blanks of the engine's reading: atoi's and isspace's in the C locale.
// Named here rather than asked of <cctype>, whose answer for bytes above 127
// follows the locale the host program set.
template<typename Char>
bool isSpace(Char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template<typename Char>
bool isDigit(Char c)
{
    return c >= '0' && c <= '9';
}

// Blanks and control characters: what the application trims around a piece.
template<typename Char>
bool isTrimmed(Char c)
{
    return static_cast<std::make_unsigned_t<Char>>(c) <= ' ';
}

std::string_view skipSpace(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

// The text up to its first blank.
std::string_view firstWord(std::string_view text)
{
    return text.substr(0, std::find_if(text.begin(), text.end(), isSpace<char>) - text.begin());
}

// atoi's reading, clamped to the 32-bit range instead of overflowing.
int atoiValue(std::string_view text)
{
    text = skipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (!isDigit(c))
            break;
        value = std::min(value * 10 + (c - '0'), INT_MAX + 1LL);
    }
    return static_cast<int>(std::clamp<long long>(negative ? -value : value, INT_MIN, INT_MAX));
}

Run itemPages(std::string_view item)
{
    const std::size_t dash = item.find('-');
    if (dash == std::string_view::npos)
        return { atoiValue(item), atoiValue(item) };
    std::string_view high = firstWord(skipSpace(item.substr(dash + 1)));
    if (high.empty())
        high = item; // "3-" reads as 3
    return { atoiValue(item.substr(0, dash)), atoiValue(high) };
}

// Where the rest that starts at `from` is cut: at its first blank.
std::size_t wordEnd(std::string_view text, std::size_t from, std::size_t end)
{
    while (from < end && !isSpace(text[from]))
        ++from;
    return from;
}

std::size_t skipSpace(std::string_view text, std::size_t from, std::size_t end)
{
    while (from < end && isSpace(text[from]))
        ++from;
    return from;
}

// The application's number: optional leading blanks, then digits only.
template<typename Char>
int partValue(std::basic_string_view<Char> part)
{
    std::size_t index = 0;
    while (index < part.size() && (part[index] == ' ' || part[index] == '\t'))
        ++index;
    if (index == part.size())
        return 0;
    long long value = 0;
    for (; index < part.size(); ++index) {
        if (!isDigit(part[index]))
            return 0;
        value = value * 10 + (part[index] - '0');
        if (value > INT_MAX)
            return 0;
    }
    return static_cast<int>(value);
}

} // namespace

Expression readExpression(std::string_view text)
{
    Expression expression;
    std::size_t start = 0;
    std::size_t end = text.size(); // the rest is text[start, end); the cut after a comma moves its end
    for (;;) {
        const std::size_t comma = text.substr(0, end).find(',', start);
        const Span item { start, (comma == std::string_view::npos ? end : comma) - start };
        const std::string_view itemText = text.substr(item.offset, item.length);
        if (!skipSpace(itemText).empty())
            expression.items.push_back({ item, itemPages(itemText) });
        if (comma == std::string_view::npos)
            break;
        const std::size_t after = skipSpace(text, comma + 1, end);
        if (after == end)
            break;
        start = after;
        // An empty item (",," after the blanks) is skipped, not cut.
        if (text[after] != ',')
            end = wordEnd(text, after, end);
    }
    expression.unread = { end, text.size() - end };
    return expression;
}

template<typename Char>
std::vector<Span> splitPieces(std::basic_string_view<Char> text, std::basic_string_view<Char> separator)
{
    std::vector<Span> pieces;
    if (separator.empty())
        return pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        const std::size_t end = found == text.npos ? text.size() : found;
        if (end > start)
            pieces.push_back({ start, end - start });
        if (found == text.npos)
            return pieces;
        start = found + separator.size();
    }
}

template<typename Char>
Span trimmedPiece(std::basic_string_view<Char> text, Span piece)
{
    std::size_t first = piece.offset;
    std::size_t last = piece.end();
    while (first < last && isTrimmed(text[first]))
        ++first;
    while (last > first && isTrimmed(text[last - 1]))
        --last;
    return { first, last - first };
}

template<typename Char>
PieceParts readPieceParts(std::basic_string_view<Char> piece)
{
    static constexpr Char dash[] = { '-' };
    const std::vector<Span> parts = splitPieces(piece, std::basic_string_view<Char>(dash, 1));
    PieceParts read;
    read.count = parts.size();
    if (!parts.empty())
        read.from = read.to = partValue(piece.substr(parts[0].offset, parts[0].length));
    if (parts.size() >= 2)
        read.to = partValue(piece.substr(parts[1].offset, parts[1].length));
    return read;
}

template std::vector<Span> splitPieces(std::string_view, std::string_view);
template std::vector<Span> splitPieces(std::u16string_view, std::u16string_view);
template Span trimmedPiece(std::string_view, Span);
template Span trimmedPiece(std::u16string_view, Span);
template PieceParts readPieceParts(std::string_view);
template PieceParts readPieceParts(std::u16string_view);

} // namespace pageranges
