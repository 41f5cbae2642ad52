#include "Deflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace colligo {

namespace {

constexpr std::size_t inflateChunk = 1 << 16;

// zlib counts in uInt: feed inputs larger than that in slices.
uInt sliceOf(std::size_t remaining)
{
    return static_cast<uInt>(std::min<std::size_t>(remaining, UINT_MAX));
}

} // namespace

std::string deflateBytes(std::string_view bytes)
{
    z_stream z {};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    std::size_t inLeft = bytes.size();
    std::size_t produced = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (produced == out.size())
            out.resize(out.size() * 2 + 64);
        z.avail_in = sliceOf(inLeft);
        z.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        z.avail_out = sliceOf(out.size() - produced);
        uInt inBefore = z.avail_in, outBefore = z.avail_out;
        status = deflate(&z, z.avail_in == inLeft ? Z_FINISH : Z_NO_FLUSH);
        inLeft -= inBefore - z.avail_in;
        produced += outBefore - z.avail_out;
        if (status == Z_STREAM_ERROR)
            break;
    }
    deflateEnd(&z);
    out.resize(produced);
    return out;
}

bool inflateBytes(std::string_view compressed, std::string &out)
{
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    z.avail_in = sliceOf(compressed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        std::size_t at = out.size();
        out.resize(at + inflateChunk);
        z.next_out = reinterpret_cast<Bytef *>(out.data() + at);
        z.avail_out = static_cast<uInt>(inflateChunk);
        status = inflate(&z, Z_NO_FLUSH);
        out.resize(at + inflateChunk - z.avail_out);
    }
    inflateEnd(&z);
    return status == Z_STREAM_END;
}

} // namespace colligo
