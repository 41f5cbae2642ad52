// What a document declares about itself in its XMP metadata packet: the
// PDF/A part and conformance level (ISO 19005) and the PDF/UA part
// (ISO 14289). Read from the catalogue's /Metadata stream.
#pragma once

#include <string>

class XRef;

namespace colligo {

class ObjectReader;

struct Conformance
{
    int pdfaPart = 0;        // 0: no PDF/A declared
    std::string pdfaLevel;   // "A", "B", "U" ... as declared, upper case
    int pdfuaPart = 0;       // 0: no PDF/UA declared

    bool operator==(const Conformance &) const = default;
    // "PDF/A-2b PDF/UA-1", or empty.
    std::string text() const;
};

// The packet's bytes, decoded; empty when the catalogue has none.
std::string metadataPacket(ObjectReader &objects);

// The declarations found in an XMP packet, in either of the spellings XMP
// allows (attribute or element).
Conformance conformanceOf(const std::string &packet);

} // namespace colligo
