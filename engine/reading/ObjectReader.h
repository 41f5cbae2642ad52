// Fetches a document's objects by reference. Objects inside object streams
// are served from a cache of parsed object streams: poppler keeps only five
// parsed, and documents that spread their pages and resources over hundreds
// of object streams would have each parsed again and again. The cache is
// bounded in bytes (each parsed stream costs about its decoded length plus a
// fixed amount per object), not in objects: pdfTeX packs many small objects
// per stream, and a count of objects let such files thrash.
#pragma once

#include <Object.h>

#include <cstddef>
#include <list>
#include <unordered_map>
#include <vector>

class XRef;

namespace colligo {

class ObjectReader
{
public:
    explicit ObjectReader(XRef &xref) : xref(xref), budget(defaultBudget) { }

    Object fetch(Ref ref);
    // The value itself, or the object a reference names.
    Object resolve(const Object &value);

    XRef &xrefTable() { return xref; }

    static constexpr std::size_t defaultBudget = std::size_t(32) << 20; // bytes
    // Tests set a tiny budget to show that outputs do not depend on it.
    void setBudget(std::size_t bytes) { budget = bytes; }
    std::size_t cachedBytes() const { return cachedCost; }
    // Object streams parsed so far, counting those parsed again after eviction.
    std::size_t parseCount() const { return parses; }

private:
    struct ParsedStream
    {
        std::vector<int> numbers;
        std::vector<Object> objects;
        std::size_t cost = 0; // estimated bytes held
        std::list<int>::iterator recency;
    };

    ParsedStream *parsedStream(int streamNumber);
    bool parse(int streamNumber, ParsedStream &parsed);
    void makeRoomFor(std::size_t cost);

    XRef &xref;
    std::size_t budget;
    std::unordered_map<int, ParsedStream> streams;
    std::list<int> recentlyUsed; // stream numbers, the most recent first
    std::size_t cachedCost = 0;
    std::size_t parses = 0;
};

} // namespace colligo
