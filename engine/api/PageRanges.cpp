#include "PageRanges.h"

#include "pageranges/PageRangeReader.h"

#include <algorithm>
#include <climits>

namespace colligo {

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
    for (const pageranges::Item &item : pageranges::readExpression(expression).items)
        pages.append(item.pages.first, item.pages.last);
    return pages.size32();
}

} // namespace colligo
