#include "Destinations.h"

#include "ObjectTrees.h"
#include "PageTree.h"

#include <Catalog.h>
#include <Dict.h>
#include <PDFDoc.h>
#include <XRef.h>
#include <goo/GooString.h>

#include <cstring>
#include <unordered_set>

namespace colligo {

namespace {

std::string keyText(const Object &key)
{
    if (key.isString())
        return key.getString()->toStr();
    if (key.isName())
        return key.getName();
    return {};
}

// Whether a node's /Limits leave `name` out; a node without usable limits may
// hold any name.
bool outsideLimits(ObjectReader &objects, const Object &node, const std::string &name)
{
    Object limits = objects.resolve(node.dictLookupNF("Limits"));
    if (!limits.isArray() || limits.arrayGetLength() < 2)
        return false;
    Object low = objects.resolve(limits.arrayGetNF(0));
    Object high = objects.resolve(limits.arrayGetNF(1));
    if (!(low.isString() || low.isName()) || !(high.isString() || high.isName()))
        return false;
    return name < keyText(low) || name > keyText(high);
}

} // namespace

// poppler looks a name up in the catalogue's /Dests when that dictionary
// exists and in the name tree only otherwise; documents may use both, so both
// are read, /Dests first.
NamedDestinations::NamedDestinations(ObjectReader &objects) : objects(objects)
{
    Object catalog = objects.xrefTable().getCatalog();
    if (!catalog.isDict())
        return;
    dests = objects.resolve(catalog.dictLookupNF("Dests"));
    if (!dests.isDict())
        dests = Object(objNull);
    Object namesDict = objects.resolve(catalog.dictLookupNF("Names"));
    if (namesDict.isDict())
        treeRoot = namesDict.dictLookupNF("Dests").copy();
}

Object NamedDestinations::destinationOf(const Object &value) const
{
    Object resolved = objects.resolve(value);
    if (resolved.isDict())
        resolved = objects.resolve(resolved.dictLookupNF("D"));
    return resolved.isArray() ? std::move(resolved) : Object(objNull);
}

// The last entry of that key that is a destination, as a reader that reads
// the dictionary in order and keeps the latest would have it.
Object NamedDestinations::findInDests(const std::string &name) const
{
    if (!dests.isDict())
        return Object(objNull);
    if (!destsIndexed) {
        destsIndexed = true;
        for (int i = 0; i < dests.dictGetLength(); ++i)
            destsKeys[dests.dictGetKey(i)].push_back(i);
    }
    auto positions = destsKeys.find(name);
    if (positions == destsKeys.end())
        return Object(objNull);
    for (auto i = positions->second.rbegin(); i != positions->second.rend(); ++i)
        if (Object destination = destinationOf(dests.dictGetValNF(*i)); destination.isArray())
            return destination;
    return Object(objNull);
}

// The first destination of that name in tree order, walking only the kids
// whose /Limits hold the name; every node is visited at most once.
Object NamedDestinations::findInTree(const std::string &name) const
{
    if (name.empty() || treeRoot.isNull())
        return Object(objNull);
    std::unordered_set<int> seen;
    std::vector<Object> stack; // unresolved nodes still to read, the next one last
    stack.push_back(treeRoot.copy());
    for (bool root = true; !stack.empty(); root = false) {
        Object entry = std::move(stack.back());
        stack.pop_back();
        if (entry.isRef() && !seen.insert(entry.getRefNum()).second)
            continue;
        Object node = objects.resolve(entry);
        if (!node.isDict() || (!root && outsideLimits(objects, node, name)))
            continue;
        Object leaves = objects.resolve(node.dictLookupNF("Names"));
        for (int i = 0; leaves.isArray() && i + 1 < leaves.arrayGetLength(); i += 2) {
            if (keyText(objects.resolve(leaves.arrayGetNF(i))) != name)
                continue;
            if (Object destination = destinationOf(leaves.arrayGetNF(i + 1)); destination.isArray())
                return destination;
        }
        Object kids = objects.resolve(node.dictLookupNF("Kids"));
        if (kids.isArray())
            for (int i = kids.arrayGetLength() - 1; i >= 0; --i)
                stack.push_back(kids.arrayGetNF(i).copy());
    }
    return Object(objNull);
}

Object NamedDestinations::find(const std::string &name) const
{
    if (whole) {
        auto found = names.find(name);
        return found == names.end() ? Object(objNull) : found->second.copy();
    }
    auto known = looked.find(name);
    if (known == looked.end()) {
        Object destination = findInDests(name);
        if (destination.isNull())
            destination = findInTree(name);
        known = looked.emplace(name, std::move(destination)).first;
    }
    return known->second.copy();
}

std::map<std::string, Object> NamedDestinations::found() const
{
    std::map<std::string, Object> result;
    for (const auto &[name, destination] : looked)
        if (destination.isArray())
            result.emplace(name, destination.copy());
    return result;
}

const std::map<std::string, Object> &NamedDestinations::all() const
{
    if (!whole)
        readAll();
    return names;
}

// Everything at once, in the order a whole reading gives: /Dests (the
// latest entry of a key wins), then the tree (an earlier name wins).
void NamedDestinations::readAll() const
{
    whole = true;
    if (dests.isDict())
        for (int i = 0; i < dests.dictGetLength(); ++i)
            if (Object destination = destinationOf(dests.dictGetValNF(i)); destination.isArray())
                names.insert_or_assign(dests.dictGetKey(i), std::move(destination));
    forEachTreeEntry(objects, treeRoot, "Names", [&](const Object &key, const Object &value) {
        std::string name = keyText(key);
        if (name.empty())
            return;
        if (Object destination = destinationOf(value); destination.isArray())
            names.emplace(std::move(name), std::move(destination));
    });
    looked.clear();
}

Object explicitDestination(const Object &value, const NamedDestinations &names, ObjectReader &objects)
{
    Object resolved = objects.resolve(value);
    if (resolved.isDict()) // a destination dictionary: its /D, one level only
        resolved = objects.resolve(resolved.dictLookupNF("D"));
    if (resolved.isArray())
        return resolved;
    if (resolved.isName())
        return names.find(resolved.getName());
    if (resolved.isString())
        return names.find(resolved.getString()->toStr());
    return Object(objNull);
}

bool isUsableDestination(const Object &array)
{
    if (!array.isArray() || array.arrayGetLength() < 2)
        return false;
    const Object &page = array.arrayGetNF(0);
    if (!page.isRef() && !page.isInt())
        return false;
    Object view = array.arrayGet(1);
    if (!view.isName())
        return false;
    for (const char *kind : { "XYZ", "Fit", "FitH", "FitV", "FitR", "FitB", "FitBH", "FitBV" })
        if (std::strcmp(view.getName(), kind) == 0)
            return true;
    return false;
}

int destinationPage(const Object &array, const PageTree &pages)
{
    if (!array.isArray() || array.arrayGetLength() < 1)
        return -1;
    const Object &page = array.arrayGetNF(0);
    if (page.isRef())
        return pages.indexOf(page.getRef());
    if (page.isInt() && page.getInt() >= 0 && page.getInt() < pages.count())
        return page.getInt();
    return -1;
}

Object goToTarget(const Object &dict, ObjectReader &objects)
{
    if (!dict.isDict())
        return Object(objNull);
    Object dest = objects.resolve(dict.dictLookupNF("Dest"));
    if (!dest.isNull())
        return dest;
    Object action = objects.resolve(dict.dictLookupNF("A"));
    if (action.isDict() && action.dictLookup("S").isName("GoTo"))
        return objects.resolve(action.dictLookupNF("D"));
    return Object(objNull);
}

} // namespace colligo
