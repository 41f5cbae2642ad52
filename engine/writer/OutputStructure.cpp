// The output's structure tree: its root, the document element of an output
// made of several files, the parent tree and the ID tree.
#include "Structure.h"

#include "OutputTrees.h"

#include <algorithm>

namespace colligo {

namespace {

// A name that another file already gives a different meaning: the first
// free "name_2", "name_3" ...
template<typename Map>
std::map<std::string, std::string> merge(Map &merged, const std::map<std::string, std::string> &added)
{
    std::map<std::string, std::string> renames;
    for (const auto &[name, value] : added) {
        auto found = merged.find(name);
        if (found == merged.end()) {
            merged.emplace(name, value);
            continue;
        }
        if (found->second == value)
            continue;
        std::string candidate;
        for (int suffix = 2;; ++suffix) {
            candidate = name + "_" + std::to_string(suffix);
            auto other = merged.find(candidate);
            if (other == merged.end() || other->second == value)
                break;
        }
        merged.emplace(candidate, value);
        renames.emplace(name, candidate);
    }
    return renames;
}

} // namespace

int OutputStructure::rootNumber()
{
    if (root == 0)
        root = output.newObjectNumber();
    return root;
}

int OutputStructure::documentElement()
{
    rootNumber();
    if (document == 0)
        document = output.newObjectNumber();
    return document;
}

OutputStructure::FilePart &OutputStructure::partOf(int order)
{
    auto found = std::find_if(parts.begin(), parts.end(), [&](const FilePart &part) { return part.order == order && part.own; });
    if (found != parts.end())
        return *found;
    parts.push_back({ order, 0, true, {}, {} });
    return parts.back();
}

int OutputStructure::topParentFor(int order, const std::string &language, int ownElement)
{
    if (isSingleFile())
        return rootNumber();
    documentElement();
    if (ownElement != 0) { // the file's own document element stands for the file
        parts.push_back({ order, ownElement, false, language, {} });
        return document;
    }
    FilePart &part = partOf(order);
    if (part.number == 0) {
        part.number = output.newObjectNumber();
        part.language = language;
    }
    return part.number;
}

void OutputStructure::addTopElements(int order, const std::vector<int> &elements)
{
    std::vector<int> &kids = isSingleFile() ? topElements : partOf(order).kids;
    kids.insert(kids.end(), elements.begin(), elements.end());
}

std::map<std::string, std::string> OutputStructure::mergeRoleMap(const std::map<std::string, std::string> &roles)
{
    std::map<std::string, std::string> renames = merge(roleMap, roles);
    // A type of this file that maps to one of its renamed types follows the rename.
    for (const auto &[name, value] : roles) {
        auto renamedValue = renames.find(value);
        if (renamedValue == renames.end())
            continue;
        auto renamedName = renames.find(name);
        roleMap[renamedName != renames.end() ? renamedName->second : name] = renamedValue->second;
    }
    return renames;
}

std::map<std::string, std::string> OutputStructure::mergeClassMap(const std::map<std::string, std::string> &classes)
{
    return merge(classMap, classes);
}

std::string OutputStructure::uniqueId(const std::string &id, int element)
{
    std::string candidate = id;
    for (int suffix = 2; ids.count(candidate); ++suffix)
        candidate = id + "-" + std::to_string(suffix);
    ids.emplace(candidate, element);
    return candidate;
}

void OutputStructure::setParentTreeEntry(int key, std::string value)
{
    parentTree[key] = std::move(value);
}

// Each file's own element, under the document element, in the order the
// files were first listed.
void OutputStructure::writeFileParts()
{
    std::stable_sort(parts.begin(), parts.end(), [](const FilePart &a, const FilePart &b) { return a.order < b.order; });
    TextBuffer documentText;
    documentText.appendf("%d %d obj\n<<\n/Type/StructElem\n/S/Document\n/P %d 0 R\n/K[", document, 0, root);
    for (const FilePart &part : parts) {
        if (part.number == 0 || (part.own && part.kids.empty()))
            continue;
        appendReference(documentText, part.number);
        if (!part.own)
            continue;
        TextBuffer text;
        text.appendf("%d %d obj\n<<\n/Type/StructElem\n/S/Part\n/P %d 0 R\n", part.number, 0, document);
        if (!part.language.empty())
            text.append("/Lang" + part.language + "\n");
        text.append("/K[");
        for (int kid : part.kids)
            appendReference(text, kid);
        text.append("]\n>>\nendobj\n");
        output.queueObject(part.number, text.take());
    }
    documentText.append("]\n>>\nendobj\n");
    output.queueObject(document, documentText.take());
}

std::string OutputStructure::write()
{
    if (root == 0)
        return {};
    if (document != 0)
        writeFileParts();
    int parentTreeNumber = writeNumberTree(output, parentTree);
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n/Type/StructTreeRoot\n/K[", root, 0);
    if (document != 0)
        appendReference(text, document);
    for (int element : topElements)
        appendReference(text, element);
    text.appendf("]\n/ParentTree %d 0 R\n/ParentTreeNextKey %d\n", parentTreeNumber, nextKey);
    auto appendMap = [&](const char *key, const std::map<std::string, std::string> &map, bool names) {
        if (map.empty())
            return;
        text.append(key);
        text.append("<<");
        for (const auto &[name, value] : map) {
            appendName(text, name.c_str());
            if (names)
                appendName(text, value.c_str());
            else
                text.append(value);
        }
        text.append(">>\n");
    };
    appendMap("/RoleMap", roleMap, true);
    appendMap("/ClassMap", classMap, false);
    if (!ids.empty()) {
        std::map<std::string, std::string> idEntries;
        for (const auto &[id, element] : ids)
            idEntries.emplace(id, " " + std::to_string(element) + " 0 R");
        text.appendf("/IDTree %d 0 R\n", writeNameTree(output, idEntries));
    }
    text.append(">>\nendobj\n");
    output.queueObject(root, text.take());
    return "/StructTreeRoot " + std::to_string(root) + " 0 R\n/MarkInfo<</Marked true>>\n";
}

} // namespace colligo
