#include "SharedObjects.h"

#include <goo/gfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace colligo {

namespace {

constexpr std::size_t block = 1 << 16; // a multiple of 8: hashes run word by word

std::uint64_t mixWord(std::uint64_t h, std::uint64_t word)
{
    h ^= word * 0x9E3779B97F4A7C15ull;
    h = (h << 31) | (h >> 33);
    return h * 0xC2B2AE3D27D4EB4Full;
}

std::uint64_t hashBytes(std::uint64_t h, const char *bytes, std::size_t length)
{
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        h = mixWord(h, word);
    }
    std::uint64_t last = 0;
    std::memcpy(&last, bytes + i, length - i);
    return mixWord(h, last ^ (static_cast<std::uint64_t>(length - i) << 56));
}

using Reader = std::function<bool(std::int64_t, char *, std::size_t)>;

// Block by block, so both sides of a comparison hash alike.
bool hashContent(std::int64_t size, const Reader &read, std::uint64_t &hash)
{
    std::vector<char> chunk(static_cast<std::size_t>(std::min<std::int64_t>(size, block)));
    std::uint64_t h = static_cast<std::uint64_t>(size);
    for (std::int64_t at = 0; at < size; at += static_cast<std::int64_t>(block)) {
        std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(size - at, block));
        if (!read(at, chunk.data(), n))
            return false;
        h = hashBytes(h, chunk.data(), n);
    }
    hash = h;
    return true;
}

bool sameBytes(std::int64_t size, const Reader &first, const Reader &second)
{
    std::vector<char> a(static_cast<std::size_t>(std::min<std::int64_t>(size, block)));
    std::vector<char> b(a.size());
    for (std::int64_t at = 0; at < size; at += static_cast<std::int64_t>(block)) {
        std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(size - at, block));
        if (!first(at, a.data(), n) || !second(at, b.data(), n) || std::memcmp(a.data(), b.data(), n) != 0)
            return false;
    }
    return true;
}

std::uint64_t quickKey(const ObjectBody &body)
{
    std::uint64_t h = hashBytes(0x5EED, body.text.data(), body.text.size());
    if (body.tail)
        h = hashBytes(h, body.tail, std::strlen(body.tail));
    return mixWord(h, static_cast<std::uint64_t>(ObjectContent(body).size()));
}

} // namespace

std::int64_t ObjectContent::size() const
{
    std::int64_t size = static_cast<std::int64_t>(body.text.size()) + body.data.length;
    return body.tail ? size + static_cast<std::int64_t>(std::strlen(body.tail)) : size;
}

bool ObjectContent::read(std::int64_t at, char *bytes, std::size_t length) const
{
    const auto textSize = static_cast<std::int64_t>(body.text.size());
    while (length > 0) {
        std::size_t n = 0;
        if (at < textSize) {
            n = static_cast<std::size_t>(std::min<std::int64_t>(textSize - at, static_cast<std::int64_t>(length)));
            std::memcpy(bytes, body.text.data() + at, n);
        } else if (at < textSize + body.data.length) {
            std::int64_t inData = at - textSize;
            int wanted = static_cast<int>(std::min<std::int64_t>(body.data.length - inData, static_cast<std::int64_t>(std::min<std::size_t>(length, block))));
            int got = body.data.file->read(bytes, wanted, body.data.offset + inData);
            if (got <= 0)
                return false;
            n = static_cast<std::size_t>(got);
        } else {
            std::int64_t inTail = at - textSize - body.data.length;
            n = std::min<std::size_t>(length, std::strlen(body.tail) - static_cast<std::size_t>(inTail));
            if (n == 0)
                return false;
            std::memcpy(bytes, body.tail + inTail, n);
        }
        bytes += n;
        at += static_cast<std::int64_t>(n);
        length -= n;
    }
    return true;
}

int SharedObjects::find(const ObjectBody &body)
{
    ObjectContent content(body);
    auto [first, last] = entries.equal_range(quickKey(body));
    std::uint64_t contentHash = 0;
    bool contentHashed = false;
    for (auto entry = first; entry != last; ++entry)
        if (matches(entry->second, content, contentHash, contentHashed))
            return entry->second.number;
    return 0;
}

// Whole-content hashes first (each read at most once), then the bytes.
bool SharedObjects::matches(Entry &entry, const ObjectContent &content, std::uint64_t &contentHash, bool &contentHashed)
{
    Reader readNew = [&](std::int64_t at, char *bytes, std::size_t n) { return content.read(at, bytes, n); };
    Reader readOld = [&](std::int64_t at, char *bytes, std::size_t n) { return readBack(entry.placement, at, bytes, n); };
    std::int64_t size = content.size();
    if (size != entry.placement.length)
        return false;
    if (!contentHashed && !(contentHashed = hashContent(size, readNew, contentHash)))
        return false;
    if (!entry.hashed && !(entry.hashed = hashContent(size, readOld, entry.hash)))
        return false;
    return entry.hash == contentHash && sameBytes(size, readNew, readOld);
}

// A value's hash costs nothing now; a stream's bytes are hashed only when
// another stream with the same dictionary comes.
void SharedObjects::add(const ObjectBody &body, int number, const Placement &placement)
{
    Entry entry { number, placement };
    if (!body.data.file) {
        ObjectContent content(body);
        entry.hashed = hashContent(content.size(), [&](std::int64_t at, char *bytes, std::size_t n) { return content.read(at, bytes, n); }, entry.hash);
    }
    entries.emplace(quickKey(body), entry);
}

} // namespace colligo
