#include "ObjectReader.h"

#include <Parser.h>
#include <Stream.h>
#include <XRef.h>

namespace colligo {

namespace {

// What one parsed object costs besides its share of the decoded bytes:
// poppler's Object, its dictionary or array and their entries, the number.
constexpr std::size_t perObjectCost = 96;

} // namespace

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

// The layout of ISO 32000, 7.5.7: /N pairs of object number and offset, the
// objects from /First on; parsed as poppler parses it.
bool ObjectReader::parse(int streamNumber, ParsedStream &parsed)
{
    Object stream = xref.fetch(streamNumber, 0);
    if (!stream.isStream())
        return false;
    Object count = stream.streamGetDict()->lookup("N");
    Object first = stream.streamGetDict()->lookup("First");
    if (!count.isInt() || count.getInt() <= 0 || count.getInt() > 1000000 || !(first.isInt() || first.isInt64()))
        return false;
    int objects = count.getInt();
    Goffset start = first.isInt() ? first.getInt() : first.getInt64();
    if (start < 0)
        return false;

    std::vector<Goffset> offsets(static_cast<std::size_t>(objects));
    parsed.numbers.resize(offsets.size());
    stream.streamReset();
    {
        Parser header(&xref, new EmbedStream(stream.getStream(), Object(objNull), true, start), false);
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            Object number = header.getObj();
            Object offset = header.getObj();
            if (!number.isInt() || !(offset.isInt() || offset.isInt64()))
                return false;
            parsed.numbers[i] = number.getInt();
            offsets[i] = offset.isInt() ? offset.getInt() : offset.getInt64();
            if (parsed.numbers[i] < 0 || offsets[i] < 0 || (i > 0 && offsets[i] < offsets[i - 1]))
                return false;
        }
        while (header.getStream() && header.getStream()->getChar() != EOF) {
        }
    }
    std::size_t decoded = static_cast<std::size_t>(start);
    for (Goffset at = start; at < offsets[0]; ++at, ++decoded)
        stream.getStream()->getChar();
    parsed.objects.resize(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        bool last = i + 1 == offsets.size();
        auto *part = new EmbedStream(stream.getStream(), Object(objNull), !last, last ? 0 : offsets[i + 1] - offsets[i]);
        Parser parser(&xref, part, false);
        parsed.objects[i] = parser.getObj();
        while (part->getChar() != EOF) {
        }
        decoded += last ? 0 : static_cast<std::size_t>(offsets[i + 1] - offsets[i]);
    }
    parsed.cost = decoded + parsed.objects.size() * (perObjectCost + sizeof(int));
    return true;
}

} // namespace colligo
