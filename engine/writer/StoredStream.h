// Where a stream's stored bytes lie in its source file, found as readers find
// them. A correct /Length is taken as it stands; when the length is missing,
// not a number, spelt in another letter case, or does not end at
// "endstream", the data runs from the keyword to the real "endstream".
#pragma once

#include <cstdint>

class Stream;

namespace colligo {

class SourceDocument;

struct StoredExtent
{
    std::int64_t offset = 0;
    std::int64_t length = 0;
    // The dictionary's /Length does not state `length` and must be rewritten.
    bool lengthRewritten = false;
};

// False when the source file cannot be read at all.
bool locateStoredBytes(SourceDocument &source, Stream *stream, StoredExtent &extent);

// The stream's /Length as its dictionary states it: the last integer entry
// whose key reads "Length" in any letter case; -1 when there is none.
std::int64_t declaredStreamLength(Stream *stream);

} // namespace colligo
