#include "ObjectReader.h"

#include <XRef.h>

namespace colligo {

ObjectReader::ObjectReader(XRef &xref) : xref(xref), budget(defaultBudget) { }

ObjectReader::~ObjectReader() = default;

Object ObjectReader::resolve(const Object &value)
{
    return value.isRef() ? fetch(value.getRef()) : value.copy();
}

// Like poppler, the generation of a compressed object is not compared, and
// anything unusual goes to poppler's own fetch, which repairs what it can.
Object ObjectReader::fetch(Ref ref)
{
    XRefEntry *entry = ref.num >= 0 && ref.num < xref.getNumObjects() ? xref.getEntry(ref.num, false) : nullptr;
    if (!entry || entry->type != xrefEntryCompressed || entry->offset >= static_cast<Goffset>(xref.getNumObjects()))
        return xref.fetch(ref);
    ParsedStream *parsed = parsedStream(static_cast<int>(entry->offset));
    auto index = static_cast<std::size_t>(entry->gen);
    if (!parsed || index >= parsed->numbers.size() || parsed->numbers[index] != ref.num)
        return xref.fetch(ref);
    return parsed->objects[index].copy();
}

ObjectReader::ParsedStream *ObjectReader::parsedStream(int streamNumber)
{
    auto found = streams.find(streamNumber);
    if (found != streams.end()) {
        recentlyUsed.splice(recentlyUsed.begin(), recentlyUsed, found->second.recency);
        return &found->second;
    }
    ParsedStream parsed;
    if (!parse(streamNumber, parsed))
        return nullptr;
    ++parses;
    makeRoomFor(parsed.cost);
    recentlyUsed.push_front(streamNumber);
    parsed.recency = recentlyUsed.begin();
    cachedCost += parsed.cost;
    return &streams.emplace(streamNumber, std::move(parsed)).first->second;
}

// The least recently used streams go first; a stream larger than the whole
// budget is still kept alone, as the one being read.
void ObjectReader::makeRoomFor(std::size_t cost)
{
    while (!recentlyUsed.empty() && cachedCost + cost > budget) {
        auto oldest = streams.find(recentlyUsed.back());
        cachedCost -= oldest->second.cost;
        streams.erase(oldest);
        recentlyUsed.pop_back();
    }
}

// A worker's stream if one is ready or under way; the reader's own parse
// otherwise. Either way the streams after it are queued for the workers.
bool ObjectReader::parse(int streamNumber, ParsedStream &parsed)
{
    if (!ahead && workers > 0 && !readAheadTried) {
        readAheadTried = true; // the first stream needed: worth threads only for many
        ahead = ReadAhead::start(xref, openCopy, workers, readAheadWindow);
    }
    std::optional<ParsedObjectStream> taken = ahead ? ahead->take(streamNumber) : std::nullopt;
    bool parsedWell = true;
    if (taken) {
        static_cast<ParsedObjectStream &>(parsed) = std::move(*taken);
        ++handedOver;
    } else {
        parsedWell = parseObjectStream(xref, &xref, streamNumber, parsed);
    }
    if (ahead)
        ahead->followOn(streamNumber, [this](int stream) { return streams.count(stream) > 0; });
    return parsedWell;
}

void ObjectReader::readAhead(ReadAhead::OpenCopy copies, int workerCount)
{
    stopReadingAhead();
    openCopy = std::move(copies);
    workers = workerCount;
}

void ObjectReader::stopReadingAhead()
{
    ahead.reset(); // joins the workers
    workers = 0;
    readAheadTried = false;
}

} // namespace colligo
