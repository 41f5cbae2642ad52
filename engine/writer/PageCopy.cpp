// Page copying: each source page becomes a new page object under the output's
// single page-tree node. The page keeps what is needed to show and print it
// (boxes, rotation, resources, contents, transparency group, user unit) and,
// when the output keeps navigation, its annotations.
#include "PdfWriter.h"

#include "Navigation.h"
#include "DocumentParts.h"
#include "SourceState.h"
#include "Structure.h"
#include "reading/SourceDocument.h"

#include <Dict.h>
#include <PDFDoc.h>

namespace colligo {

namespace {

// A box as poppler reads it: four numbers, not all zero.
bool isBox(const Object &box)
{
    if (!box.isArray() || box.arrayGetLength() != 4)
        return false;
    bool allZero = true;
    for (int i = 0; i < 4; ++i) {
        Object number = box.arrayGet(i);
        if (!number.isNum())
            return false;
        allZero = allZero && number.getNum() == 0;
    }
    return !allZero;
}

bool isDictionary(const Object &value)
{
    return value.isDict();
}

bool isInteger(const Object &value)
{
    return value.isInt();
}

void appendNumber(TextBuffer &text, const Object &number)
{
    if (number.isInt())
        text.appendf("%d", number.getInt());
    else if (number.isInt64())
        text.appendf("%lld", number.getInt64());
    else
        text.appendReal(number.getNum());
}

// A reference to an object numbered earlier carries no line feed of its own.
void endLine(TextBuffer &text)
{
    if (text.empty() || text.data()[text.size() - 1] != '\n')
        text.append("\n");
}

// poppler's reading: any multiple of 360 away from 0..359 is the same turn.
int normalisedRotation(int rotate)
{
    rotate %= 360;
    return rotate < 0 ? rotate + 360 : rotate;
}

} // namespace

void PdfWriter::addPage(int pageNumber, GfxState *)
{
    SourceState *source = output.isOpen() ? current : nullptr;
    int index = pageNumber - 1;
    if (!source || index < 0 || index >= source->document.pages().count()) {
        ok = false;
        return;
    }
    Object pageDict = source->document.pages().pageDictionary(index);
    if (!pageDict.isDict()) {
        ok = false;
        ++damagedPages;
        return;
    }
    writePageObject(*source, index, pageDict, source->numberForCopy(index));
    source->copier.copyDeferredObjects();
    if (source->copier.takeDamage()) {
        ok = false;
        ++damagedPages;
    }
    output.writePendingObjects();
}

// The entries come in this order: Type, MediaBox, Parent, Resources,
// Contents, then Rotate, the other boxes, UserUnit, Group and Annots when the
// page has them.
void PdfWriter::writePageObject(SourceState &source, int index, const Object &pageDict, int pageNumber)
{
    const PageTree &pages = source.document.pages();
    ObjectReader &objects = source.document.objects();
    output.startObject(pageNumber);
    pageObjects.push_back(pageNumber);
    output.writeText("/Type/Page\n");
    Object mediaBox = pages.inherited(pageDict, index, "MediaBox", isBox);
    writeBox("/MediaBox", objects.resolve(mediaBox));
    output.writeText("/Parent %d %d R\n", OutputFile::pageTreeNumber, 0);

    int ownResources = 0;
    int owner = -1;
    Object resources = pages.inherited(pageDict, index, "Resources", isDictionary, &owner);
    if (resources.isRef()) { // shared with other pages: one copy for all
        lineBuffer.append("/Resources");
        source.copier.copyValue(resources, lineBuffer);
        endLine(lineBuffer);
        output.writeBuffer(lineBuffer);
    } else if (owner >= 0) { // written once in a page-tree node: shared likewise
        int &shared = source.inheritedResources(owner);
        if (shared == 0) {
            shared = output.newObjectNumber();
            source.copier.copyDictionaryAs(resources.getDict(), shared);
        }
        output.writeText("/Resources %d %d R\n", shared, 0);
    } else { // the page's own: written piece by piece right after the page
        ownResources = output.newObjectNumber();
        output.writeText("/Resources %d %d R\n", ownResources, 0);
    }

    output.writeText("/Contents");
    Object contents = pageDict.dictLookupNF("Contents").copy();
    if (contents.isRef()) { // an array of streams kept as an object of its own stays an array here
        Object resolved = objects.resolve(contents);
        if (resolved.isArray())
            contents = std::move(resolved);
    }
    source.copier.copyValue(contents, lineBuffer);
    output.writeBuffer(lineBuffer);

    Object rotate = objects.resolve(pages.inherited(pageDict, index, "Rotate", isInteger));
    int rotation = normalisedRotation(rotate.isInt() ? rotate.getInt() : 0);
    if (rotation != 0)
        output.writeText("/Rotate %d\n", rotation);
    Object cropBox = pages.inherited(pageDict, index, "CropBox", isBox);
    if (!cropBox.isNull())
        writeBox("/CropBox", objects.resolve(cropBox));
    for (const char *key : { "BleedBox", "TrimBox", "ArtBox" }) {
        Object box = pageDict.dictLookup(key);
        if (isBox(box))
            writeBox((std::string("/") + key).c_str(), box);
    }
    if (Object unit = pageDict.dictLookup("UserUnit"); unit.isNum() && unit.getNum() > 0) {
        lineBuffer.append("/UserUnit ");
        appendNumber(lineBuffer, unit);
        lineBuffer.append("\n");
        output.writeBuffer(lineBuffer);
    }
    if (pageDict.dictLookup("Group").isDict()) {
        lineBuffer.append("/Group");
        source.copier.copyValue(pageDict.dictLookupNF("Group"), lineBuffer);
        endLine(lineBuffer);
        output.writeBuffer(lineBuffer);
    }
    writePageEntries(source, index, pageDict, pageNumber);
    if (source.navigation) {
        source.navigation->copyAnnotations(index, pageNumber, source.isFirstCopy(index), lineBuffer);
        output.writeBuffer(lineBuffer);
        if (options.keeps(OutputOptions::pageLabels)) {
            // A document without labels continues the output's plain count.
            std::optional<PageLabel> label = source.navigation->labelOf(index);
            navigation->addPageLabel(label.value_or(PageLabel { "D", "", static_cast<long long>(pageObjects.size()) }), label.has_value());
        }
    }
    output.endObject();

    if (ownResources != 0)
        writeResources(source, resources, ownResources);
}

// Beyond what shows the page: its place in the tagged structure, and what a
// viewer does with it (transition, display time, tab order, page actions,
// preferred zoom).
void PdfWriter::writePageEntries(SourceState &source, int index, const Object &pageDict, int pageNumber)
{
    if (source.structure) {
        if (int key = source.structure->pageCopied(index, pageNumber); key >= 0)
            output.writeText("/StructParents %d\n", key);
    }
    if (!options.keeps(OutputOptions::settings))
        return;
    if (source.parts) {
        source.parts->appendPageEntries(index, lineBuffer);
        output.writeBuffer(lineBuffer);
    }
    for (const char *key : { "Trans", "Dur", "Tabs", "AA", "PZ" }) {
        const Object &value = pageDict.dictLookupNF(key);
        if (value.isNull() || value.isNone())
            continue;
        source.copier.copyEntry(key, value, lineBuffer);
        endLine(lineBuffer);
        output.writeBuffer(lineBuffer);
    }
}

// Each number as the source states it, so that the box reads back exactly.
void PdfWriter::writeBox(const char *key, const Object &box)
{
    lineBuffer.append(key);
    lineBuffer.append("[");
    if (isBox(box)) {
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                lineBuffer.append(" ");
            appendNumber(lineBuffer, box.arrayGet(i));
        }
    } else { // no usable media box anywhere: letter size, as readers assume
        lineBuffer.append("0 0 612 792");
    }
    lineBuffer.append("]\n");
    output.writeBuffer(lineBuffer);
}

// A page without resources still gets its (empty) resources object: the page
// refers to it already.
void PdfWriter::writeResources(SourceState &source, const Object &resources, int resourcesNumber)
{
    output.startObject(resourcesNumber);
    if (resources.isDict()) {
        const Dict *dict = resources.getDict();
        std::vector<bool> effective = effectiveEntries(dict);
        for (int i = 0; i < dict->getLength(); ++i) {
            if (!effective[static_cast<std::size_t>(i)])
                continue;
            appendName(lineBuffer, dict->getKey(i));
            source.copier.copyValue(dict->getValNF(i), lineBuffer);
            output.writeBuffer(lineBuffer);
        }
    }
    output.endObject();
}

} // namespace colligo
