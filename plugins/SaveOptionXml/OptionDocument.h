#pragma once
// An XML document read as a tree of options. A key path names nested
// elements from the root down, separated by backslashes: "product\version"
// is the text of <product><version>. Texts are UTF-8 here.

#include <pugixml.hpp>

#include <optional>
#include <string>

class OptionDocument
{
public:
    bool Load(const std::string &path);   // false, and empty, when the file cannot be read
    bool Save(const std::string &path) const;
    void Clear();

    std::optional<std::string> Text(const std::string &key) const;
    bool SetText(const std::string &key, const std::string &value);
    bool Remove(const std::string &key);

private:
    pugi::xml_node Find(const std::string &key) const;
    pugi::xml_node FindOrCreate(const std::string &key);

    pugi::xml_document Document;
};

// The whole text as a decimal 32-bit number, ignoring surrounding blanks.
std::optional<int> ParseWholeNumber(const std::string &text);
