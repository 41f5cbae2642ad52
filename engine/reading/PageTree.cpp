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

PageTree::PageTree(ObjectReader &objects)
    : objects(objects), visited(static_cast<std::size_t>(std::max(objects.xrefTable().getNumObjects(), 0)), false),
      ancestors(visited.size(), false), stepLimit(8 * visited.size() + 1024)
{
    Object catalog = objects.xrefTable().getCatalog();
    if (!catalog.isDict())
        return;
    const Object &rootEntry = catalog.dictLookupNF("Pages");
    Ref rootRef = rootEntry.isRef() ? rootEntry.getRef() : Ref::INVALID();
    if (rootRef != Ref::INVALID())
        firstVisit(rootRef);
    start(objects.resolve(rootEntry), rootRef);
}

bool PageTree::firstVisit(Ref ref) const
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

bool PageTree::onPath(Ref ref) const
{
    return ref.num >= 0 && static_cast<std::size_t>(ref.num) < ancestors.size() && ancestors[static_cast<std::size_t>(ref.num)];
}

void PageTree::setOnPath(Ref ref, bool on) const
{
    if (ref.num < 0)
        return;
    auto number = static_cast<std::size_t>(ref.num);
    if (number >= ancestors.size())
        ancestors.resize(number + 1, false);
    ancestors[number] = on;
}

void PageTree::start(Object root, Ref rootRef)
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
    nodes.push_back({ rootRef, std::move(root), -1 });
    setOnPath(rootRef, true);
    stack.push_back({ 0, objects.resolve(nodes[0].dict.dictLookupNF("Kids")), 0 });
}

// Depth first with an explicit stack, so that no tree is too deep; pages come
// out in document order. The walk goes only as far as it is asked to.
void PageTree::walkUntil(std::size_t wanted) const
{
    while (!stack.empty() && pages.size() < wanted) {
        if (++steps > stepLimit) { // only a tree that lists its nodes over and over comes here
            stack.clear();
            break;
        }
        Position &at = stack.back();
        if (!at.kids.isArray() || at.next >= at.kids.arrayGetLength()) {
            setOnPath(nodes[static_cast<std::size_t>(at.node)].ref, false);
            stack.pop_back();
            continue;
        }
        int kidIndex = at.next++;
        int parent = at.node;
        const Object &entry = at.kids.arrayGetNF(kidIndex);
        Ref kidRef = entry.isRef() ? entry.getRef() : Ref::INVALID();
        if (kidRef != Ref::INVALID() && onPath(kidRef))
            continue; // a node that is its own ancestor
        if (kidRef != Ref::INVALID())
            firstVisit(kidRef);
        Object kid = kidRef != Ref::INVALID() ? objects.fetch(kidRef) : entry.copy();
        if (!kid.isDict())
            continue; // nulls, numbers and other debris among /Kids
        if (isPageDictionary(kid)) {
            if (kidRef != Ref::INVALID())
                pageByNumber.emplace(kidRef.num, static_cast<int>(pages.size()));
            pages.push_back({ kidRef, parent, kidIndex });
            continue;
        }
        nodes.push_back({ kidRef, std::move(kid), parent });
        int node = static_cast<int>(nodes.size()) - 1;
        setOnPath(kidRef, true);
        stack.push_back({ node, objects.resolve(nodes.back().dict.dictLookupNF("Kids")), 0 });
    }
}

int PageTree::count() const
{
    walkUntil(SIZE_MAX);
    return static_cast<int>(pages.size());
}

bool PageTree::empty() const
{
    walkUntil(1);
    return pages.empty();
}

Object PageTree::pageDictionary(int index) const
{
    if (index >= 0)
        walkUntil(static_cast<std::size_t>(index) + 1);
    if (index < 0 || static_cast<std::size_t>(index) >= pages.size())
        return Object(objNull);
    const PageEntry &page = pages[static_cast<std::size_t>(index)];
    if (page.kidIndex < 0) // the lone page standing for the whole tree
        return lonePage.copy();
    if (page.ref != Ref::INVALID())
        return objects.fetch(page.ref);
    Object kids = objects.resolve(nodes[static_cast<std::size_t>(page.node)].dict.dictLookupNF("Kids"));
    return kids.isArray() ? kids.arrayGet(page.kidIndex) : Object(objNull);
}

Ref PageTree::pageReference(int index) const
{
    if (index >= 0)
        walkUntil(static_cast<std::size_t>(index) + 1);
    if (index < 0 || static_cast<std::size_t>(index) >= pages.size())
        return Ref::INVALID();
    return pages[static_cast<std::size_t>(index)].ref;
}

int PageTree::indexOf(Ref pageRef) const
{
    walkUntil(SIZE_MAX);
    auto found = pageByNumber.find(pageRef.num);
    return found == pageByNumber.end() ? -1 : found->second;
}

bool PageTree::isTreeObject(Ref ref) const
{
    walkUntil(SIZE_MAX);
    return ref.num >= 0 && static_cast<std::size_t>(ref.num) < visited.size() && visited[static_cast<std::size_t>(ref.num)];
}

} // namespace colligo
