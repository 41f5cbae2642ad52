#include "RangeArgument.h"

#include "PageRangeCheck.h"
#include "PageRangeWriter.h"

namespace cli {

namespace {

// The 1-based place of the character at `offset` of UTF-8 text, counted in
// characters as the user sees them, not in bytes.
std::size_t characterNumber(const std::string &text, std::size_t offset)
{
    std::size_t characters = 1;
    for (std::size_t byte = 0; byte < offset; ++byte)
        if ((static_cast<unsigned char>(text[byte]) & 0xC0) != 0x80)
            ++characters;
    return characters;
}

std::string flawText(pageranges::Flaw flaw)
{
    switch (flaw) {
    case pageranges::Flaw::pageZero:
        return "names page 0; pages are numbered from 1";
    case pageranges::Flaw::noFirstPage:
        return "has no first page";
    case pageranges::Flaw::noLastPage:
        return "has no last page";
    default:
        return "is not a page number or a range such as 6-18";
    }
}

} // namespace

RangeArgument readRangeArgument(const std::string &text)
{
    const pageranges::Finding finding = pageranges::checkExpression(text);
    if (finding.flaw == pageranges::Flaw::none)
        return { pageranges::writeRuns(finding.runs), {} };
    if (finding.flaw == pageranges::Flaw::noPage)
        return { {}, "selects no page" };
    const std::string piece = text.substr(finding.where.offset, finding.where.length);
    return { {}, "'" + piece + "' at character " + std::to_string(characterNumber(text, finding.where.offset)) + " " + flawText(finding.flaw) };
}

} // namespace cli
