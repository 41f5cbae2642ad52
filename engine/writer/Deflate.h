// zlib's deflate format in memory (ISO 32000, 7.4.4, FlateDecode): object
// streams, the cross-reference stream and recompressed streams are built
// whole before they are written, so their /Length is known in one pass.
#pragma once

#include <string>
#include <string_view>

namespace colligo {

// The bytes compressed at zlib's default level.
std::string deflateBytes(std::string_view bytes);

// Appends the bytes that `compressed` decodes to; false when it is not a
// complete zlib stream.
bool inflateBytes(std::string_view compressed, std::string &out);

} // namespace colligo
