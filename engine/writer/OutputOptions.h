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
        structure = 0x20,
        layers = 0x40,
        metadata = 0x80,
        settings = 0x100,
        attachments = 0x200,
    };

    unsigned keep = 0;
    bool bookmarkPerFile = false;
    // How many distinct files the output is made of: with more than one, each
    // tagged file's structure stands under an element of its own.
    int documentCount = 1;
    // How the file is laid out: the classic table (the default, byte for byte
    // as before), or compact (OutputFile.h); sharing and recompression as
    // ObjectCopier.h says.
    bool compactLayout = false;
    bool shareObjects = true; // in the compact layout
    bool compressStreams = false;
    // UTF-8; an absent entry is left out of the information dictionary.
    std::optional<std::string> title, subject, author, keywords;

    bool keeps(Keep what) const { return (keep & what) != 0; }
    // Anything kept besides pages writes the output as a faithful copy:
    // direct dictionaries stay direct, streams end on a line of their own.
    bool keepsAnything() const { return keep != 0 || bookmarkPerFile; }
    bool hasDocumentInformation() const { return title || subject || author || keywords; }
};

} // namespace colligo
