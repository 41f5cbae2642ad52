#include "StoredStream.h"

#include "reading/SourceDocument.h"

#include <Dict.h>
#include <Stream.h>
#include <goo/gfile.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <strings.h>
#include <vector>

namespace colligo {

namespace {

constexpr std::string_view endKeyword = "endstream";
constexpr int scanChunk = 1 << 16;

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

// Whether "endstream" follows `at`, after at most a little white space.
bool endKeywordFollows(GooFile &file, std::int64_t at)
{
    char bytes[32];
    int got = file.read(bytes, sizeof bytes, at);
    if (got <= 0)
        return false;
    std::string_view text(bytes, static_cast<std::size_t>(got));
    std::size_t skip = 0;
    while (skip < text.size() && isWhiteSpace(text[skip]))
        ++skip;
    return text.substr(skip).substr(0, endKeyword.size()) == endKeyword;
}

// The offset of the first "endstream" at or after `from`; -1 when the file has none.
std::int64_t findEndKeyword(GooFile &file, std::int64_t from, std::int64_t size)
{
    std::vector<char> chunk(scanChunk + endKeyword.size());
    std::size_t carried = 0; // bytes kept from the previous chunk, in case the keyword straddles
    std::int64_t chunkStart = from;
    while (chunkStart < size) {
        int got = file.read(chunk.data() + carried, scanChunk, chunkStart);
        if (got <= 0)
            return -1;
        std::string_view text(chunk.data(), carried + static_cast<std::size_t>(got));
        std::size_t found = text.find(endKeyword);
        if (found != std::string_view::npos)
            return chunkStart - static_cast<std::int64_t>(carried) + static_cast<std::int64_t>(found);
        carried = std::min(text.size(), endKeyword.size() - 1);
        std::memmove(chunk.data(), text.data() + text.size() - carried, carried);
        chunkStart += got;
    }
    return -1;
}

// The end of the data before a recovered "endstream": the line end that
// precedes the keyword belongs to the file's layout, not to the data.
std::int64_t dataEndBefore(GooFile &file, std::int64_t start, std::int64_t keyword)
{
    char before[2] = { 0, 0 };
    std::int64_t from = std::max(start, keyword - 2);
    int got = file.read(before, static_cast<int>(keyword - from), from);
    std::int64_t end = keyword;
    if (got == 2 && before[0] == '\r' && before[1] == '\n')
        end -= 2;
    else if (got >= 1 && (before[got - 1] == '\n' || before[got - 1] == '\r'))
        end -= 1;
    return std::max(end, start);
}

bool hasExactLengthEntry(Dict *dict)
{
    Object length = dict->lookup("Length");
    return length.isInt() || length.isInt64();
}

} // namespace

std::int64_t declaredStreamLength(Stream *stream)
{
    Dict *dict = stream->getDict();
    std::int64_t length = -1;
    for (int i = 0; dict && i < dict->getLength(); ++i) {
        if (strcasecmp(dict->getKey(i), "Length") != 0)
            continue;
        Object value = dict->getVal(i);
        if (value.isInt())
            length = value.getInt();
        else if (value.isInt64())
            length = value.getInt64();
    }
    return length;
}

bool locateStoredBytes(SourceDocument &source, Stream *stream, StoredExtent &extent)
{
    GooFile *file = source.file();
    if (!file)
        return false;
    std::int64_t size = file->size();
    std::int64_t start = stream->getBaseStream()->getStart();
    if (start < 0 || start > size)
        return false;
    std::int64_t declared = declaredStreamLength(stream);
    bool exactKey = hasExactLengthEntry(stream->getDict());
    extent.offset = start;
    if (declared >= 0 && declared <= size - start && endKeywordFollows(*file, start + declared)) {
        extent.length = declared;
        extent.lengthRewritten = !exactKey;
        return true;
    }
    std::int64_t keyword = findEndKeyword(*file, start, size);
    if (keyword >= 0)
        extent.length = dataEndBefore(*file, start, keyword) - start;
    else // no end at all: as much as the file holds
        extent.length = declared >= 0 ? std::min(declared, size - start) : size - start;
    extent.lengthRewritten = !(exactKey && extent.length == declared);
    return true;
}

} // namespace colligo
