// One source document's bookmarks, links, named destinations, annotations,
// form fields and page labels, retargeted to the copies of its pages.
#include "Navigation.h"

#include "SourceState.h"
#include "Structure.h"
#include "reading/Destinations.h"
#include "reading/ObjectTrees.h"
#include "reading/SourceDocument.h"

#include <Dict.h>
#include <PDFDoc.h>
#include <XRef.h>
#include <goo/GooString.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace colligo {

namespace {

enum class AnnotationKind { link, widget, other };

AnnotationKind kindOf(const Object &annotation)
{
    Object subtype = annotation.dictLookup("Subtype");
    if (subtype.isName("Link"))
        return AnnotationKind::link;
    if (subtype.isName("Widget"))
        return AnnotationKind::widget;
    return AnnotationKind::other;
}

bool isKept(AnnotationKind kind, const OutputOptions &options)
{
    switch (kind) {
    case AnnotationKind::link:
        return options.keeps(OutputOptions::links);
    case AnnotationKind::widget:
        return options.keeps(OutputOptions::forms);
    default:
        return options.keeps(OutputOptions::annotations);
    }
}

std::string stringText(const GooString *string)
{
    TextBuffer text;
    appendString(text, string->c_str(), string->getLength());
    return std::string(text.data(), text.size());
}

bool isGoToAction(const Object &dict)
{
    Object action = dict.dictLookup("A");
    return action.isDict() && action.dictLookup("S").isName("GoTo");
}

} // namespace

// "[n 0 R /XYZ ...]" for a destination on a page the output holds.
bool retargetedDestination(SourceState &source, const Object &target, bool released, std::string &text)
{
    Object destination = explicitDestination(target, source.document.destinations(), source.document.objects());
    if (!isUsableDestination(destination))
        return false;
    // While pages are still being copied a later page gets its number ahead;
    // once the document is released only pages that were written count (a
    // stop may have left planned pages out).
    int page = destinationPage(destination, source.document.pages());
    int pageNumber = released ? source.writtenCopyNumber(page) : source.pageNumberFor(page);
    if (pageNumber == 0)
        return false;
    TextBuffer buffer;
    buffer.append("[");
    appendReference(buffer, pageNumber);
    for (int i = 1; i < destination.arrayGetLength(); ++i)
        source.copier.copyValue(destination.arrayGetNF(i), buffer);
    buffer.append("]");
    text.assign(buffer.data(), buffer.size());
    return true;
}

class SourceNavigation::Impl
{
public:
    Impl(SourceState &source, const SourcePlan &plan, OutputNavigation &output)
        : source(source), output(output), options(output.options()), order(output.nextDocumentOrder()),
          xref(*source.document.pdf().getXRef())
    {
        readAnnotations(plan);
        if (options.keeps(OutputOptions::forms))
            readFields();
        if (options.keeps(OutputOptions::pageLabels))
            readLabels();
    }

    Redirect redirect(Ref ref);
    void copyAnnotations(int index, int pageNumber, bool firstCopy, TextBuffer &pageText);
    std::optional<PageLabel> labelOf(int index) const;
    void release();

private:
    struct Field
    {
        Ref ref;
        int parent;            // index into fields; -1 for a root field
        std::vector<int> kids; // indexes into fields
        bool widget = false;   // also an annotation on a page
        bool kept = false;     // it or one of its descendants is on a page the output holds
        bool written = false;
        std::string title;     // for a root field: its name in the output, as PDF text
    };
    struct AnnotationCopy
    {
        Object dict;
        Ref ref;
        int number;
        AnnotationKind kind;
        std::string destination;
        int generation; // which copy of its page: 1 for the first
    };

    void readAnnotations(const SourcePlan &plan);
    void readFields();
    void readLabels();
    bool destinationText(const Object &target, std::string &text);
    const Field *rootField(Ref ref) const;
    void writeAnnotation(const AnnotationCopy &copy, int pageNumber);
    std::vector<int> outputNumbers(const Field &field);
    void writeField(Field &field);
    void handOverOutline();
    OutlineNode outlineNode(const Object &item);
    void handOverDestinations();
    void handOverForm();

    SourceState &source;
    OutputNavigation &output;
    const OutputOptions &options;
    int order;
    XRef &xref;
    std::unordered_map<int, bool> annotations; // on planned pages, by object number: whether the output keeps it
    Object form; // the /AcroForm dictionary as readFields found it
    std::vector<Field> fields;
    std::unordered_map<int, int> fieldByNumber;
    std::vector<int> fieldsToWrite;                          // numbered, not yet written
    std::unordered_map<int, std::vector<int>> widgetCopies; // widget object number -> its copies
    std::vector<std::pair<int, Object>> labelRanges;        // first page index -> label dictionary
    int firstPageNumber = 0;
    bool released = false;
};

void SourceNavigation::Impl::readAnnotations(const SourcePlan &plan)
{
    std::vector<int> pages = plan.pages;
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    for (int index : pages) {
        Object page = source.document.pages().pageDictionary(index);
        // Through the engine's reader: poppler's own lookup keeps five object
        // streams and parses them again and again on files with many.
        Object annots = page.isDict() ? source.document.objects().resolve(page.dictLookupNF("Annots")) : Object(objNull);
        for (int i = 0; annots.isArray() && i < annots.arrayGetLength(); ++i) {
            const Object &entry = annots.arrayGetNF(i);
            Object annotation = entry.isRef() ? source.document.objects().fetch(entry.getRef()) : Object(objNull);
            if (!annotation.isDict())
                continue;
            annotations.emplace(entry.getRefNum(), isKept(kindOf(annotation), options));
        }
    }
}

// The field tree from /AcroForm /Fields, walked once with a stack. A field is
// kept when it or a descendant is a widget on a page the output holds.
void SourceNavigation::Impl::readFields()
{
    Object catalog = xref.getCatalog();
    form = catalog.isDict() ? catalog.dictLookup("AcroForm") : Object(objNull);
    Object roots = form.isDict() ? form.dictLookup("Fields") : Object(objNull);
    if (!roots.isArray())
        return;
    std::vector<std::pair<Object, int>> stack; // (unresolved field, parent index)
    for (int i = roots.arrayGetLength() - 1; i >= 0; --i)
        stack.emplace_back(roots.arrayGetNF(i).copy(), -1);
    while (!stack.empty()) {
        Object entry = std::move(stack.back().first);
        int parent = stack.back().second;
        stack.pop_back();
        if (!entry.isRef() || fieldByNumber.count(entry.getRefNum()))
            continue;
        Object dict = source.document.objects().resolve(entry);
        if (!dict.isDict())
            continue;
        int index = static_cast<int>(fields.size());
        fieldByNumber.emplace(entry.getRefNum(), index);
        Field field;
        field.ref = entry.getRef();
        field.parent = parent;
        field.widget = dict.dictLookup("Subtype").isName("Widget");
        auto annotation = annotations.find(entry.getRefNum());
        field.kept = field.widget && annotation != annotations.end() && annotation->second;
        fields.push_back(std::move(field));
        if (parent >= 0)
            fields[static_cast<std::size_t>(parent)].kids.push_back(index);
        Object kids = dict.dictLookup("Kids");
        for (int i = kids.isArray() ? kids.arrayGetLength() - 1 : -1; i >= 0; --i)
            stack.emplace_back(kids.arrayGetNF(i).copy(), index);
    }
    // Parents come before their kids: one backward pass carries "kept" upwards.
    for (std::size_t i = fields.size(); i-- > 0;)
        if (fields[i].kept && fields[i].parent >= 0)
            fields[static_cast<std::size_t>(fields[i].parent)].kept = true;
    for (Field &field : fields) {
        if (field.parent >= 0 || !field.kept)
            continue;
        Object title = source.document.objects().fetch(field.ref).dictLookup("T");
        std::string unique = output.uniqueFieldName(title.isString() ? title.getString()->toStr() : std::string());
        TextBuffer text;
        appendString(text, unique.data(), static_cast<int>(unique.size()));
        field.title.assign(text.data(), text.size());
    }
}

void SourceNavigation::Impl::readLabels()
{
    Object catalog = xref.getCatalog();
    Object labels = catalog.isDict() ? catalog.dictLookupNF("PageLabels").copy() : Object(objNull);
    forEachTreeEntry(source.document.objects(), labels, "Nums", [&](const Object &key, const Object &value) {
        Object label = source.document.objects().resolve(value);
        if (key.isInt() && key.getInt() >= 0 && label.isDict())
            labelRanges.emplace_back(key.getInt(), std::move(label));
    });
    std::stable_sort(labelRanges.begin(), labelRanges.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
}

std::optional<PageLabel> SourceNavigation::Impl::labelOf(int index) const
{
    auto range = std::upper_bound(labelRanges.begin(), labelRanges.end(), index, [](int i, const auto &r) { return i < r.first; });
    if (range == labelRanges.begin())
        return std::nullopt;
    --range;
    const Object &dict = range->second;
    PageLabel label;
    if (Object style = dict.dictLookup("S"); style.isName())
        label.style = style.getName();
    if (Object prefix = dict.dictLookup("P"); prefix.isString())
        label.prefix = stringText(prefix.getString());
    Object start = dict.dictLookup("St");
    label.number = (start.isInt() && start.getInt() >= 1 ? start.getInt() : 1) + (index - range->first);
    return label;
}

// Fields and annotations are not copied as plain objects when something
// refers to them: they get their number at once and are written by the
// navigation (annotations with their page, fields on release). Those that
// the output does not hold read as null.
Redirect SourceNavigation::Impl::redirect(Ref ref)
{
    if (auto field = fieldByNumber.find(ref.num); field != fieldByNumber.end()) {
        Field &node = fields[static_cast<std::size_t>(field->second)];
        if (!node.kept)
            return Redirect::toNull();
        if (!node.widget) {
            fieldsToWrite.push_back(field->second);
            return Redirect::to(source.reserveNumber(ref));
        }
    }
    if (auto annotation = annotations.find(ref.num); annotation != annotations.end()) {
        if (!annotation->second)
            return Redirect::toNull();
        return Redirect::to(source.reserveNumber(ref));
    }
    return {};
}

bool SourceNavigation::Impl::destinationText(const Object &target, std::string &text)
{
    return retargetedDestination(source, target, released, text);
}

const SourceNavigation::Impl::Field *SourceNavigation::Impl::rootField(Ref ref) const
{
    auto field = fieldByNumber.find(ref.num);
    if (field == fieldByNumber.end())
        return nullptr;
    const Field &node = fields[static_cast<std::size_t>(field->second)];
    return node.parent < 0 && node.kept ? &node : nullptr;
}

// The first copy of a page takes the annotations' own numbers (others may
// refer to them); every later copy gets annotations of its own, whose
// references among themselves (a note and its pop-up) stay within the copy.
void SourceNavigation::Impl::copyAnnotations(int index, int pageNumber, bool firstCopy, TextBuffer &pageText)
{
    if (firstPageNumber == 0)
        firstPageNumber = pageNumber;
    Object page = source.document.pages().pageDictionary(index);
    Object annots = page.isDict() ? source.document.objects().resolve(page.dictLookupNF("Annots")) : Object(objNull);
    if (!annots.isArray())
        return;
    std::vector<AnnotationCopy> copies;
    std::unordered_map<int, int> overlay;
    for (int i = 0; i < annots.arrayGetLength(); ++i) {
        const Object &entry = annots.arrayGetNF(i);
        Object dict = source.document.objects().resolve(entry);
        if (!dict.isDict())
            continue;
        AnnotationKind kind = kindOf(dict);
        if (!isKept(kind, options))
            continue;
        std::string destination;
        Object target = goToTarget(dict, source.document.objects());
        if (!target.isNull() && !destinationText(target, destination) && kind == AnnotationKind::link)
            continue; // a link to a page the output does not hold goes
        Ref ref = entry.isRef() ? entry.getRef() : Ref::INVALID();
        int number;
        if (ref != Ref::INVALID() && firstCopy) {
            number = source.reserveNumber(ref);
        } else {
            number = source.newNumber();
            if (ref != Ref::INVALID())
                overlay[ref.num] = number;
        }
        if (ref != Ref::INVALID() && kind == AnnotationKind::widget)
            widgetCopies[ref.num].push_back(number);
        copies.push_back({ std::move(dict), ref, number, kind, std::move(destination), source.copiesOfPageObject(index) });
    }
    if (copies.empty())
        return;
    source.copier.setOverlay(firstCopy ? nullptr : &overlay);
    for (const AnnotationCopy &copy : copies)
        writeAnnotation(copy, pageNumber);
    source.copier.setOverlay(nullptr);
    pageText.append("/Annots[");
    for (const AnnotationCopy &copy : copies)
        appendReference(pageText, copy.number);
    pageText.append("]\n");
}

// The entries as the source has them, but for the page (the copy it stands
// on), a go-to (retargeted, or left out when its page is not in the output)
// and a root field's name (renamed on a clash).
void SourceNavigation::Impl::writeAnnotation(const AnnotationCopy &copy, int pageNumber)
{
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n", copy.number, 0);
    const Dict *entries = copy.dict.getDict();
    const Field *field = copy.kind == AnnotationKind::widget ? rootField(copy.ref) : nullptr;
    bool goTo = isGoToAction(copy.dict);
    std::vector<bool> effective = effectiveEntries(entries);
    for (int i = 0; i < entries->getLength(); ++i) {
        const char *key = entries->getKey(i);
        if (!effective[static_cast<std::size_t>(i)])
            continue;
        if (std::strcmp(key, "P") == 0) {
            text.append("/P");
            appendReference(text, pageNumber);
            text.append("\n");
        } else if (std::strcmp(key, "Dest") == 0 || (std::strcmp(key, "A") == 0 && goTo)) {
            continue; // written below, retargeted
        } else if (std::strcmp(key, "T") == 0 && field) {
            text.append("/T");
            text.append(field->title);
        } else if (std::strcmp(key, "StructParent") == 0) {
            continue; // the output's own key, below
        } else {
            source.copier.copyEntry(key, entries->getValNF(i), text);
        }
    }
    if (!copy.destination.empty())
        text.append(copy.kind == AnnotationKind::link ? "/Dest" + copy.destination : "/A<</S/GoTo/D" + copy.destination + ">>");
    if (source.structure) {
        if (int key = source.structure->annotationCopied(copy.ref, copy.number, copy.generation); key >= 0)
            text.appendf("/StructParent %d", key);
    }
    text.append("\n>>\nendobj\n");
    source.outputFile().queueObject(copy.number, text.take());
}

// What stands for a field in its parent's /Kids or in /Fields: a widget's
// copies (a page listed twice shows it twice), or the field's own number.
std::vector<int> SourceNavigation::Impl::outputNumbers(const Field &field)
{
    if (field.widget) {
        auto copies = widgetCopies.find(field.ref.num);
        return copies == widgetCopies.end() ? std::vector<int>() : copies->second;
    }
    if (source.copier.map().find(field.ref) == 0)
        fieldsToWrite.push_back(static_cast<int>(&field - fields.data()));
    return { source.reserveNumber(field.ref) };
}

// A field that is no widget: its entries, with only the kids that the
// output holds.
void SourceNavigation::Impl::writeField(Field &field)
{
    field.written = true;
    Object dict = source.document.objects().fetch(field.ref);
    if (!dict.isDict())
        return;
    int number = source.reserveNumber(field.ref);
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n", number, 0);
    std::vector<bool> effective = effectiveEntries(dict.getDict());
    for (int i = 0; i < dict.dictGetLength(); ++i) {
        const char *key = dict.dictGetKey(i);
        if (!effective[static_cast<std::size_t>(i)])
            continue;
        if (std::strcmp(key, "Kids") == 0) {
            text.append("/Kids[");
            for (int kid : field.kids)
                if (fields[static_cast<std::size_t>(kid)].kept)
                    for (int kidNumber : outputNumbers(fields[static_cast<std::size_t>(kid)]))
                        appendReference(text, kidNumber);
            text.append("]\n");
        } else if (std::strcmp(key, "T") == 0 && field.parent < 0) {
            text.append("/T");
            text.append(field.title);
        } else {
            source.copier.copyEntry(key, dict.dictGetValNF(i), text);
        }
    }
    text.append("\n>>\nendobj\n");
    source.outputFile().queueObject(number, text.take());
}

std::optional<PageLabel> SourceNavigation::labelOf(int index) const
{
    return impl->labelOf(index);
}

void SourceNavigation::Impl::release()
{
    released = true;
    if (options.keeps(OutputOptions::outline) || options.bookmarkPerFile)
        handOverOutline();
    if (options.keeps(OutputOptions::links))
        handOverDestinations();
    if (options.keeps(OutputOptions::forms))
        handOverForm();
}

OutlineNode SourceNavigation::Impl::outlineNode(const Object &item)
{
    OutlineNode node;
    Object title = item.dictLookup("Title");
    node.title = title.isString() ? stringText(title.getString()) : std::string(" () ");
    Object target = goToTarget(item, source.document.objects());
    std::string destination;
    if (!target.isNull()) {
        if (destinationText(target, destination))
            node.target = "/Dest" + destination;
    } else if (const Object &action = item.dictLookupNF("A"); action.isRef() || action.isDict()) {
        TextBuffer text; // a web link, a launch or another document: kept as it is
        source.copier.copyEntry("A", action, text);
        node.target.assign(text.data(), text.size());
    }
    TextBuffer style;
    if (Object colour = item.dictLookup("C"); colour.isArray() && colour.arrayGetLength() == 3)
        source.copier.copyEntry("C", colour, style);
    if (Object flags = item.dictLookup("F"); flags.isInt() && flags.getInt() != 0)
        style.appendf("/F %d", flags.getInt());
    node.style.assign(style.data(), style.size());
    Object count = item.dictLookup("Count");
    node.open = count.isInt() && count.getInt() > 0;
    return node;
}

// The document's bookmarks whose destination is in the output, in their
// hierarchy; an item whose own page is not copied keeps its place when one
// of its descendants is, without a destination; items leading nowhere go.
void SourceNavigation::Impl::handOverOutline()
{
    std::vector<OutlineNode> all;
    std::vector<int> openLevels; // the node index of each open level's parent
    if (options.keeps(OutputOptions::outline)) {
        Object catalog = xref.getCatalog();
        Object outline = catalog.isDict() ? catalog.dictLookup("Outlines") : Object(objNull);
        forEachOutlineItem(source.document.objects(), outline, [&](const OutlineVisit &item) {
            openLevels.resize(static_cast<std::size_t>(item.level - 1));
            OutlineNode node = outlineNode(item.dict);
            node.parent = openLevels.empty() ? -1 : openLevels.back();
            openLevels.push_back(static_cast<int>(all.size()));
            all.push_back(std::move(node));
            return true;
        });
    }
    std::vector<bool> kept(all.size(), false);
    for (std::size_t i = all.size(); i-- > 0;) { // descendants come after their ancestors
        kept[i] = kept[i] || !all[i].target.empty();
        if (kept[i] && all[i].parent >= 0)
            kept[static_cast<std::size_t>(all[i].parent)] = true;
    }

    OutlineForest forest;
    int top = -1;
    if (options.bookmarkPerFile && firstPageNumber != 0) {
        OutlineNode file;
        Object info = source.document.pdf().getDocInfo();
        Object title = info.isDict() ? info.dictLookup("Title") : Object(objNull);
        if (title.isString() && title.getString()->getLength() > 0) {
            file.title = stringText(title.getString());
        } else {
            TextBuffer text;
            appendTextString(text, source.label);
            file.title.assign(text.data(), text.size());
        }
        file.target = "/Dest[" + std::to_string(firstPageNumber) + " 0 R /XYZ null null null]";
        forest.nodes.push_back(std::move(file));
        top = 0;
    }
    std::vector<int> newIndex(all.size(), -1);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!kept[i])
            continue;
        OutlineNode node = std::move(all[i]);
        node.parent = node.parent >= 0 ? newIndex[static_cast<std::size_t>(node.parent)] : top;
        newIndex[i] = static_cast<int>(forest.nodes.size());
        forest.nodes.push_back(std::move(node));
    }
    if (!forest.nodes.empty())
        output.addOutline(order, std::move(forest));
}

// Named destinations of copied pages, for other documents that link here.
// When the output holds most of the document, the whole name tree is read
// once and every name landing on a copied page goes over. When it holds a
// small part of it (fewer than one page in wholeTreeShare), reading the whole
// tree would cost more than the pages themselves, since every destination
// must be fetched to learn its page: then only the names that the copied
// links, bookmarks and actions looked up go over.
void SourceNavigation::Impl::handOverDestinations()
{
    constexpr int wholeTreeShare = 2;
    const PageTree &pages = source.document.pages();
    int written = 0;
    for (int i = 0; i < pages.count(); ++i)
        written += source.writtenCopyNumber(i) != 0 ? 1 : 0;
    const NamedDestinations &names = source.document.destinations();
    auto handOver = [&](const std::string &name, const Object &destination) {
        if (source.writtenCopyNumber(destinationPage(destination, pages)) == 0)
            return;
        std::string text;
        if (isUsableDestination(destination) && destinationText(destination, text))
            output.addDestination(order, name, text);
    };
    if (names.complete() || written * wholeTreeShare >= pages.count()) {
        for (const auto &[name, destination] : names.all())
            handOver(name, destination);
    } else {
        for (const auto &[name, destination] : names.found())
            handOver(name, destination);
    }
}

void SourceNavigation::Impl::handOverForm()
{
    std::vector<int> roots;
    for (Field &field : fields)
        if (field.parent < 0 && field.kept)
            for (int number : outputNumbers(field))
                roots.push_back(number);
    while (!fieldsToWrite.empty()) { // writing a field may number its kids
        int index = fieldsToWrite.back();
        fieldsToWrite.pop_back();
        if (!fields[static_cast<std::size_t>(index)].written)
            writeField(fields[static_cast<std::size_t>(index)]);
    }
    if (roots.empty())
        return;
    output.addRootFields(order, std::move(roots));

    // The form dictionary the fields were read from: reading the catalogue
    // again can give another answer once poppler has rebuilt a damaged
    // cross-reference table in between.
    if (Object appearance = form.dictLookup("DA"); appearance.isString())
        output.addDefaultAppearance(stringText(appearance.getString()));
    Object resources = form.dictLookup("DR");
    for (int i = 0; resources.isDict() && i < resources.dictGetLength(); ++i) {
        Object category = resources.dictGetVal(i);
        for (int j = 0; category.isDict() && j < category.dictGetLength(); ++j) {
            TextBuffer value;
            source.copier.copyValue(category.dictGetValNF(j), value);
            output.addFormResource(resources.dictGetKey(i), category.dictGetKey(j), std::string(value.data(), value.size()));
        }
    }
    Object need = form.dictLookup("NeedAppearances");
    Object signatures = form.dictLookup("SigFlags");
    output.addFormFlags(need.isBool() && need.getBool(), signatures.isInt() ? signatures.getInt() : 0);
    Object calculation = form.dictLookup("CO");
    std::vector<int> calculated;
    for (int i = 0; calculation.isArray() && i < calculation.arrayGetLength(); ++i) {
        const Object &entry = calculation.arrayGetNF(i);
        if (entry.isRef() && fieldByNumber.count(entry.getRefNum()) && fields[static_cast<std::size_t>(fieldByNumber[entry.getRefNum()])].kept)
            calculated.push_back(source.copier.map().find(entry.getRef()));
    }
    calculated.erase(std::remove(calculated.begin(), calculated.end(), 0), calculated.end());
    output.addCalculationOrder(std::move(calculated));
}

SourceNavigation::SourceNavigation(SourceState &source, const SourcePlan &plan, OutputNavigation &output)
    : impl(std::make_unique<Impl>(source, plan, output))
{
}

SourceNavigation::~SourceNavigation() = default;

Redirect SourceNavigation::redirect(Ref ref)
{
    return impl->redirect(ref);
}

void SourceNavigation::copyAnnotations(int index, int pageNumber, bool firstCopy, TextBuffer &pageText)
{
    impl->copyAnnotations(index, pageNumber, firstCopy, pageText);
}

void SourceNavigation::release()
{
    impl->release();
}

} // namespace colligo
