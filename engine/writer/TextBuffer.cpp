#include "TextBuffer.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>

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

void TextBuffer::appendReal(double value)
{
    // printf's %f follows LC_NUMERIC, which a GUI host sets from the user's
    // locale; a decimal comma would corrupt the file.
    if (!std::isfinite(value))
        value = 0.0;
    char text[400];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    bytes.append(text, result.ptr);
}

} // namespace colligo
