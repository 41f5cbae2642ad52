// The parts of the compact layout (ISO 32000, 7.5.7 and 7.5.8): object
// streams that hold values (objects that are not streams) compressed
// together, and the cross-reference stream that replaces the table and the
// trailer. Both are built in memory and written whole: an object stream
// holds a few hundred objects, and the cross-reference stream a few bytes
// per object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace colligo {

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

    // The whole object "n 0 obj ... endobj" under `streamNumber`, compressed;
    // `valuesOffset` receives where the values start in the decoded data. Empties the builder.
    std::string take(int streamNumber, std::int64_t &valuesOffset);

private:
    std::vector<int> numbers;
    std::vector<std::int64_t> offsets;
    std::string bodies;
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
