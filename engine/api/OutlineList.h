// The outline entries of the latest listing: one record per listed outline
// item, in walk order (an item, its descendants, then its next sibling).
#pragma once

#include "colligo.h"

#include <Object.h>

#include <array>
#include <string>
#include <vector>

namespace colligo {

class SourceDocument;

struct OutlineEntry
{
    static constexpr std::size_t titleCapacity = 128; // units, the NUL included

    void *treeItem = nullptr;                         // what the host's sink returned; null without one
    Object destination;                               // the go-to target: an explicit array, a name or a string
    int level = 0;                                    // 1 for top-level items
    std::array<char, titleCapacity> narrowTitle {};   // UTF-8, cut on a whole character
    std::array<char16_t, titleCapacity> wideTitle {}; // UTF-16, cut on a whole character
};

// Lists the outline of `document` into the process-wide entry list (the
// previous listing's entries are deleted first) and, with a sink, into the
// host's tree. Returns the greatest depth reached, or -3 without an outline.
int listOutline(SourceDocument &document, const OutlineTreeSink *sink);

const std::vector<OutlineEntry> &outlineEntries();

// The 1-based page an entry points to, or 0 when it points nowhere in the document.
int pageOfEntry(SourceDocument &document, const OutlineEntry &entry);

} // namespace colligo
