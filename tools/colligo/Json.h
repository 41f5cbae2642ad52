// JSON text for `colligo info --json`.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// `text` as a JSON string, quotes included: '"', '\' and every control
// character (U+0000 to U+001F, U+007F) escaped, U+2028 and U+2029 too (for
// readers that take JSON as JavaScript). Valid UTF-8 passes as it is; every
// byte that is not part of valid UTF-8 becomes U+FFFD, since JSON text is
// Unicode and a path on Linux may be any bytes.
std::string jsonString(std::string_view text);

} // namespace cli
