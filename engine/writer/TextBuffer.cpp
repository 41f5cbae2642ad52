#include "TextBuffer.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace colligo {

void TextBuffer::appendf(const char *format, ...)
{
    char small[256];
    va_list args;
    va_start(args, format);
    int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0)
        return;
    if (static_cast<std::size_t>(needed) < sizeof small) {
        bytes.append(small, static_cast<std::size_t>(needed));
        return;
    }
    std::size_t oldSize = bytes.size();
    bytes.resize(oldSize + static_cast<std::size_t>(needed) + 1);
    va_start(args, format);
    std::vsnprintf(bytes.data() + oldSize, static_cast<std::size_t>(needed) + 1, format, args);
    va_end(args);
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
