#include "ObjectTrees.h"

#include <XRef.h>

#include <unordered_set>
#include <vector>

namespace colligo {

namespace {

// Object numbers already met during one walk.
class Seen
{
public:
    // False when `entry` is a reference met before; direct values are new each time.
    bool firstTime(const Object &entry)
    {
        return !entry.isRef() || numbers.insert(entry.getRefNum()).second;
    }

private:
    std::unordered_set<int> numbers;
};

} // namespace

void forEachTreeEntry(ObjectReader &objects, const Object &root, const char *leafKey,
                      const std::function<void(const Object &key, const Object &value)> &visit)
{
    Seen seen;
    std::vector<Object> stack; // unresolved nodes still to read, the next one last
    stack.push_back(root.copy());
    while (!stack.empty()) {
        Object entry = std::move(stack.back());
        stack.pop_back();
        if (!seen.firstTime(entry))
            continue;
        Object node = objects.resolve(entry);
        if (!node.isDict())
            continue;
        Object leaves = objects.resolve(node.dictLookupNF(leafKey));
        if (leaves.isArray()) {
            for (int i = 0; i + 1 < leaves.arrayGetLength(); i += 2) {
                Object key = objects.resolve(leaves.arrayGetNF(i));
                visit(key, leaves.arrayGetNF(i + 1));
            }
        }
        Object kids = objects.resolve(node.dictLookupNF("Kids"));
        if (kids.isArray())
            for (int i = kids.arrayGetLength() - 1; i >= 0; --i)
                stack.push_back(kids.arrayGetNF(i).copy());
    }
}

void forEachOutlineItem(ObjectReader &objects, const Object &root, const std::function<bool(const OutlineVisit &item)> &visit)
{
    if (!root.isDict())
        return;
    Seen seen;
    // The next item to visit at each open level: the first child, then the
    // siblings in turn.
    std::vector<Object> next;
    next.push_back(root.dictLookupNF("First").copy());
    while (!next.empty()) {
        Object entry = std::move(next.back());
        if (!entry.isRef() || !seen.firstTime(entry)) { // items are indirect objects
            next.pop_back();
            continue;
        }
        Object item = objects.resolve(entry);
        if (!item.isDict()) {
            next.pop_back();
            continue;
        }
        next.back() = item.dictLookupNF("Next").copy();
        int level = static_cast<int>(next.size());
        if (visit({ entry.getRef(), item, level }))
            next.push_back(item.dictLookupNF("First").copy());
    }
}

} // namespace colligo
