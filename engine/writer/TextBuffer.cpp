#include "TextBuffer.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
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

// `shortest` (the shortest fixed text of a value, "72.30000000000001") rounded
// half up to `decimals` places, into `text`. It is the value's own rounding
// unless a rounding boundary lay between the two; a boundary has at most
// decimals + 1 places, and one strictly between would be a shorter (or a
// closer) text of the value than `shortest`, so only a `shortest` that is
// itself the boundary (its last place a 5, just past `decimals`) can differ.
std::string_view roundShortest(std::string_view shortest, int decimals, char *text, std::size_t capacity)
{
    std::size_t point = shortest.find('.');
    std::string_view whole = shortest.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : shortest.substr(point + 1);
    auto places = static_cast<std::size_t>(decimals);
    if (whole.size() + places + 3 > capacity)
        return {};
    char *digits = text + 1; // room for a carry into a new leading digit
    std::size_t count = 0;
    for (char c : whole)
        digits[count++] = c;
    for (std::size_t i = 0; i < places; ++i)
        digits[count++] = i < fraction.size() ? fraction[i] : '0';
    std::size_t integerDigits = whole.size();
    if (fraction.size() > places && fraction[places] >= '5') {
        std::size_t at = count;
        while (at > 0 && digits[at - 1] == '9')
            digits[--at] = '0';
        if (at == 0) {
            *--digits = '1';
            ++count;
            ++integerDigits;
        } else {
            ++digits[at - 1];
        }
    }
    // The digits, then the point moved in: "723" -> "72.3".
    std::memmove(digits + integerDigits + 1, digits + integerDigits, places);
    digits[integerDigits] = '.';
    return std::string_view(digits, count + 1);
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
    char shortestText[400];
    auto end = std::to_chars(shortestText, shortestText + sizeof shortestText, magnitude, std::chars_format::fixed).ptr;
    std::string_view shortest(shortestText, static_cast<std::size_t>(end - shortestText));
    std::size_t point = shortest.find('.');
    int places = point == std::string_view::npos ? 0 : static_cast<int>(shortest.size() - point - 1);
    // The fewest decimals that stand for this value: the text the source held.
    // Below 2^53 every digit of `shortest` counts, and from `places` decimals
    // on the text is `shortest` itself; above, its integer digits are padded
    // with zeros, so each candidate is printed from the value.
    bool digitsCount = magnitude < 1e15;
    char text[400];
    for (int decimals = 1; decimals <= 17 && (decimals < places || !digitsCount); ++decimals) {
        std::string_view candidate;
        if (!digitsCount || (decimals + 1 == places && shortest.back() == '5')) {
            auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, decimals);
            candidate = std::string_view(text, static_cast<std::size_t>(result.ptr - text));
        } else {
            candidate = roundShortest(shortest, decimals, text, sizeof text);
        }
        if (!candidate.empty() && standsFor(candidate, magnitude)) {
            while (candidate.size() > 2 && candidate.back() == '0' && candidate[candidate.size() - 2] != '.')
                candidate.remove_suffix(1);
            bytes.append(candidate);
            return;
        }
    }
    // Else the shortest text that reads back exactly.
    bytes.append(shortest);
    if (point == std::string_view::npos)
        bytes.append(".0");
}

} // namespace colligo
