#include "PageRanges.h"

#include <cctype>
#include <climits>
#include <optional>
#include <string>

namespace colligo {

namespace {

bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view skipLeadingSpace(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

// The text up to the first white space.
std::string_view firstWord(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && !isSpace(text[end]))
        ++end;
    return text.substr(0, end);
}

// atoi's reading (leading space, a sign, then digits up to the first
// non-digit; 0 without digits), clamped to the 32-bit range instead of
// overflowing.
int readInteger(std::string_view text)
{
    text = skipLeadingSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX + 1LL)
            value = INT_MAX + 1LL;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value)));
}

bool isBlank(std::string_view text)
{
    return skipLeadingSpace(text).empty();
}

void appendItem(PageList &pages, std::string_view item)
{
    std::size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        pages.append(readInteger(item), readInteger(item));
        return;
    }
    std::string_view high = firstWord(skipLeadingSpace(item.substr(dash + 1)));
    if (high.empty())
        high = item; // "3-" reads as 3
    pages.append(readInteger(item.substr(0, dash)), readInteger(high));
}

} // namespace

std::int64_t PageList::size() const
{
    std::int64_t total = 0;
    for (const Range &range : ranges)
        total += range.size();
    return total;
}

std::int32_t PageList::size32() const
{
    std::int64_t total = size();
    return total > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(total);
}

bool PageList::contains(int page) const
{
    for (const Range &range : ranges) {
        int low = std::min(range.first, range.last);
        int high = std::max(range.first, range.last);
        if (page >= low && page <= high)
            return true;
    }
    return false;
}

std::int32_t expandPageRanges(PageList &pages, std::string_view expression)
{
    std::string_view rest = expression;
    for (;;) {
        std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        if (!isBlank(item))
            appendItem(pages, item);
        if (comma == std::string_view::npos)
            break;
        std::string_view after = skipLeadingSpace(rest.substr(comma + 1));
        if (after.empty())
            break;
        rest = after.front() == ',' ? after : firstWord(after);
    }
    return pages.size32();
}

} // namespace colligo
