// Writes an object once when several sources hold the same one: fonts, font
// files, images, colour profiles, forms and patterns of files made from one
// template. Two objects are the same when their output text (references
// already mapped) and stream bytes are equal byte for byte; a 64-bit hash
// only picks the candidates. The index keeps hashes, lengths and places in
// the output, never contents: a candidate is read back from the output
// file, and a new stream's bytes from its source, only when the hashes
// agree, so memory stays a few dozen bytes per distinct object.
#pragma once

#include "OutputFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

namespace colligo {

// Where an object's content (what follows "n 0 obj\n") lies in the output.
struct Placement
{
    int objectStream = -1;   // which object stream holds a value; -1: a stream object in the file
    std::int64_t offset = 0; // in the file, or in that object stream's decoded data
    std::int64_t length = 0;
};

// The content of one object: its text, then for a stream the stored bytes
// and the tail, read at any position.
class ObjectContent
{
public:
    explicit ObjectContent(const ObjectBody &body) : body(body) { }
    std::int64_t size() const;
    // False when the source no longer yields the bytes.
    bool read(std::int64_t at, char *bytes, std::size_t length) const;

private:
    const ObjectBody &body;
};

class SharedObjects
{
public:
    using ReadBack = std::function<bool(const Placement &, std::int64_t at, char *bytes, std::size_t length)>;
    explicit SharedObjects(ReadBack readBack) : readBack(std::move(readBack)) { }

    // The number of an object written earlier with the same content; 0 when none.
    int find(const ObjectBody &body);
    void add(const ObjectBody &body, int number, const Placement &placement);

private:
    struct Entry
    {
        int number = 0;
        Placement placement;
        std::uint64_t hash = 0; // of the whole content, once known
        bool hashed = false;
    };
    bool matches(Entry &entry, const ObjectContent &content, std::uint64_t &contentHash, bool &contentHashed);

    ReadBack readBack;
    std::unordered_multimap<std::uint64_t, Entry> entries; // by quick key: text, tail and size
};

} // namespace colligo
