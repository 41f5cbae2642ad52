#include "Destinations.h"

#include "ObjectTrees.h"
#include "PageTree.h"

#include <Catalog.h>
#include <Dict.h>
#include <PDFDoc.h>
#include <XRef.h>
#include <goo/GooString.h>

#include <cstring>

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

} // namespace

// poppler looks a name up in the catalogue's /Dests when that dictionary
// exists and in the name tree only otherwise; documents may use both, so both
// are read, /Dests first.
NamedDestinations::NamedDestinations(ObjectReader &objects) : objects(objects)
{
    Object catalog = objects.xrefTable().getCatalog();
    if (!catalog.isDict())
        return;
    Object dests = objects.resolve(catalog.dictLookupNF("Dests"));
    if (dests.isDict())
        for (int i = 0; i < dests.dictGetLength(); ++i)
            add(dests.dictGetKey(i), dests.dictGetValNF(i), true);
    Object namesDict = objects.resolve(catalog.dictLookupNF("Names"));
    if (namesDict.isDict()) {
        Object tree = namesDict.dictLookupNF("Dests").copy();
        forEachTreeEntry(objects, tree, "Names", [&](const Object &key, const Object &value) { add(keyText(key), value, false); });
    }
}

void NamedDestinations::add(const std::string &name, const Object &value, bool replace)
{
    if (name.empty() && !replace)
        return;
    Object resolved = objects.resolve(value);
    if (resolved.isDict())
        resolved = objects.resolve(resolved.dictLookupNF("D"));
    if (!resolved.isArray())
        return;
    if (replace)
        names.insert_or_assign(name, std::move(resolved));
    else
        names.emplace(name, std::move(resolved));
}

Object NamedDestinations::find(const std::string &name) const
{
    auto found = names.find(name);
    return found == names.end() ? Object(objNull) : found->second.copy();
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
