#include "WideText.h"

namespace colligo {

std::size_t wideLength(const char16_t *text)
{
    std::size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

static void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

static void appendUtf16(std::u16string &out, char32_t c)
{
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

std::optional<std::string> utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> utf16ToUtf8(const char16_t *text)
{
    return utf16ToUtf8(std::u16string_view(text, wideLength(text)));
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        char32_t c;
        int extra;
        if (byte < 0x80) {
            c = byte;
            extra = 0;
        } else if ((byte & 0xE0) == 0xC0) {
            c = byte & 0x1F;
            extra = 1;
        } else if ((byte & 0xF0) == 0xE0) {
            c = byte & 0x0F;
            extra = 2;
        } else if ((byte & 0xF8) == 0xF0) {
            c = byte & 0x07;
            extra = 3;
        } else {
            c = 0xFFFD; // a stray byte of some other encoding
            extra = 0;
        }
        ++i;
        for (int k = 0; k < extra; ++k, ++i) {
            if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
                c = 0xFFFD;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        appendUtf16(out, c);
    }
    return out;
}

std::u16string codePointsToUtf16(const unsigned int *codePoints, int count)
{
    std::u16string out;
    for (int i = 0; i < count; ++i) {
        char32_t c = codePoints[i];
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        appendUtf16(out, c);
    }
    return out;
}

std::u16string cutUtf16(std::u16string text, std::size_t maxUnits)
{
    if (text.size() <= maxUnits)
        return text;
    std::size_t end = maxUnits;
    if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF)
        --end; // never keep half of a surrogate pair
    text.resize(end);
    return text;
}

std::string cutUtf8(std::string text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // back to the start of the character that would be split
    text.resize(end);
    return text;
}

} // namespace colligo
