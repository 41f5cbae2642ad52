// The objects of one object stream, parsed: what ObjectReader caches and what
// the read-ahead threads prepare for it.
#pragma once

#include <Object.h>

#include <cstddef>
#include <vector>

class XRef;

namespace colligo {

struct ParsedObjectStream
{
    std::vector<int> numbers; // the object number of each entry
    std::vector<Object> objects;
    std::size_t cost = 0; // estimated bytes held
};

// Parses object stream `streamNumber` of `source` (the layout of ISO 32000,
// 7.5.7, read as poppler reads it). The parsed dictionaries and arrays belong
// to `owner`, the cross-reference table they will be resolved against: a
// read-ahead thread reads the stream through its own copy of the document and
// hands the objects to the reader of the original, and nothing in the parse
// itself consults `owner`. False when the stream is missing or malformed.
bool parseObjectStream(XRef &source, XRef *owner, int streamNumber, ParsedObjectStream &parsed);

} // namespace colligo
