// A growable byte buffer that object text is assembled in. Formatted appends
// never truncate: the buffer grows to fit whatever an object needs.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

namespace colligo {

class TextBuffer
{
public:
    explicit TextBuffer(std::size_t initialCapacity = 256) { bytes.reserve(initialCapacity); }

    void append(std::string_view text) { bytes.append(text); }
    void append(const char *data, std::size_t length) { bytes.append(data, length); }
    void appendf(const char *format, ...) __attribute__((format(printf, 2, 3)));
    void vappendf(const char *format, va_list args) __attribute__((format(printf, 2, 0)));
    // Appends a real as the shortest fixed-point text that reads back as the
    // same value ("." as decimal point, whatever the C locale says).
    void appendReal(double value);

    const char *data() const { return bytes.data(); }
    std::size_t size() const { return bytes.size(); }
    bool empty() const { return bytes.empty(); }
    void clear() { bytes.clear(); }
    // Hands the assembled bytes over, leaving the buffer empty.
    std::string take() { return std::move(bytes); }

private:
    std::string bytes;
};

} // namespace colligo
