#include "PageTree.h"

#include <Dict.h>
#include <XRef.h>

namespace colligo {

namespace {

// What poppler takes for a page: a page dictionary by type, or any dictionary
// without /Kids (some producers leave out /Type).
bool isPageDictionary(const Object &dict)
{
    return dict.isDict("Page") || !dict.getDict()->hasKey("Kids");
}

} // namespace

PageTree::PageTree(XRef &xref) : xref(xref), visited(static_cast<std::size_t>(std::max(xref.getNumObjects(), 0)), false)
{
    Object catalog = xref.getCatalog();
    if (!catalog.isDict())
        return;
    const Object &rootEntry = catalog.dictLookupNF("Pages");
    Ref rootRef = rootEntry.isRef() ? rootEntry.getRef() : Ref::INVALID();
    if (rootRef != Ref::INVALID())
        firstVisit(rootRef);
    walk(catalog.dictLookup("Pages"), rootRef);
}

bool PageTree::firstVisit(Ref ref)
{
    if (ref.num < 0)
        return false;
    auto number = static_cast<std::size_t>(ref.num);
    if (number >= visited.size())
        visited.resize(number + 1, false);
    if (visited[number])
        return false;
    visited[number] = true;
    return true;
}

// Depth first with an explicit stack, so that no tree is too deep; pages come
// out in document order.
void PageTree::walk(Object root, Ref rootRef)
{
    if (!root.isDict())
        return;
    if (root.isDict("Page") && !root.getDict()->hasKey("Kids")) { // a lone page for a tree, as poppler accepts
        if (rootRef != Ref::INVALID())
            pageByNumber.emplace(rootRef.num, 0);
        pages.push_back({ rootRef, -1, -1 });
        lonePage = std::move(root);
        return;
    }
    struct Position
    {
        int node;
        Object kids;
        int next;
    };
    nodes.push_back({ rootRef, std::move(root), -1 });
    std::vector<Position> stack;
    stack.push_back({ 0, nodes[0].dict.dictLookup("Kids"), 0 });
    while (!stack.empty()) {
        Position &at = stack.back();
        if (!at.kids.isArray() || at.next >= at.kids.arrayGetLength()) {
            stack.pop_back();
            continue;
        }
        int kidIndex = at.next++;
        int parent = at.node;
        const Object &entry = at.kids.arrayGetNF(kidIndex);
        Ref kidRef = entry.isRef() ? entry.getRef() : Ref::INVALID();
        if (kidRef != Ref::INVALID() && !firstVisit(kidRef))
            continue; // a loop, or an object listed twice
        Object kid = kidRef != Ref::INVALID() ? xref.fetch(kidRef) : entry.copy();
        if (!kid.isDict())
            continue; // nulls, numbers and other debris among /Kids
        if (isPageDictionary(kid)) {
            if (kidRef != Ref::INVALID())
                pageByNumber.emplace(kidRef.num, count());
            pages.push_back({ kidRef, parent, kidIndex });
            continue;
        }
        nodes.push_back({ kidRef, std::move(kid), parent });
        int node = static_cast<int>(nodes.size()) - 1;
        stack.push_back({ node, nodes.back().dict.dictLookup("Kids"), 0 });
    }
}

Object PageTree::pageDictionary(int index) const
{
    if (index < 0 || index >= count())
        return Object(objNull);
    const PageEntry &page = pages[static_cast<std::size_t>(index)];
    if (page.kidIndex < 0) // the lone page standing for the whole tree
        return lonePage.copy();
    if (page.ref != Ref::INVALID())
        return xref.fetch(page.ref);
    Object kids = nodes[static_cast<std::size_t>(page.node)].dict.dictLookup("Kids");
    return kids.isArray() ? kids.arrayGet(page.kidIndex) : Object(objNull);
}

Ref PageTree::pageReference(int index) const
{
    if (index < 0 || index >= count())
        return Ref::INVALID();
    return pages[static_cast<std::size_t>(index)].ref;
}

int PageTree::indexOf(Ref pageRef) const
{
    auto found = pageByNumber.find(pageRef.num);
    return found == pageByNumber.end() ? -1 : found->second;
}

bool PageTree::isTreeObject(Ref ref) const
{
    return ref.num >= 0 && static_cast<std::size_t>(ref.num) < visited.size() && visited[static_cast<std::size_t>(ref.num)];
}

} // namespace colligo
