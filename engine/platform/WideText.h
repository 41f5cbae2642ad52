// The engine's one place for UTF-16 <-> UTF-8 conversion (paths and titles).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace colligo {

std::size_t wideLength(const char16_t *text);
// Fails (nullopt) on an unpaired surrogate: such a name cannot exist on disk.
std::optional<std::string> utf16ToUtf8(std::u16string_view text);
// The same for NUL-terminated text.
std::optional<std::string> utf16ToUtf8(const char16_t *text);
std::u16string utf8ToUtf16(std::string_view text);
// Code points (as poppler hands out text strings) to UTF-16.
std::u16string codePointsToUtf16(const unsigned int *codePoints, int count);
// The longest prefix of at most `maxUnits` units that ends on a whole character.
std::u16string cutUtf16(std::u16string text, std::size_t maxUnits);
// The longest prefix of at most `maxBytes` bytes that ends on a whole character.
std::string cutUtf8(std::string text, std::size_t maxBytes);

} // namespace colligo
