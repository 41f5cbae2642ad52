#include "TextBuffer.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace colligo {

void TextBuffer::appendf(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vappendf(format, args);
    va_end(args);
}

void TextBuffer::vappendf(const char *format, va_list args)
{
    char small[256];
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(small, sizeof small, format, args);
    if (needed < 0 || static_cast<std::size_t>(needed) < sizeof small) {
        if (needed > 0)
            bytes.append(small, static_cast<std::size_t>(needed));
        va_end(again);
        return;
    }
    std::size_t oldSize = bytes.size();
    bytes.resize(oldSize + static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(bytes.data() + oldSize, static_cast<std::size_t>(needed) + 1, format, again);
    va_end(again);
    bytes.resize(oldSize + static_cast<std::size_t>(needed));
}

namespace {

// Whether `text` stands for `value`: within a few units in the last place.
// poppler's lexer does not round decimal text correctly (it adds each digit
// at its scale), and a 32-bit build's x87 arithmetic differs again, so the
// source's text is the shortest one close enough, not one that reads back to
// the very same bits.
bool standsFor(std::string_view text, double value)
{
    double parsed = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc())
        return false;
    double unit = std::nextafter(value, HUGE_VAL) - value;
    return std::fabs(parsed - value) <= 16 * unit;
}

} // namespace

void TextBuffer::appendReal(double value)
{
    // Not printf: its %f follows LC_NUMERIC, which a GUI host sets from the
    // user's locale (a decimal comma would corrupt the file). Fixed notation
    // because PDF has no exponents.
    if (!std::isfinite(value))
        value = 0.0;
    if (value < 0)
        bytes.append("-");
    double magnitude = std::fabs(value);
    char text[400];
    // The fewest decimals that stand for this value: the text the source held.
    for (int decimals = 1; decimals <= 17; ++decimals) {
        auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, decimals);
        std::string_view candidate(text, static_cast<std::size_t>(result.ptr - text));
        if (standsFor(candidate, magnitude)) {
            while (candidate.size() > 2 && candidate.back() == '0' && candidate[candidate.size() - 2] != '.')
                candidate.remove_suffix(1);
            bytes.append(candidate);
            return;
        }
    }
    // Else the shortest text that reads back exactly with correct rounding.
    auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed);
    bytes.append(text, result.ptr);
    if (std::string_view(text, static_cast<std::size_t>(result.ptr - text)).find('.') == std::string_view::npos)
        bytes.append(".0");
}

} // namespace colligo
