// Destinations within a document: named destinations (the catalogue's /Dests
// dictionary and the /Names /Dests name tree) and the explicit destination
// arrays that names, strings and go-to actions stand for.
#pragma once

#include "ObjectReader.h"

#include <Object.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class PDFDoc;
class XRef;

namespace colligo {

class PageTree;

// Names are looked up when first asked for: the /Dests dictionary through an
// index of its keys, the name tree by its /Limits down to the one leaf that
// can hold the name; what was found (or not) is remembered. Only all() reads
// everything, once.
class NamedDestinations
{
public:
    explicit NamedDestinations(ObjectReader &objects);

    // The explicit destination array a name stands for; null when none.
    Object find(const std::string &name) const;
    // Every name with its destination array, in byte order of the names; the
    // whole tree is read on the first call.
    const std::map<std::string, Object> &all() const;
    // The names asked for so far that stand for a destination, in byte order.
    std::map<std::string, Object> found() const;
    // Whether all() has read everything already.
    bool complete() const { return whole; }

private:
    Object destinationOf(const Object &value) const;
    Object findInDests(const std::string &name) const;
    Object findInTree(const std::string &name) const;
    void readAll() const;

    ObjectReader &objects;
    Object dests;    // the catalogue's /Dests dictionary, or null
    Object treeRoot; // the /Names /Dests name tree's root, unresolved, or null
    mutable std::unordered_map<std::string, std::vector<int>> destsKeys; // positions of each key in /Dests
    mutable bool destsIndexed = false;
    mutable std::unordered_map<std::string, Object> looked; // name: array, or null when none
    mutable std::map<std::string, Object> names;          // everything, once whole
    mutable bool whole = false;
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
