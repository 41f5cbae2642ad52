// What an output keeps besides its pages, and the document information it
// carries. The default keeps nothing: pages only, as the plain exports write.
#pragma once

#include <optional>
#include <string>

namespace colligo {

struct OutputOptions
{
    enum Keep : unsigned {
        outline = 0x01,
        links = 0x02,
        annotations = 0x04,
        forms = 0x08,
        pageLabels = 0x10,
    };

    unsigned keep = 0;
    bool bookmarkPerFile = false;
    // UTF-8; an absent entry is left out of the information dictionary.
    std::optional<std::string> title, subject, author, keywords;

    bool keeps(Keep what) const { return (keep & what) != 0; }
    bool hasDocumentInformation() const { return title || subject || author || keywords; }
};

} // namespace colligo
