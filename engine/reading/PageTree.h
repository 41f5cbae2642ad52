// The pages of a document as a reader shows them, found by walking the page
// tree ourselves. poppler trusts the root's /Count and gives up at the first
// odd entry; damaged files still hold pages that readers show. The walk
// accepts page dictionaries written directly in /Kids, trees of any depth,
// counts that lie, and skips nulls and other non-dictionaries among /Kids. A
// page or node that the tree lists in two places is there twice, as readers
// show it; only a node that is its own ancestor (a loop) is cut. The walk's
// work is bounded by the file's size, so a tree whose nodes list the next
// node twice cannot make it run for 2^n steps.
//
// Opening, measuring, merging and splitting all use this one list, so they
// agree on what page N is.
#pragma once

#include "ObjectReader.h"

#include <Object.h>

#include <unordered_map>
#include <vector>

namespace colligo {

class PageTree
{
public:
    explicit PageTree(ObjectReader &objects);

    // Walks the whole tree the first time.
    int count() const;
    // Walks only as far as the first page.
    bool empty() const;

    // The dictionary of page `index` (0-based); null for an index out of range.
    Object pageDictionary(int index) const;
    // The page's own reference; Ref::INVALID() for a page written directly in /Kids.
    Ref pageReference(int index) const;

    // An inheritable attribute (Resources, MediaBox, CropBox, Rotate) of page
    // `index`, whose dictionary is `page`: the page's own entry when `accept`
    // takes its resolved value, else the nearest ancestor's. `owner` is set to
    // the node it came from, or -1 for the page itself; the result is the
    // unresolved entry, null when none.
    template<typename Accept>
    Object inherited(const Object &page, int index, const char *key, Accept &&accept, int *owner = nullptr) const;

    // The 0-based index of the page with that object number (the generation is
    // not compared, as readers match page references); -1 when it is no page.
    int indexOf(Ref pageRef) const;
    // Whether the object is part of the page tree: the root, a node or a page.
    bool isTreeObject(Ref ref) const;

private:
    struct Node
    {
        Ref ref;      // Ref::INVALID() for a node written directly in its parent's /Kids
        Object dict;
        int parent;   // index into nodes; -1 for the root
    };
    struct PageEntry
    {
        Ref ref;
        int node;     // the parent node; -1 for a lone page standing for the tree
        int kidIndex; // position in the parent's /Kids; -1 for the lone page
    };

    struct Position
    {
        int node;
        Object kids;
        int next;
    };

    void start(Object root, Ref rootRef);
    void walkUntil(std::size_t wanted) const;
    bool firstVisit(Ref ref) const;
    bool onPath(Ref ref) const;
    void setOnPath(Ref ref, bool on) const;

    // The list grows as far as it is asked for.
    ObjectReader &objects;
    mutable std::vector<Node> nodes;
    mutable std::vector<PageEntry> pages;
    mutable std::vector<bool> visited; // by object number
    mutable std::vector<bool> ancestors; // by object number: the nodes on the walk's current path
    mutable std::size_t steps = 0;
    std::size_t stepLimit = 0;
    mutable std::unordered_map<int, int> pageByNumber;
    mutable std::vector<Position> stack;
    Object lonePage; // the catalogue's /Pages when it is itself a page
};

template<typename Accept>
Object PageTree::inherited(const Object &page, int index, const char *key, Accept &&accept, int *owner) const
{
    if (owner)
        *owner = -1;
    if (!page.isDict() || index < 0 || static_cast<std::size_t>(index) >= pages.size())
        return Object(objNull);
    const Object &own = page.dictLookupNF(key);
    if (accept(objects.resolve(own)))
        return own.copy();
    for (int node = pages[static_cast<std::size_t>(index)].node; node >= 0; node = nodes[static_cast<std::size_t>(node)].parent) {
        const Object &dict = nodes[static_cast<std::size_t>(node)].dict;
        if (accept(objects.resolve(dict.dictLookupNF(key)))) {
            if (owner)
                *owner = node;
            return dict.dictLookupNF(key).copy();
        }
    }
    return Object(objNull);
}

} // namespace colligo
