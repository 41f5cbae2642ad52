// One source's settings, layers, attachments, scripts and metadata, read
// when the source is released: by then the copier knows which of its
// objects (optional-content groups among them) the copied pages use.
#include "DocumentParts.h"

#include "Navigation.h"
#include "SourceState.h"
#include "Structure.h"
#include "Threads.h"
#include "platform/WideText.h"
#include "reading/Destinations.h"
#include "reading/ObjectTrees.h"
#include "reading/SourceDocument.h"

#include <Dict.h>
#include <PDFDoc.h>
#include <Stream.h>
#include <XRef.h>
#include <UTF.h>
#include <goo/GooString.h>
#include <goo/gmem.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace colligo {

namespace {

// How deep an /Order array may nest before the rest is left out.
constexpr int orderDepthLimit = 32;

// A text string (PDFDocEncoding, or UTF-16 with its byte-order mark) as UTF-8.
std::string textStringToUtf8(const GooString *string)
{
    Unicode *codePoints = nullptr;
    int count = TextStringToUCS4(string->toStr(), &codePoints);
    std::u16string units = codePointsToUtf16(codePoints, count);
    gfree(codePoints);
    return utf16ToUtf8(units).value_or(std::string());
}

std::string entryText(ObjectCopier &copier, const char *key, const Object &value)
{
    TextBuffer text;
    copier.copyEntry(key, value, text);
    text.append("\n");
    return text.take();
}

} // namespace

class SourceDocumentParts::Impl
{
public:
    Impl(SourceState &source, OutputDocumentParts &output) : source(source), output(output)
    {
        if (output.keep().keeps(OutputOptions::settings))
            threads = std::make_unique<SourceThreads>(source);
    }
    void release();

    std::unique_ptr<SourceThreads> threads;

private:
    Object catalog() const { return source.document.objects().xrefTable().getCatalog(); }
    // One entry of the catalogue; null when it has none (or no catalogue).
    Object catalogEntry(const char *key) const
    {
        Object root = catalog();
        return root.isDict() ? root.dictLookup(key) : Object(objNull);
    }
    void handOverSettings();
    std::string openAction(const Object &action);
    void handOverNamed();
    void handOverLayers();
    void readDefaultConfiguration(const Object &defaults, SourceLayers &layers);
    std::vector<int> groups(const Object &array);
    void appendOrder(const Object &items, int depth, TextBuffer &text);
    std::string configuration(const Object &config, SourceLayers &layers);
    void handOverMetadata();
    std::string intentsSignature(const Object &intents);

    SourceState &source;
    OutputDocumentParts &output;
};

void SourceDocumentParts::Impl::release()
{
    const OutputOptions &keep = output.keep();
    if (keep.keeps(OutputOptions::settings)) {
        handOverSettings();
        if (std::vector<int> kept = threads->release(); !kept.empty())
            output.addThreads(source.order, std::move(kept));
    }
    if (keep.keeps(OutputOptions::attachments))
        handOverNamed();
    if (keep.keeps(OutputOptions::layers))
        handOverLayers();
    if (keep.keeps(OutputOptions::metadata))
        handOverMetadata();
}

void SourceDocumentParts::Impl::handOverSettings()
{
    Object root = catalog();
    if (!root.isDict())
        return;
    Object mode = root.dictLookup("PageMode");
    if (mode.isName("UseOutlines"))
        output.askForOutline();
    if (source.order != 0)
        return;
    std::string entries;
    for (const char *key : { "Lang", "ViewerPreferences", "PageLayout", "AA" })
        if (const Object &value = root.dictLookupNF(key); !value.isNull())
            entries += entryText(source.copier, key, value);
    if (Object action = root.dictLookup("OpenAction"); !action.isNull())
        entries += openAction(action);
    output.setSettings(std::move(entries), mode.isName() ? mode.getName() : "");
}

// A destination or go-to action opens the copy of its page, and nothing when
// that page is not in the output; other actions stay as they are.
std::string SourceDocumentParts::Impl::openAction(const Object &action)
{
    bool goTo = action.isArray() || (action.isDict() && action.dictLookup("S").isName("GoTo"));
    if (!goTo)
        return entryText(source.copier, "OpenAction", catalog().dictLookupNF("OpenAction"));
    Object target = action.isArray() ? action.copy() : action.dictLookup("D");
    std::string destination;
    if (!retargetedDestination(source, target, true, destination))
        return {};
    return "/OpenAction" + destination + "\n";
}

// Embedded files and document-level scripts, with their names.
void SourceDocumentParts::Impl::handOverNamed()
{
    Object names = catalogEntry("Names");
    if (!names.isDict())
        return;
    for (const char *tree : { "EmbeddedFiles", "JavaScript" }) {
        Object root = names.dictLookupNF(tree).copy();
        forEachTreeEntry(source.document.objects(), root, "Names", [&](const Object &key, const Object &value) {
            if (!key.isString())
                return;
            TextBuffer text;
            source.copier.copyValue(value, text);
            output.addNamed(tree, key.getString()->toStr(), text.take());
        });
    }
}

// The groups of an array that the copied pages use, as output numbers.
std::vector<int> SourceDocumentParts::Impl::groups(const Object &array)
{
    std::vector<int> numbers;
    for (int i = 0; array.isArray() && i < array.arrayGetLength(); ++i) {
        const Object &group = array.arrayGetNF(i);
        if (int number = group.isRef() ? source.copier.map().find(group.getRef()) : 0)
            numbers.push_back(number);
    }
    return numbers;
}

// /Order as the source has it, with only the groups the output holds; a
// sub-list left empty goes, a label stays only with something under it.
void SourceDocumentParts::Impl::appendOrder(const Object &items, int depth, TextBuffer &text)
{
    for (int i = 0; items.isArray() && i < items.arrayGetLength(); ++i) {
        const Object &item = items.arrayGetNF(i);
        if (item.isRef() && source.copier.map().find(item.getRef()) != 0) {
            appendReference(text, source.copier.map().find(item.getRef()));
            continue;
        }
        Object list = source.document.objects().resolve(item);
        if (!list.isArray() || depth >= orderDepthLimit)
            continue;
        TextBuffer inner;
        appendOrder(list, depth + 1, inner);
        if (inner.empty())
            continue;
        text.append("[");
        if (Object label = list.arrayGet(0); label.isString())
            appendString(text, label.getString()->c_str(), label.getString()->getLength());
        text.append(inner.data(), inner.size());
        text.append("]");
    }
}

// A configuration dictionary with its lists limited to the groups kept.
std::string SourceDocumentParts::Impl::configuration(const Object &config, SourceLayers &layers)
{
    TextBuffer text;
    auto list = [&](const char *key, const std::vector<int> &numbers) {
        if (numbers.empty() && *key)
            return;
        text.append(key);
        text.append("[");
        for (int number : numbers)
            appendReference(text, number);
        text.append("]");
    };
    // With other files' layers beside it, a base state of OFF would switch
    // theirs off too: every group of this file not listed ON is listed OFF.
    bool allOff = config.dictLookup("BaseState").isName("OFF");
    bool alone = output.keep().documentCount <= 1;
    std::vector<int> on = groups(config.dictLookup("ON")), off = groups(config.dictLookup("OFF"));
    if (allOff && alone) {
        text.append("/BaseState/OFF");
    } else if (allOff) {
        off.clear();
        for (int group : layers.groups)
            if (std::find(on.begin(), on.end(), group) == on.end())
                off.push_back(group);
    }
    for (const char *key : { "Name", "Creator", "Intent", "ListMode" })
        if (const Object &value = config.dictLookupNF(key); !value.isNull())
            source.copier.copyEntry(key, value, text);
    list("/ON", on);
    list("/OFF", off);
    text.append("/Order[");
    appendOrder(config.dictLookup("Order"), 0, text);
    text.append("]");
    Object radio = config.dictLookup("RBGroups");
    text.append("/RBGroups[");
    for (int i = 0; radio.isArray() && i < radio.arrayGetLength(); ++i) {
        std::vector<int> members = groups(radio.arrayGet(i));
        if (members.size() > 1)
            list("", members);
    }
    text.append("]");
    list("/Locked", groups(config.dictLookup("Locked")));
    return text.take();
}

void SourceDocumentParts::Impl::handOverLayers()
{
    Object properties = catalogEntry("OCProperties");
    if (!properties.isDict())
        return;
    SourceLayers layers;
    layers.order = source.order;
    layers.groups = groups(properties.dictLookup("OCGs"));
    if (layers.groups.empty())
        return;
    Object info = source.document.pdf().getDocInfo();
    Object title = info.isDict() ? info.dictLookup("Title") : Object(objNull);
    TextBuffer label;
    if (title.isString() && title.getString()->getLength() > 0)
        appendString(label, title.getString()->c_str(), title.getString()->getLength());
    else
        appendTextString(label, source.label);
    layers.title = label.take();

    if (Object defaults = properties.dictLookup("D"); defaults.isDict())
        readDefaultConfiguration(defaults, layers);
    Object configs = properties.dictLookup("Configs");
    for (int i = 0; configs.isArray() && i < configs.arrayGetLength(); ++i)
        if (Object config = configs.arrayGet(i); config.isDict())
            layers.configurations.push_back("<<" + configuration(config, layers) + ">>");
    output.addLayers(std::move(layers));
}

// The default configuration's lists, limited to the groups kept; a base
// state of OFF becomes an OFF list, since the output's base state is ON.
void SourceDocumentParts::Impl::readDefaultConfiguration(const Object &defaults, SourceLayers &layers)
{
    TextBuffer entries;
    for (const char *key : { "Name", "Creator", "Intent", "ListMode" })
        if (const Object &value = defaults.dictLookupNF(key); !value.isNull())
            source.copier.copyEntry(key, value, entries);
    layers.defaultEntries = entries.take();
    layers.on = groups(defaults.dictLookup("ON"));
    if (defaults.dictLookup("BaseState").isName("OFF")) { // the output's base state is ON
        for (int group : layers.groups)
            if (std::find(layers.on.begin(), layers.on.end(), group) == layers.on.end())
                layers.off.push_back(group);
    } else {
        layers.off = groups(defaults.dictLookup("OFF"));
    }
    layers.locked = groups(defaults.dictLookup("Locked"));
    TextBuffer order;
    appendOrder(defaults.dictLookup("Order"), 0, order);
    layers.orderItems = order.take();
    Object radio = defaults.dictLookup("RBGroups");
    for (int i = 0; radio.isArray() && i < radio.arrayGetLength(); ++i) {
        std::vector<int> members = groups(radio.arrayGet(i));
        if (members.size() < 2)
            continue;
        TextBuffer group;
        group.append("[");
        for (int number : members)
            appendReference(group, number);
        group.append("]");
        layers.radioGroups.push_back(group.take());
    }
    Object usage = defaults.dictLookup("AS");
    for (int i = 0; usage.isArray() && i < usage.arrayGetLength(); ++i) {
        Object application = usage.arrayGet(i);
        if (!application.isDict())
            continue;
        TextBuffer key;
        source.copier.copyEntry("Event", application.dictLookupNF("Event"), key);
        source.copier.copyEntry("Category", application.dictLookupNF("Category"), key);
        layers.usage.emplace_back(key.take(), groups(application.dictLookup("OCGs")));
    }
}

// Two sources' output intents agree when they name the same conditions and
// carry the same profiles: byte for byte but for the profile header's
// creation date and identifier, which a producer that makes its profile
// each time (LibreOffice's sRGB) sets anew for every file.
std::string SourceDocumentParts::Impl::intentsSignature(const Object &intents)
{
    std::string signature;
    for (int i = 0; intents.isArray() && i < intents.arrayGetLength(); ++i) {
        Object intent = intents.arrayGet(i);
        if (!intent.isDict())
            continue;
        for (const char *key : { "S", "OutputConditionIdentifier" }) {
            Object value = intent.dictLookup(key);
            signature += value.isName() ? value.getName() : value.isString() ? value.getString()->toStr() : "";
            signature += '\n';
        }
        Object profile = intent.dictLookup("DestOutputProfile");
        if (profile.isStream()) {
            Stream *stream = profile.getStream();
            stream->reset();
            std::string bytes;
            for (int c; bytes.size() < (16u << 20) && (c = stream->getChar()) != EOF;)
                bytes.push_back(static_cast<char>(c));
            stream->close();
            for (std::size_t at : { 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35 })
                if (at < bytes.size())
                    bytes[at] = 0;
            for (std::size_t at = 84; at < 100 && at < bytes.size(); ++at)
                bytes[at] = 0;
            signature += std::to_string(bytes.size()) + ':' + std::to_string(std::hash<std::string>()(bytes));
        }
        signature += ';';
    }
    return signature;
}

void SourceDocumentParts::Impl::handOverMetadata()
{
    SourceMetadata metadata;
    metadata.order = source.order;
    metadata.conformance = conformanceOf(metadataPacket(source.document.objects()));
    Object root = catalog();
    Object intents = root.isDict() ? root.dictLookupNF("OutputIntents").copy() : Object(objNull);
    metadata.outputIntents = intentsSignature(source.document.objects().resolve(intents));
    if (!metadata.outputIntents.empty()) {
        TextBuffer text;
        source.copier.copyValue(intents, text);
        metadata.outputIntentsText = text.take();
    }
    metadata.structureKept = source.structure && source.structure->isTagged() && source.structure->isComplete();
    Object info = source.document.pdf().getDocInfo();
    for (const char *key : { "Title", "Author", "Subject", "Keywords" }) {
        Object value = info.isDict() ? info.dictLookup(key) : Object(objNull);
        if (value.isString())
            metadata.information[key] = textStringToUtf8(value.getString());
    }
    output.addMetadata(std::move(metadata));
}

SourceDocumentParts::SourceDocumentParts(SourceState &source, OutputDocumentParts &output)
    : impl(std::make_unique<Impl>(source, output))
{
}

SourceDocumentParts::~SourceDocumentParts() = default;

Redirect SourceDocumentParts::redirect(Ref ref)
{
    return impl->threads ? impl->threads->redirect(ref) : Redirect {};
}

void SourceDocumentParts::appendPageEntries(int index, TextBuffer &pageText)
{
    if (impl->threads)
        impl->threads->appendPageBeads(index, pageText);
}

void SourceDocumentParts::release()
{
    impl->release();
}

} // namespace colligo
