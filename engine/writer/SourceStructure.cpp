// One source's structure tree, read once, and written for the pages the
// output holds.
#include "Structure.h"

#include "SourceState.h"
#include "reading/SourceDocument.h"

#include <Dict.h>
#include <PDFDoc.h>
#include <XRef.h>
#include <goo/GooString.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <set>
#include <unordered_set>

namespace colligo {

namespace {

// What one source may hold, so that a hostile tree (one array of marked
// content shared by thousands of elements) cannot exhaust memory.
constexpr std::size_t leafLimit = 4000000;
constexpr int mcidLimit = 65535;
constexpr int roleChainLimit = 32;
constexpr std::size_t keptDictionaryLimit = 200000;

std::string nameText(const std::string &name)
{
    TextBuffer text;
    appendName(text, name.c_str());
    return text.take();
}

} // namespace

class SourceStructure::Impl
{
public:
    Impl(SourceState &source, OutputStructure &output);

    bool tagged() const { return !elements.empty(); }
    bool complete() const { return !damaged; }
    Redirect redirect(Ref ref);
    bool copyEntry(Ref owner, const char *key, const Object &unresolved, TextBuffer &text);
    int pageCopied(int index, int pageNumber);
    int annotationCopied(Ref ref, int number, int generation);
    void release();

private:
    // Marked content on a page (an MCID, or a marked-content reference to
    // another stream), or an object reference (an annotation, an XObject).
    struct Leaf
    {
        enum Kind : std::uint8_t { inPage, inStream, objectReference, annotation } kind;
        int page;   // page object key; -1 when unknown
        int mcid;
        Ref target; // the stream of streamContent, the object of object
    };
    struct Element
    {
        Ref ref;
        Object dict; // kept from reading for all but the largest trees; null: fetch again
        int parent;    // -1 for a top-level element
        int page;      // its own /Pg, as a page object key; -1 when none
        std::vector<int> kids; // >= 0: element index; < 0: ~leaf index
        int generations = 0;   // how many copies of it the output holds
        std::vector<int> numbers; // the output number of each copy
    };
    struct PageCopy
    {
        int number;
        int key;
    };

    void read();
    void readKid(const Object &kid, int parent, int inheritedPage, std::vector<std::tuple<Object, int, int>> &stack);
    void readContentItem(const Object &dict, int parent, int page);
    void readElement(const Object &kid, const Object &dict, int parent, int page, std::vector<std::tuple<Object, int, int>> &stack);
    void addLeaf(int parent, const Leaf &leaf);
    int pageKey(const Object &pageRef) const;
    void countGenerations();
    int leafGenerations(const Leaf &leaf) const;
    void numberCopies(int generation);
    void writeElement(std::size_t index, int generation, const std::map<std::string, std::string> &roles,
                      const std::map<std::string, std::string> &classes);
    void appendKids(const Element &element, int generation, TextBuffer &text);
    void appendLeaf(const Leaf &leaf, const Element &element, int number, int generation, TextBuffer &text);
    void appendClasses(const Object &value, const std::map<std::string, std::string> &classes, TextBuffer &text);
    std::string mappedRole(const std::string &type) const;
    void readRoleMap(const Object &roles);
    void readMaps(std::map<std::string, std::string> &roles, std::map<std::string, std::string> &classes);
    void handOverParentTree();
    Object elementDictionary(const Element &element) const;

    SourceState &source;
    OutputStructure &output;
    Ref rootRef = Ref::INVALID();
    std::vector<Element> elements;
    std::vector<Leaf> leaves;
    std::unordered_map<int, int> elementByNumber;
    std::unordered_set<int> treeObjects; // the root and the maps: never copied
    std::unordered_map<int, std::vector<PageCopy>> pageCopies;   // page object key -> copies
    std::unordered_set<int> taggedPages;                         // page object keys with marked content
    std::unordered_map<int, std::vector<int>> annotationCopies; // annotation number -> copies
    std::unordered_map<int, std::vector<int>> annotationKeys;   // annotation number -> key per copy
    std::unordered_set<int> objectTargets;                      // numbers some OBJR names
    std::unordered_set<int> streamTargets;                      // streams a marked-content reference names
    std::unordered_map<int, int> streamKeys;                    // stream number -> its /StructParents key
    std::unordered_map<int, int> objectKeys;                    // object number -> its /StructParent key
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> pageEntries; // (page key, generation) -> (mcid, element)
    std::map<int, std::vector<std::pair<int, int>>> streamEntries; // stream number -> (mcid, element)
    std::map<std::string, std::string> roleMapOfSource;
    std::set<std::pair<int, int>> markedContent; // (page key, mcid) already held
    std::set<std::pair<int, int>> streamContent; // (stream number, mcid) already held
    int documentElement = -1; // the one top-level element of type Document, if so
    bool damaged = false;
};

SourceStructure::Impl::Impl(SourceState &source, OutputStructure &output) : source(source), output(output)
{
    read();
}

Object SourceStructure::Impl::elementDictionary(const Element &element) const
{
    return element.dict.isDict() ? element.dict.copy() : source.document.objects().fetch(element.ref);
}

int SourceStructure::Impl::pageKey(const Object &pageRef) const
{
    if (!pageRef.isRef())
        return -1;
    int index = source.document.pages().indexOf(pageRef.getRef());
    return index < 0 ? -1 : source.pageObjectKey(index);
}

// Depth first with an explicit stack, in reading order; an element met a
// second time (a loop, or one listed twice) keeps its first place.
void SourceStructure::Impl::read()
{
    ObjectReader &objects = source.document.objects();
    Object catalog = objects.xrefTable().getCatalog();
    Object rootEntry = catalog.isDict() ? catalog.dictLookupNF("StructTreeRoot").copy() : Object(objNull);
    if (rootEntry.isRef())
        rootRef = rootEntry.getRef();
    Object root = objects.resolve(rootEntry);
    if (!root.isDict())
        return;
    for (const char *part : { "ParentTree", "IDTree", "RoleMap", "ClassMap" })
        if (const Object &entry = root.dictLookupNF(part); entry.isRef())
            treeObjects.insert(entry.getRefNum());
    readRoleMap(root.dictLookup("RoleMap"));

    std::vector<std::tuple<Object, int, int>> stack; // (kid, parent element, inherited page)
    Object kids = objects.resolve(root.dictLookupNF("K"));
    if (kids.isArray()) {
        for (int i = kids.arrayGetLength() - 1; i >= 0; --i)
            stack.emplace_back(kids.arrayGetNF(i).copy(), -1, -1);
    } else if (!kids.isNull()) {
        stack.emplace_back(root.dictLookupNF("K").copy(), -1, -1);
    }
    while (!stack.empty()) {
        Object kid = std::move(std::get<0>(stack.back()));
        int parent = std::get<1>(stack.back());
        int page = std::get<2>(stack.back());
        stack.pop_back();
        readKid(kid, parent, page, stack);
    }
    std::size_t topCount = std::count_if(elements.begin(), elements.end(), [](const Element &e) { return e.parent < 0; });
    if (topCount == 1) {
        Object dict = elementDictionary(elements[0]);
        Object type = dict.dictLookup("S");
        if (type.isName() && mappedRole(type.getName()) == "Document")
            documentElement = 0;
    }
}

void SourceStructure::Impl::readKid(const Object &kid, int parent, int inheritedPage, std::vector<std::tuple<Object, int, int>> &stack)
{
    if (kid.isInt()) {
        addLeaf(parent, { Leaf::inPage, inheritedPage, kid.getInt(), Ref::INVALID() });
        return;
    }
    if (kid.isRef() && (elementByNumber.count(kid.getRefNum()) || kid.getRef() == rootRef))
        return; // a loop, or an element listed twice
    Object dict = source.document.objects().resolve(kid);
    if (!dict.isDict())
        return;
    int page = dict.dictLookupNF("Pg").isRef() ? pageKey(dict.dictLookupNF("Pg")) : inheritedPage;
    if (dict.isDict("MCR") || dict.isDict("OBJR"))
        readContentItem(dict, parent, page);
    else if (dict.dictLookup("S").isName())
        readElement(kid, dict, parent, page, stack);
    // anything else is neither an element nor a content item
}

// A marked-content reference (to content of a page or of another stream) or
// an object reference (an annotation, an XObject).
void SourceStructure::Impl::readContentItem(const Object &dict, int parent, int page)
{
    Leaf leaf { Leaf::inPage, page, -1, Ref::INVALID() };
    if (dict.isDict("OBJR")) {
        const Object &target = dict.dictLookupNF("Obj");
        if (!target.isRef())
            return;
        Object object = source.document.objects().fetch(target.getRef());
        // An annotation is written with each copy of its page, or not at all.
        leaf.kind = object.isDict() && object.dictLookup("Rect").isArray() ? Leaf::annotation : Leaf::objectReference;
        leaf.target = target.getRef();
    } else {
        Object mcid = dict.dictLookup("MCID");
        leaf.mcid = mcid.isInt() ? mcid.getInt() : -1;
        if (const Object &stream = dict.dictLookupNF("Stm"); stream.isRef()) {
            leaf.kind = Leaf::inStream;
            leaf.target = stream.getRef();
        }
    }
    addLeaf(parent, leaf);
}

// Marked content is held by the first element that names it; what lies on
// no page of the document, or beyond the limits, is left out.
void SourceStructure::Impl::addLeaf(int parent, const Leaf &leaf)
{
    bool marked = leaf.kind == Leaf::inPage || leaf.kind == Leaf::inStream;
    if (parent < 0 || leaves.size() >= leafLimit || (marked && (leaf.mcid < 0 || leaf.mcid > mcidLimit))) {
        damaged = damaged || parent >= 0;
        return;
    }
    if (marked && leaf.page < 0)
        return; // marked content on no page of this document
    if (leaf.kind == Leaf::inPage && !markedContent.insert({ leaf.page, leaf.mcid }).second)
        return; // held by an earlier element already: readers find it there
    if (leaf.kind == Leaf::inStream && !streamContent.insert({ leaf.target.num, leaf.mcid }).second)
        return;
    if (leaf.kind == Leaf::inPage)
        taggedPages.insert(leaf.page);
    else if (leaf.kind == Leaf::inStream)
        streamTargets.insert(leaf.target.num);
    else
        objectTargets.insert(leaf.target.num);
    leaves.push_back(leaf);
    elements[static_cast<std::size_t>(parent)].kids.push_back(~static_cast<int>(leaves.size() - 1));
}

void SourceStructure::Impl::readElement(const Object &kid, const Object &dict, int parent, int page,
                                        std::vector<std::tuple<Object, int, int>> &stack)
{
    int index = static_cast<int>(elements.size());
    bool ownPage = dict.dictLookupNF("Pg").isRef();
    // Reading an element twice costs as much as the rest of the copy; only a
    // tree too large to hold in memory is read again when it is written.
    bool keepDictionary = !kid.isRef() || elements.size() < keptDictionaryLimit;
    elements.push_back({ kid.isRef() ? kid.getRef() : Ref::INVALID(), keepDictionary ? dict.copy() : Object(objNull), parent,
                         ownPage ? page : -1, {}, 0, {} });
    if (kid.isRef())
        elementByNumber.emplace(kid.getRefNum(), index);
    if (parent >= 0)
        elements[static_cast<std::size_t>(parent)].kids.push_back(index);
    if (page >= 0 && ownPage)
        taggedPages.insert(page);
    const Object &kidsEntry = dict.dictLookupNF("K");
    Object kids = kidsEntry.isRef() && !elementByNumber.count(kidsEntry.getRefNum()) ? source.document.objects().resolve(kidsEntry)
                                                                                      : kidsEntry.copy();
    if (kids.isArray()) {
        for (int i = kids.arrayGetLength() - 1; i >= 0; --i)
            stack.emplace_back(kids.arrayGetNF(i).copy(), index, page);
    } else if (!kids.isNull()) {
        stack.emplace_back(kidsEntry.copy(), index, page);
    }
}

// The role map, but types that map in a circle (a type mapped to itself, as
// some producers write for standard types, is no circle) could never reach a
// standard type: the output maps them to NonStruct, a grouping without
// meaning of its own, so that their content stays in the tree.
void SourceStructure::Impl::readRoleMap(const Object &roles)
{
    for (int i = 0; roles.isDict() && i < roles.dictGetLength(); ++i)
        if (Object to = roles.dictGetVal(i); to.isName())
            roleMapOfSource[roles.dictGetKey(i)] = to.getName();
    std::set<std::string> circular;
    for (const auto &[type, role] : roleMapOfSource) {
        std::string at = role;
        for (std::size_t step = 0; step <= roleMapOfSource.size(); ++step) {
            auto next = roleMapOfSource.find(at);
            if (next == roleMapOfSource.end() || next->second == at)
                break;
            if (next->first == type) {
                circular.insert(type);
                break;
            }
            at = next->second;
        }
    }
    for (const std::string &type : circular)
        roleMapOfSource[type] = "NonStruct";
    if (!circular.empty())
        damaged = true;
}

// A custom type through the role map, up to a standard type or a loop.
std::string SourceStructure::Impl::mappedRole(const std::string &type) const
{
    std::string role = type;
    for (int step = 0; step < roleChainLimit; ++step) {
        auto next = roleMapOfSource.find(role);
        if (next == roleMapOfSource.end() || next->second == role)
            break;
        role = next->second;
    }
    return role;
}

Redirect SourceStructure::Impl::redirect(Ref ref)
{
    if (ref == rootRef || treeObjects.count(ref.num))
        return Redirect::toNull();
    auto element = elementByNumber.find(ref.num);
    if (element == elementByNumber.end())
        return {};
    Element &e = elements[static_cast<std::size_t>(element->second)];
    if (e.numbers.empty())
        e.numbers.push_back(source.newNumber()); // left unwritten (read as null) if the element goes
    return Redirect::to(e.numbers.front());
}

// A form XObject's marked content belongs to the copy of it that the pages
// share, so it stands in the parent tree once, under a key of the output's.
bool SourceStructure::Impl::copyEntry(Ref owner, const char *key, const Object &, TextBuffer &text)
{
    bool many = std::strcmp(key, "StructParents") == 0;
    if (!many && std::strcmp(key, "StructParent") != 0)
        return false;
    if (owner == Ref::INVALID() || !(many ? streamTargets : objectTargets).count(owner.num))
        return true; // no element holds it: the key would lead nowhere
    auto &keys = many ? streamKeys : objectKeys;
    auto found = keys.find(owner.num);
    int outputKey = found != keys.end() ? found->second : keys.emplace(owner.num, output.newKey()).first->second;
    text.appendf("/%s %d\n", key, outputKey);
    return true;
}

int SourceStructure::Impl::pageCopied(int index, int pageNumber)
{
    int page = source.pageObjectKey(index);
    bool tagged = taggedPages.count(page) > 0;
    int key = tagged ? output.newKey() : -1;
    pageCopies[page].push_back({ pageNumber, key });
    return key;
}

int SourceStructure::Impl::annotationCopied(Ref ref, int number, int generation)
{
    if (ref == Ref::INVALID())
        return -1;
    std::vector<int> &copies = annotationCopies[ref.num];
    if (static_cast<int>(copies.size()) >= generation)
        return -1; // the same annotation twice on one page copy
    copies.push_back(number);
    if (!objectTargets.count(ref.num))
        return -1;
    int key = output.newKey();
    annotationKeys[ref.num].push_back(key);
    return key;
}

int SourceStructure::Impl::leafGenerations(const Leaf &leaf) const
{
    auto copiesOf = [&](int page) {
        auto found = pageCopies.find(page);
        return found == pageCopies.end() ? 0 : static_cast<int>(found->second.size());
    };
    switch (leaf.kind) {
    case Leaf::inPage:
        return copiesOf(leaf.page);
    case Leaf::inStream: // the stream is shared by every copy of its page
        return std::min(copiesOf(leaf.page), 1);
    case Leaf::annotation: {
        auto annotation = annotationCopies.find(leaf.target.num);
        return annotation == annotationCopies.end() ? 0 : static_cast<int>(annotation->second.size());
    }
    case Leaf::objectReference:
        return leaf.page >= 0 ? std::min(copiesOf(leaf.page), 1) : 0;
    }
    return 0;
}

// An element has as many copies as the most copied content beneath it; one
// without any content keeps its parent's place.
void SourceStructure::Impl::countGenerations()
{
    std::vector<bool> hasContent(elements.size(), false);
    for (std::size_t i = elements.size(); i-- > 0;) {
        Element &element = elements[i];
        for (int kid : element.kids) {
            if (kid < 0) {
                element.generations = std::max(element.generations, leafGenerations(leaves[static_cast<std::size_t>(~kid)]));
                hasContent[i] = true;
            }
        }
        if (element.page >= 0) {
            auto copies = pageCopies.find(element.page);
            element.generations = std::max(element.generations, copies == pageCopies.end() ? 0 : static_cast<int>(copies->second.size()));
            hasContent[i] = true;
        }
        if (element.parent >= 0) {
            Element &parent = elements[static_cast<std::size_t>(element.parent)];
            parent.generations = std::max(parent.generations, element.generations);
            hasContent[static_cast<std::size_t>(element.parent)] = hasContent[static_cast<std::size_t>(element.parent)] || hasContent[i];
        }
    }
    bool anyCopied = !pageCopies.empty();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (hasContent[i])
            continue;
        int parent = elements[i].parent;
        elements[i].generations = parent >= 0 ? elements[static_cast<std::size_t>(parent)].generations : (anyCopied ? 1 : 0);
    }
}

void SourceStructure::Impl::numberCopies(int generation)
{
    for (Element &element : elements) {
        if (element.generations < generation)
            continue;
        if (static_cast<int>(element.numbers.size()) < generation)
            element.numbers.push_back(source.newNumber());
    }
}

void SourceStructure::Impl::readMaps(std::map<std::string, std::string> &roles, std::map<std::string, std::string> &classes)
{
    roles = output.mergeRoleMap(roleMapOfSource);
    Object catalog = source.document.objects().xrefTable().getCatalog();
    Object root = catalog.isDict() ? catalog.dictLookup("StructTreeRoot") : Object(objNull);
    Object classMap = root.isDict() ? root.dictLookup("ClassMap") : Object(objNull);
    std::map<std::string, std::string> definitions;
    for (int i = 0; classMap.isDict() && i < classMap.dictGetLength(); ++i) {
        TextBuffer text;
        source.copier.copyValue(classMap.dictGetValNF(i), text);
        definitions[classMap.dictGetKey(i)] = text.take();
    }
    classes = output.mergeClassMap(definitions);
}

void SourceStructure::Impl::release()
{
    if (elements.empty())
        return;
    countGenerations();
    int most = 0;
    for (const Element &element : elements)
        most = std::max(most, element.generations);
    std::map<std::string, std::string> roles, classes;
    readMaps(roles, classes);
    std::vector<int> tops;
    for (int generation = 1; generation <= most; ++generation) {
        numberCopies(generation);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (elements[i].generations < generation)
                continue;
            writeElement(i, generation, roles, classes);
            if (elements[i].parent < 0)
                tops.push_back(elements[i].numbers[static_cast<std::size_t>(generation - 1)]);
            if (source.outputFile().pendingCount() >= 256)
                source.outputFile().writePendingObjects();
        }
    }
    if (!tops.empty() && !(documentElement == 0 && !output.isSingleFile()))
        output.addTopElements(source.order, tops);
    handOverParentTree();
}

// The entries as the source has them, but for the parent (the copy's own),
// the page (the copy of the page), the kids (those the output holds), and
// names that another file gave a different meaning.
void SourceStructure::Impl::writeElement(std::size_t index, int generation, const std::map<std::string, std::string> &roles,
                                         const std::map<std::string, std::string> &classes)
{
    const Element &element = elements[index];
    Object dict = elementDictionary(element);
    int number = element.numbers[static_cast<std::size_t>(generation - 1)];
    bool fileElement = documentElement == static_cast<int>(index) && !output.isSingleFile();
    int parent = element.parent >= 0 ? elements[static_cast<std::size_t>(element.parent)].numbers[static_cast<std::size_t>(generation - 1)]
                                     : (fileElement ? output.documentElement() : output.topParentFor(source.order, source.language(), 0));
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n", number, 0);
    std::vector<bool> effective = effectiveEntries(dict.getDict());
    for (int i = 0; i < dict.dictGetLength(); ++i) {
        const char *key = dict.dictGetKey(i);
        const Object &value = dict.dictGetValNF(i);
        if (!effective[static_cast<std::size_t>(i)] || std::strcmp(key, "P") == 0 || std::strcmp(key, "K") == 0 || std::strcmp(key, "Pg") == 0)
            continue;
        if (std::strcmp(key, "S") == 0 && value.isName()) {
            auto renamed = roles.find(value.getName());
            text.append("/S");
            text.append(fileElement ? std::string("/Part") : nameText(renamed != roles.end() ? renamed->second : value.getName()));
            text.append("\n");
        } else if (std::strcmp(key, "C") == 0) {
            appendClasses(value, classes, text);
        } else if (std::strcmp(key, "ID") == 0) {
            if (value.isString()) { // a later copy gets an ID of its own
                std::string id = output.uniqueId(value.getString()->toStr(), number);
                text.append("/ID");
                appendString(text, id.data(), static_cast<int>(id.size()));
                text.append("\n");
            }
        } else {
            source.copier.copyEntry(key, value, text);
        }
    }
    if (fileElement && !dict.dictLookup("Lang").isString() && !source.language().empty())
        text.append("/Lang" + source.language() + "\n");
    text.appendf("/P %d 0 R\n", parent);
    if (element.page >= 0) {
        const std::vector<PageCopy> &copies = pageCopies[element.page];
        if (static_cast<int>(copies.size()) >= generation)
            text.appendf("/Pg %d 0 R\n", copies[static_cast<std::size_t>(generation - 1)].number);
    }
    appendKids(element, generation, text);
    text.append(">>\nendobj\n");
    source.outputFile().queueObject(number, text.take());
    if (fileElement)
        output.topParentFor(source.order, source.language(), number);
}

void SourceStructure::Impl::appendKids(const Element &element, int generation, TextBuffer &text)
{
    int number = element.numbers[static_cast<std::size_t>(generation - 1)];
    text.append("/K[");
    for (int kid : element.kids) {
        if (kid >= 0) {
            const Element &child = elements[static_cast<std::size_t>(kid)];
            if (child.generations >= generation)
                appendReference(text, child.numbers[static_cast<std::size_t>(generation - 1)]);
        } else {
            appendLeaf(leaves[static_cast<std::size_t>(~kid)], element, number, generation, text);
        }
    }
    text.append("]\n");
}

// A leaf of this copy, and the parent-tree entry that leads back to it.
void SourceStructure::Impl::appendLeaf(const Leaf &leaf, const Element &element, int number, int generation, TextBuffer &text)
{
    if (leafGenerations(leaf) < generation)
        return;
    auto pageOf = [&](int page) {
        auto copies = pageCopies.find(page);
        return copies == pageCopies.end() || static_cast<int>(copies->second.size()) < generation
                   ? 0
                   : copies->second[static_cast<std::size_t>(generation - 1)].number;
    };
    int page = pageOf(leaf.page);
    switch (leaf.kind) {
    case Leaf::inPage:
        if (leaf.page == element.page)
            text.appendf(" %d", leaf.mcid);
        else
            text.appendf("<</Type/MCR/Pg %d 0 R/MCID %d>>", page, leaf.mcid);
        pageEntries[{ leaf.page, generation }].emplace_back(leaf.mcid, number);
        break;
    case Leaf::inStream: {
        int stream = source.copier.copyObject(leaf.target);
        if (stream == 0)
            return;
        text.appendf("<</Type/MCR/Pg %d 0 R/MCID %d/Stm %d 0 R>>", page, leaf.mcid, stream);
        streamEntries[leaf.target.num].emplace_back(leaf.mcid, number);
        break;
    }
    case Leaf::annotation:
    case Leaf::objectReference: {
        auto annotation = annotationCopies.find(leaf.target.num);
        int object = leaf.kind == Leaf::annotation ? annotation->second[static_cast<std::size_t>(generation - 1)]
                                                   : source.copier.copyObject(leaf.target);
        if (object == 0)
            return;
        text.append("<</Type/OBJR");
        if (page != 0)
            text.appendf("/Pg %d 0 R", page);
        text.appendf("/Obj %d 0 R>>", object);
        if (leaf.kind == Leaf::annotation) {
            auto keys = annotationKeys.find(leaf.target.num);
            if (keys != annotationKeys.end() && static_cast<int>(keys->second.size()) >= generation)
                output.setParentTreeEntry(keys->second[static_cast<std::size_t>(generation - 1)], " " + std::to_string(number) + " 0 R");
        } else if (auto key = objectKeys.find(leaf.target.num); key != objectKeys.end()) {
            output.setParentTreeEntry(key->second, " " + std::to_string(number) + " 0 R");
        }
        break;
    }
    }
}

// /C as a name or an array of names (each maybe followed by its revision).
void SourceStructure::Impl::appendClasses(const Object &value, const std::map<std::string, std::string> &classes, TextBuffer &text)
{
    auto renamed = [&](const char *name) {
        auto found = classes.find(name);
        return nameText(found != classes.end() ? found->second : name);
    };
    Object resolved = source.document.objects().resolve(value);
    if (resolved.isName()) {
        text.append("/C" + renamed(resolved.getName()) + "\n");
    } else if (resolved.isArray()) {
        text.append("/C[");
        for (int i = 0; i < resolved.arrayGetLength(); ++i) {
            Object item = resolved.arrayGet(i);
            if (item.isName())
                text.append(renamed(item.getName()));
            else if (item.isInt())
                text.appendf(" %d", item.getInt());
        }
        text.append("]\n");
    }
}

// Each page copy's array maps its marked-content ids to the elements that
// hold them; ids that no element holds read as null.
void SourceStructure::Impl::handOverParentTree()
{
    auto arrayText = [](std::vector<std::pair<int, int>> &entries) {
        std::sort(entries.begin(), entries.end());
        TextBuffer text;
        text.append("[");
        int next = 0;
        for (const auto &[mcid, element] : entries) {
            if (mcid < next)
                continue; // one id held twice: the first element keeps it
            for (; next < mcid; ++next)
                text.append(" null");
            appendReference(text, element);
            next = mcid + 1;
        }
        text.append("]");
        return text.take();
    };
    for (auto &[page, copies] : pageCopies) {
        for (std::size_t g = 0; g < copies.size(); ++g) {
            if (copies[g].key < 0)
                continue;
            auto entries = pageEntries.find({ page, static_cast<int>(g) + 1 });
            std::vector<std::pair<int, int>> none;
            output.setParentTreeEntry(copies[g].key, arrayText(entries != pageEntries.end() ? entries->second : none));
        }
    }
    for (auto &[stream, key] : streamKeys) {
        auto entries = streamEntries.find(stream);
        std::vector<std::pair<int, int>> none;
        output.setParentTreeEntry(key, arrayText(entries != streamEntries.end() ? entries->second : none));
    }
}

SourceStructure::SourceStructure(SourceState &source, OutputStructure &output) : impl(std::make_unique<Impl>(source, output)) { }

SourceStructure::~SourceStructure() = default;

bool SourceStructure::isTagged() const
{
    return impl->tagged();
}

bool SourceStructure::isComplete() const
{
    return impl->complete();
}

Redirect SourceStructure::redirect(Ref ref)
{
    return impl->redirect(ref);
}

bool SourceStructure::copyEntry(Ref owner, const char *key, const Object &unresolved, TextBuffer &text)
{
    return impl->copyEntry(owner, key, unresolved, text);
}

int SourceStructure::pageCopied(int index, int pageNumber)
{
    return impl->pageCopied(index, pageNumber);
}

int SourceStructure::annotationCopied(Ref ref, int number, int generation)
{
    return impl->annotationCopied(ref, number, generation);
}

void SourceStructure::release()
{
    impl->release();
}

} // namespace colligo
