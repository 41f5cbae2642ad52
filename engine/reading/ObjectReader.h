// Fetches a document's objects by reference. Objects inside object streams
// are served from a cache of parsed object streams: poppler keeps only five
// parsed, and documents that spread their pages and resources over hundreds
// of object streams would have each parsed again and again. The cache is
// bounded in bytes (each parsed stream costs about its decoded length plus a
// fixed amount per object), not in objects: pdfTeX packs many small objects
// per stream, and a count of objects let such files thrash. While reading
// ahead is on, worker threads parse the streams that come next (ReadAhead).
#pragma once

#include "ObjectStreams.h"
#include "ReadAhead.h"

#include <Object.h>

#include <cstddef>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

class XRef;

namespace colligo {

class ObjectReader
{
public:
    explicit ObjectReader(XRef &xref);
    ~ObjectReader();

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
    // Of those, the streams that read-ahead threads parsed.
    std::size_t handedOverCount() const { return handedOver; }

    // Lets `workers` threads parse the streams ahead of this reader, each
    // through a document that `openCopy` opens; 0 workers, or stopReadingAhead(),
    // ends them. Threads start only when the document has enough streams.
    void readAhead(ReadAhead::OpenCopy openCopy, int workers);
    void stopReadingAhead();

    // What the read-ahead keeps ready beyond the cache.
    static constexpr std::size_t readAheadWindow = std::size_t(8) << 20; // bytes

private:
    struct ParsedStream : ParsedObjectStream
    {
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
    std::size_t handedOver = 0;
    ReadAhead::OpenCopy openCopy;
    int workers = 0;
    bool readAheadTried = false;
    std::unique_ptr<ReadAhead> ahead;
};

} // namespace colligo
