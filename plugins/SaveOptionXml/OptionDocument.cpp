#include "OptionDocument.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace {

// The element names of a key path; empty when any name is empty.
std::vector<std::string> SplitKey(const std::string &key)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = key.find('\\', start);
        names.push_back(key.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (names.back().empty())
            return {};
        if (end == std::string::npos)
            return names;
        start = end + 1;
    }
}

} // namespace

bool OptionDocument::Load(const std::string &path)
{
    if (Document.load_file(path.c_str()))
        return true;
    Document.reset();
    return false;
}

bool OptionDocument::Save(const std::string &path) const
{
    return Document.save_file(path.c_str(), "  ", pugi::format_default, pugi::encoding_utf8);
}

void OptionDocument::Clear()
{
    Document.reset();
}

std::optional<std::string> OptionDocument::Text(const std::string &key) const
{
    const pugi::xml_node element = Find(key);
    if (!element)
        return std::nullopt;
    return std::string(element.text().get());
}

bool OptionDocument::SetText(const std::string &key, const std::string &value)
{
    pugi::xml_node element = FindOrCreate(key);
    return element && element.text().set(value.c_str());
}

bool OptionDocument::Remove(const std::string &key)
{
    const pugi::xml_node element = Find(key);
    return element && element.parent().remove_child(element);
}

pugi::xml_node OptionDocument::Find(const std::string &key) const
{
    pugi::xml_node node = Document;
    for (const std::string &name : SplitKey(key)) {
        node = node.child(name.c_str());
        if (!node)
            return {};
    }
    return node == Document ? pugi::xml_node() : node;
}

pugi::xml_node OptionDocument::FindOrCreate(const std::string &key)
{
    const std::vector<std::string> names = SplitKey(key);
    if (names.empty())
        return {};
    // A document has one root element: a key under another root cannot be stored.
    const pugi::xml_node root = Document.document_element();
    if (root && names.front() != root.name())
        return {};

    pugi::xml_node node = Document;
    for (const std::string &name : names) {
        pugi::xml_node child = node.child(name.c_str());
        node = child ? child : node.append_child(name.c_str());
        if (!node)
            return {};
    }
    return node;
}

std::optional<int> ParseWholeNumber(const std::string &text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    const char *begin = text.data() + first;
    const char *end = text.data() + last + 1;
    std::int32_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}
