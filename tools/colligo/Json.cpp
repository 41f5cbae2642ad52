#include "Json.h"

#include <cstdio>

namespace cli {

namespace {

// The length of the valid UTF-8 sequence at text[at] (1 to 4), or 0 when
// the bytes there are not one (stray continuation bytes, overlong forms,
// surrogates, values beyond U+10FFFF, a cut sequence).
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    auto byte = [&](std::size_t i) { return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u; };
    auto continuation = [](unsigned c) { return c >= 0x80 && c <= 0xBF; };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(byte(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return byte(1) >= low && byte(1) <= high && continuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return byte(1) >= low && byte(1) <= high && continuation(byte(2)) && continuation(byte(3)) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(text, i);
        if (length == 0) {
            json += "\\ufffd";
            ++i;
            continue;
        }
        if (length > 1) {
            const std::string_view sequence = text.substr(i, length);
            if (sequence == "\xE2\x80\xA8")
                json += "\\u2028";
            else if (sequence == "\xE2\x80\xA9")
                json += "\\u2029";
            else
                json += sequence;
            i += length;
            continue;
        }
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\b':
            json += "\\b";
            break;
        case '\f':
            json += "\\f";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                json += escaped;
            } else {
                json += static_cast<char>(c);
            }
        }
        ++i;
    }
    return json + "\"";
}

} // namespace cli
