// The parts of the compact layout (ISO 32000, 7.5.7 and 7.5.8): object
// streams that hold values (objects that are not streams) compressed
// together, and the cross-reference stream that replaces the table and the
// trailer. Both are built in memory and written whole: an object stream
// holds a few hundred objects, and the cross-reference stream a few bytes
// per object.
#pragma once

#include <cstdint>
#include <future>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace colligo {

// An object stream whose values are complete, while it is being compressed.
class SealedObjectStream
{
public:
    SealedObjectStream() = default;
    SealedObjectStream(int number, std::size_t count, std::int64_t valuesOffset, std::string data, bool inBackground);

    bool empty() const { return number == 0; }
    int streamNumber() const { return number; }
    // Where the values start in the decoded data.
    std::int64_t valuesOffset() const { return first; }
    // The whole object "n 0 obj ... endobj", compressed (waits for it).
    std::string text();

private:
    int number = 0;
    std::size_t count = 0;
    std::int64_t first = 0;
    std::future<std::string> compressed;
};

// One object stream being filled.
class ObjectStreamBuilder
{
public:
    static constexpr std::size_t fullCount = 200;
    static constexpr std::size_t fullBytes = 1 << 20;

    // Adds a value's text; returns its index in the stream.
    int add(int number, std::string_view text);
    bool empty() const { return numbers.empty(); }
    bool full() const { return numbers.size() >= fullCount || bodies.size() >= fullBytes; }
    // The decoded data as far as it goes (the values, without the header of numbers).
    std::string_view values() const { return bodies; }
    // Where value `index` starts in values().
    std::int64_t offsetOf(int index) const { return offsets[static_cast<std::size_t>(index)]; }

    // Closes the stream under `streamNumber` and empties the builder; the
    // compression runs on another thread when `inBackground`.
    SealedObjectStream take(int streamNumber, bool inBackground);

private:
    std::vector<int> numbers;
    std::vector<std::int64_t> offsets;
    std::string bodies;
};

// The values of the object streams written last, as they were before
// compression, so that the search for duplicates reads them back without
// inflating the streams again. Bounded in bytes; the oldest go first.
class RecentValues
{
public:
    static constexpr std::size_t budget = std::size_t(16) << 20;

    void keep(int index, std::string values);
    // Null when the stream's values are no longer kept.
    const std::string *find(int index);

private:
    std::unordered_map<int, std::pair<std::string, std::list<int>::iterator>> kept;
    std::list<int> recency; // most recent first
    std::size_t bytes = 0;
};

// One row of the cross-reference stream.
struct XrefEntry
{
    enum Type : unsigned char { free = 0, inFile = 1, inStream = 2 };
    Type type = free;
    std::int64_t field2 = 0; // offset, object stream number, or next free number
    int field3 = 0;          // generation, or index in the object stream
};

// The cross-reference stream object "n 0 obj ... endobj" for rows 0..size-1
// (row `number` is the stream itself), carrying the trailer's entries.
std::string crossReferenceStream(int number, const std::vector<XrefEntry> &rows, const std::string &trailerEntries);

} // namespace colligo
