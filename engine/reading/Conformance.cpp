#include "Conformance.h"

#include "ObjectReader.h"

#include <Stream.h>
#include <XRef.h>

#include <cctype>

namespace colligo {

namespace {

// Metadata packets are small; a stream claiming more is not read in full.
constexpr std::size_t packetLimit = 4 << 20;

// The value of an XMP property, written as name="value" or
// <name>value</name>; empty when the packet has neither.
std::string propertyValue(const std::string &packet, const std::string &name)
{
    for (std::size_t at = packet.find(name); at != std::string::npos; at = packet.find(name, at + 1)) {
        std::size_t after = at + name.size();
        if (after >= packet.size())
            break;
        if (packet[after] == '=' && after + 1 < packet.size() && (packet[after + 1] == '"' || packet[after + 1] == '\'')) {
            std::size_t end = packet.find(packet[after + 1], after + 2);
            if (end != std::string::npos)
                return packet.substr(after + 2, end - after - 2);
        } else if (packet[after] == '>' && at > 0 && packet[at - 1] == '<') {
            std::size_t end = packet.find('<', after + 1);
            if (end != std::string::npos)
                return packet.substr(after + 1, end - after - 1);
        }
    }
    return {};
}

std::string trimmed(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    return text.substr(start);
}

int partNumber(const std::string &text)
{
    std::string value = trimmed(text);
    if (value.empty() || value.size() > 2)
        return 0;
    for (char c : value)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
    return std::stoi(value);
}

} // namespace

std::string Conformance::text() const
{
    std::string result;
    if (pdfaPart > 0) {
        result = "PDF/A-" + std::to_string(pdfaPart);
        for (char c : pdfaLevel)
            result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (pdfuaPart > 0)
        result += (result.empty() ? "" : " ") + std::string("PDF/UA-") + std::to_string(pdfuaPart);
    return result;
}

std::string metadataPacket(ObjectReader &objects)
{
    Object catalog = objects.xrefTable().getCatalog();
    Object metadata = catalog.isDict() ? catalog.dictLookup("Metadata") : Object(objNull);
    if (!metadata.isStream())
        return {};
    std::string packet;
    Stream *stream = metadata.getStream();
    stream->reset();
    for (int c; packet.size() < packetLimit && (c = stream->getChar()) != EOF;)
        packet.push_back(static_cast<char>(c));
    stream->close();
    return packet;
}

Conformance conformanceOf(const std::string &packet)
{
    Conformance conformance;
    conformance.pdfaPart = partNumber(propertyValue(packet, "pdfaid:part"));
    if (conformance.pdfaPart > 0) {
        for (char c : trimmed(propertyValue(packet, "pdfaid:conformance")))
            if (std::isalpha(static_cast<unsigned char>(c)))
                conformance.pdfaLevel += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    conformance.pdfuaPart = partNumber(propertyValue(packet, "pdfuaid:part"));
    return conformance;
}

} // namespace colligo
