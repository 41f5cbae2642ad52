// Page-range expressions such as "1,3,6-18" and the page lists they expand to.
// A list keeps the expression's order and its duplicates, and stores ranges as
// ranges, so "1-2000000000" costs a few bytes, not billions of entries.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace colligo {

class PageList
{
public:
    struct Range
    {
        int first;
        int last; // below `first` for a range that counts down
        std::int64_t size() const { return (last >= first ? std::int64_t(last) - first : std::int64_t(first) - last) + 1; }
        int at(std::int64_t offset) const { return static_cast<int>(last >= first ? first + offset : first - offset); }
    };

    void append(int first, int last) { ranges.push_back({ first, last }); }
    std::int64_t size() const;
    // The size as the 32-bit count the callers report; clamped, never wrapped.
    std::int32_t size32() const;

    // Calls visit(page, position) for each entry in order, position counting
    // from 1, until visit returns false.
    template<typename Visit>
    void forEach(Visit &&visit) const
    {
        std::int64_t position = 0;
        for (const Range &range : ranges)
            for (std::int64_t offset = 0; offset < range.size(); ++offset)
                if (!visit(range.at(offset), ++position))
                    return;
    }

    // Whether `page` is one of the entries.
    bool contains(int page) const;

private:
    std::vector<Range> ranges;
};

// Appends the pages of `expression` to `pages` and returns the entry count.
// The expression is read by the engine's reading of page-range text
// (pageranges::readExpression, where its rules are written down): "5-3"
// counts down, "1,3 4,5" reads as 1, 3, text that is not a number reads as 0,
// blank items yield nothing, and numbers are clamped to the 32-bit range.
std::int32_t expandPageRanges(PageList &pages, std::string_view expression);

} // namespace colligo
