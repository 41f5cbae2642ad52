#include "ObjectStreams.h"

#include <Parser.h>
#include <Stream.h>
#include <XRef.h>

namespace colligo {

namespace {

// What one parsed object costs besides its share of the decoded bytes:
// poppler's Object, its dictionary or array and their entries, the number.
constexpr std::size_t perObjectCost = 96;

// The /N pairs of object number and offset that open the stream; false
// unless the numbers are valid and the offsets ascend.
bool readHeader(XRef *owner, Stream *data, Goffset first, std::vector<int> &numbers, std::vector<Goffset> &offsets)
{
    Parser header(owner, new EmbedStream(data, Object(objNull), true, first), false);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        Object number = header.getObj();
        Object offset = header.getObj();
        if (!number.isInt() || !(offset.isInt() || offset.isInt64()))
            return false;
        numbers[i] = number.getInt();
        offsets[i] = offset.isInt() ? offset.getInt() : offset.getInt64();
        if (numbers[i] < 0 || offsets[i] < 0 || (i > 0 && offsets[i] < offsets[i - 1]))
            return false;
    }
    while (header.getStream() && header.getStream()->getChar() != EOF) {
    }
    return true;
}

} // namespace

bool parseObjectStream(XRef &source, XRef *owner, int streamNumber, ParsedObjectStream &parsed)
{
    Object stream = source.fetch(streamNumber, 0);
    if (!stream.isStream())
        return false;
    Object count = stream.streamGetDict()->lookup("N");
    Object first = stream.streamGetDict()->lookup("First");
    if (!count.isInt() || count.getInt() <= 0 || count.getInt() > 1000000 || !(first.isInt() || first.isInt64()))
        return false;
    Goffset start = first.isInt() ? first.getInt() : first.getInt64();
    if (start < 0)
        return false;

    std::vector<Goffset> offsets(static_cast<std::size_t>(count.getInt()));
    parsed.numbers.resize(offsets.size());
    stream.streamReset();
    if (!readHeader(owner, stream.getStream(), start, parsed.numbers, offsets))
        return false;
    std::size_t decoded = static_cast<std::size_t>(start);
    for (Goffset at = start; at < offsets[0]; ++at, ++decoded)
        stream.getStream()->getChar();
    parsed.objects.resize(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        bool last = i + 1 == offsets.size();
        auto *part = new EmbedStream(stream.getStream(), Object(objNull), !last, last ? 0 : offsets[i + 1] - offsets[i]);
        Parser parser(owner, part, false);
        parsed.objects[i] = parser.getObj();
        while (part->getChar() != EOF) {
        }
        decoded += last ? 0 : static_cast<std::size_t>(offsets[i + 1] - offsets[i]);
    }
    parsed.cost = decoded + parsed.objects.size() * (perObjectCost + sizeof(int));
    return true;
}

} // namespace colligo
