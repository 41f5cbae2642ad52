// Destinations within a document: named destinations (the catalogue's /Dests
// dictionary and the /Names /Dests name tree) and the explicit destination
// arrays that names, strings and go-to actions stand for.
#pragma once

#include "ObjectReader.h"

#include <Object.h>

#include <map>
#include <string>

class PDFDoc;
class XRef;

namespace colligo {

class PageTree;

class NamedDestinations
{
public:
    explicit NamedDestinations(ObjectReader &objects);

    // The explicit destination array a name stands for; null when none.
    Object find(const std::string &name) const;
    // Every name with its destination array, in byte order of the names.
    const std::map<std::string, Object> &all() const { return names; }

private:
    void add(const std::string &name, const Object &value, bool replace);

    ObjectReader &objects;
    std::map<std::string, Object> names;
};

// The explicit destination a destination value stands for: an array as it
// is, a name or string looked up, a dictionary's /D; null for anything else.
Object explicitDestination(const Object &value, const NamedDestinations &names, ObjectReader &objects);

// Whether an array is a destination a reader can follow: a page (reference or
// number) and one of the known views.
bool isUsableDestination(const Object &array);

// The page (0-based) a destination array points to, as readers read it: a
// reference matched by object number, a number taken as the page's index;
// -1 when it points at no page of the document.
int destinationPage(const Object &array, const PageTree &pages);

// The destination an outline item or link goes to within its document: its
// /Dest, or its /A when that is a go-to action; null when it has neither.
Object goToTarget(const Object &dict, ObjectReader &objects);

} // namespace colligo
