// Readers for the trees a PDF document keeps its lists in: name trees and
// number trees (ISO 32000, 7.9.6 and 7.9.7), and the outline's linked items.
// Each walks with an explicit stack and visits every object once, so neither
// a deep tree nor a loop can exhaust the stack or run forever.
#pragma once

#include "ObjectReader.h"

#include <Object.h>

#include <functional>

namespace colligo {

// Calls visit(key, value) for every leaf entry, in tree order. `leafKey` is
// "Names" for a name tree (string keys) or "Nums" for a number tree (integer
// keys); values are passed unresolved.
void forEachTreeEntry(ObjectReader &objects, const Object &root, const char *leafKey,
                      const std::function<void(const Object &key, const Object &value)> &visit);

// One outline item as the walk meets it.
struct OutlineVisit
{
    Ref ref;
    const Object &dict;
    int level; // 1 for top-level items
};

// Calls visit(item) for every item of the outline below `root` (the
// /Outlines dictionary), in reading order: an item, its descendants, then its
// next sibling. visit returns whether to walk the item's children. An item met
// a second time (a /Next back to an earlier item, an item its own child) is
// left out with what follows it on that list.
void forEachOutlineItem(ObjectReader &objects, const Object &root, const std::function<bool(const OutlineVisit &item)> &visit);

} // namespace colligo
