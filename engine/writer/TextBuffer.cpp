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

// The value poppler's lexer gives the text of a non-negative real: the whole
// part, then each decimal digit added at its scale. It is not the correctly
// rounded value, so the text a file held is found by reading candidates back
// the same way.
double readBackAsPoppler(std::string_view text)
{
    double value = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '.'; ++i)
        value = value * 10 + (text[i] - '0');
    double scale = 0.1;
    for (++i; i < text.size(); ++i) {
        value += scale * (text[i] - '0');
        scale *= 0.1;
    }
    return value;
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
    // The fewest decimals that read back as exactly this value: the text the
    // source itself held.
    for (int decimals = 1; decimals <= 17; ++decimals) {
        auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, decimals);
        std::string_view candidate(text, static_cast<std::size_t>(result.ptr - text));
        if (readBackAsPoppler(candidate) == magnitude) {
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
