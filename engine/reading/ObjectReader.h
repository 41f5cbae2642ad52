// Fetches a document's objects by reference. Objects inside object streams
// are served from a cache of parsed object streams: poppler keeps only five
// parsed, and documents that spread their pages and resources over hundreds
// of object streams would have each parsed again and again. The cache holds
// a bounded number of objects, so memory stays bounded too.
#pragma once

#include <Object.h>

#include <list>
#include <unordered_map>
#include <vector>

class XRef;

namespace colligo {

class ObjectReader
{
public:
    explicit ObjectReader(XRef &xref) : xref(xref) { }

    Object fetch(Ref ref);
    // The value itself, or the object a reference names.
    Object resolve(const Object &value);

    XRef &xrefTable() { return xref; }

private:
    struct ParsedStream
    {
        std::vector<int> numbers;
        std::vector<Object> objects;
        std::list<int>::iterator recency;
    };

    ParsedStream *parsedStream(int streamNumber);
    bool parse(int streamNumber, ParsedStream &parsed);
    void makeRoomFor(std::size_t objects);

    XRef &xref;
    std::unordered_map<int, ParsedStream> streams;
    std::list<int> recentlyUsed; // stream numbers, the most recent first
    std::size_t cachedObjects = 0;
};

} // namespace colligo
