#include "ObjectCopier.h"

#include "Deflate.h"
#include "StoredStream.h"
#include "platform/WideText.h"
#include "reading/SourceDocument.h"

#include <Array.h>
#include <Dict.h>
#include <PDFDoc.h>
#include <Stream.h>
#include <XRef.h>
#include <goo/GooString.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace colligo {

namespace {

constexpr int longArrayThreshold = 200;
// Nesting beyond this (objects within objects) sets new objects aside to be
// copied afterwards; only hostile files come near it.
constexpr int deferralDepth = 64;
const char streamTail[] = "endstream\nendobj\n";
const char faithfulStreamTail[] = "\nendstream\nendobj\n";

bool isRegularNameByte(unsigned char c)
{
    if (c <= 32 || c >= 127 || c == '#')
        return false;
    return std::strchr("()<>[]{}/%", c) == nullptr;
}

// Whether a direct value holds a reference anywhere inside it.
bool containsReference(const Object &value)
{
    if (value.isRef())
        return true;
    if (value.isArray()) {
        for (int i = 0; i < value.arrayGetLength(); ++i)
            if (containsReference(value.arrayGetNF(i)))
                return true;
    } else if (value.isDict()) {
        for (int i = 0; i < value.dictGetLength(); ++i)
            if (containsReference(value.dictGetValNF(i)))
                return true;
    }
    return false;
}

// Values reached through a reference that become objects of their own; the
// rest (numbers, names, strings, arrays of plain values) is written in place.
bool deservesObject(const Object &value)
{
    if (value.isDict() || value.isStream())
        return true;
    if (value.isArray())
        return value.arrayGetLength() > longArrayThreshold || containsReference(value);
    return false;
}

// Objects whose identity matters to readers (annotations, structure
// elements, pages, fields) are never merged with their twins; what pages
// draw with (fonts, images, forms, patterns, shadings, functions, graphics
// states, resource dictionaries) is.
bool isShareableDictionary(const Dict *dict)
{
    static const std::unordered_set<std::string_view> drawingTypes = { "Font", "FontDescriptor", "ExtGState", "Pattern", "Encoding",
                                                                       "XObject", "Halftone", "CMap" };
    static const std::unordered_set<std::string_view> drawingKeys = { "Font", "XObject", "ExtGState", "ColorSpace", "Pattern", "Shading",
                                                                      "ProcSet", "Properties", "Registry", "Ordering", "Supplement" };
    Object type = dict->lookup("Type");
    if (type.isName())
        return drawingTypes.count(type.getName()) > 0;
    for (const char *key : { "ShadingType", "FunctionType", "PatternType" })
        if (dict->hasKey(key))
            return true;
    for (int i = 0; i < dict->getLength(); ++i)
        if (!drawingKeys.count(dict->getKey(i)))
            return false;
    return dict->getLength() > 0;
}

bool isShareable(const Object &value)
{
    return !value.isDict() || isShareableDictionary(value.getDict());
}

bool readAll(Stream *stream, std::string &data)
{
    constexpr int chunk = 1 << 16;
    stream->reset();
    for (;;) {
        std::size_t at = data.size();
        data.resize(at + chunk);
        int got = stream->doGetChars(chunk, reinterpret_cast<unsigned char *>(data.data() + at));
        data.resize(at + static_cast<std::size_t>(std::max(got, 0)));
        if (got <= 0)
            break;
    }
    stream->close();
    return true;
}

} // namespace

std::vector<bool> effectiveEntries(const Dict *dict)
{
    int length = dict->getLength();
    std::vector<bool> effective(static_cast<std::size_t>(length), true);
    if (length < 2)
        return effective;
    std::unordered_set<std::string_view> later;
    for (int i = length - 1; i >= 0; --i)
        if (!later.insert(dict->getKey(i)).second)
            effective[static_cast<std::size_t>(i)] = false;
    return effective;
}

void appendName(TextBuffer &buffer, const char *name)
{
    buffer.append("/");
    for (const char *p = name; *p; ++p) {
        auto c = static_cast<unsigned char>(*p);
        if (isRegularNameByte(c))
            buffer.append(p, 1);
        else
            buffer.appendf("#%02X", c);
    }
}

void appendString(TextBuffer &buffer, const char *bytes, int length)
{
    bool printable = true;
    for (int i = 0; i < length && printable; ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        printable = c >= 32 && c <= 128;
    }
    if (!printable) {
        buffer.append(" <");
        for (int i = 0; i < length; ++i)
            buffer.appendf("%02X", static_cast<unsigned char>(bytes[i]));
        buffer.append("> ");
        return;
    }
    buffer.append(" (");
    for (int i = 0; i < length; ++i) {
        char c = bytes[i];
        if (c == '\\' || c == '(' || c == ')')
            buffer.append("\\");
        buffer.append(&bytes[i], 1);
    }
    buffer.append(") ");
}

void appendTextString(TextBuffer &buffer, const std::string &utf8)
{
    bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 32 && c < 127; });
    if (plain) {
        buffer.append("(");
        for (char c : utf8) {
            if (c == '\\' || c == '(' || c == ')')
                buffer.append("\\");
            buffer.append(&c, 1);
        }
        buffer.append(")");
        return;
    }
    buffer.append("<FEFF");
    for (char16_t unit : utf8ToUtf16(utf8))
        buffer.appendf("%04X", static_cast<unsigned>(unit));
    buffer.append(">");
}

void appendNewReference(TextBuffer &buffer, int number)
{
    buffer.appendf(" %d %d R\n", number, 0);
}

void appendReference(TextBuffer &buffer, int number)
{
    buffer.appendf(" %d 0 R", number);
}

int ObjectMap::find(Ref ref) const
{
    if (ref.num < 0 || static_cast<std::size_t>(ref.num) >= entries.size())
        return 0;
    const Entry &entry = entries[static_cast<std::size_t>(ref.num)];
    return entry.generation == ref.gen ? entry.number : 0;
}

void ObjectMap::set(Ref ref, int number)
{
    if (ref.num < 0)
        return;
    auto index = static_cast<std::size_t>(ref.num);
    if (index >= entries.size())
        entries.resize(index + 1);
    entries[index] = { number, ref.gen };
}

ObjectCopier::ObjectCopier(OutputFile &output, SourceDocument &source) : output(output), source(source) { }

void ObjectCopier::copyValue(const Object &unresolved, TextBuffer &buffer)
{
    if (unresolved.isRef())
        copyReference(unresolved.getRef(), buffer);
    else
        copyDirect(unresolved, buffer);
}

void ObjectCopier::copyEntry(const char *key, const Object &unresolved, TextBuffer &buffer)
{
    appendName(buffer, key);
    buffer.append(" ");
    copyValue(unresolved, buffer);
}

void ObjectCopier::copyReference(Ref ref, TextBuffer &buffer)
{
    if (overlayMap) {
        if (auto found = overlayMap->find(ref.num); found != overlayMap->end()) {
            appendReference(buffer, found->second);
            return;
        }
    }
    if (int number = objectMap.find(ref)) {
        appendReference(buffer, number);
        return;
    }
    if (int number = numberInProgress(ref)) {
        appendReference(buffer, number);
        return;
    }
    if (redirectFunction) {
        Redirect redirect = redirectFunction(ref);
        if (redirect.action == Redirect::writeNull) {
            buffer.append(" null");
            return;
        }
        if (redirect.action == Redirect::referTo) {
            appendReference(buffer, redirect.number);
            return;
        }
    }
    Object value = source.objects().fetch(ref);
    if (!deservesObject(value)) {
        copyDirect(value, buffer);
        return;
    }
    appendNewReference(buffer, copyNewObject(value, ref));
}

int ObjectCopier::copyNewObject(const Object &value, Ref ref)
{
    if (sharing && depth < deferralDepth)
        return placeNewObject(value, ref);
    int number = output.newObjectNumber();
    objectMap.set(ref, number);
    if (depth >= deferralDepth) {
        defer(ref, number);
        return number;
    }
    Ref outer = std::exchange(owner, ref);
    writeObject(value, number);
    owner = outer;
    return number;
}

// Content first, number last; a number that a cycle took early stays.
int ObjectCopier::placeNewObject(const Object &value, Ref ref)
{
    inProgress[ref.num] = { ref.gen, 0 };
    Ref outer = std::exchange(owner, ref);
    ObjectBody body;
    bool made = makeBody(value, body);
    owner = outer;
    int early = inProgress[ref.num].second;
    inProgress.erase(ref.num);
    int number = made ? output.placeObject(std::move(body), early, isShareable(value)) : (early ? early : output.newObjectNumber());
    objectMap.set(ref, number);
    return number;
}

int ObjectCopier::numberInProgress(Ref ref)
{
    auto found = inProgress.find(ref.num);
    if (found == inProgress.end() || found->second.first != ref.gen)
        return 0;
    if (found->second.second == 0)
        found->second.second = output.newObjectNumber();
    return found->second.second;
}

// A direct value that becomes an object of its own where it stands.
int ObjectCopier::copyDirectObject(const Object &value)
{
    if (!sharing) {
        int number = output.newObjectNumber();
        writeObject(value, number);
        return number;
    }
    ObjectBody body;
    if (!makeBody(value, body))
        return output.newObjectNumber(); // never written: references to it read as null
    return output.placeObject(std::move(body), 0, isShareable(value));
}

void ObjectCopier::writeObject(const Object &value, int number)
{
    ObjectBody body;
    if (makeBody(value, body))
        output.writeObject(number, std::move(body));
}

bool ObjectCopier::makeBody(const Object &value, ObjectBody &body)
{
    if (value.isDict())
        body = dictionaryBody(value.getDict());
    else if (value.isStream())
        return streamBody(value.getStream(), body);
    else if (value.isArray())
        body = arrayBody(value.getArray());
    else
        return false;
    return true;
}

int ObjectCopier::copyObject(Ref ref)
{
    if (int number = objectMap.find(ref))
        return number;
    if (int number = numberInProgress(ref))
        return number;
    if (redirectFunction) {
        Redirect redirect = redirectFunction(ref);
        if (redirect.action != Redirect::copy)
            return redirect.number;
    }
    Object value = source.objects().fetch(ref);
    return deservesObject(value) ? copyNewObject(value, ref) : 0;
}

void ObjectCopier::copyObjectAs(Ref ref, int number)
{
    Object value = source.objects().fetch(ref);
    Ref outer = std::exchange(owner, ref);
    if (value.isDict() || value.isStream() || value.isArray()) {
        writeObject(value, number);
    } else {
        TextBuffer text;
        copyDirect(value, text);
        text.append("\n");
        output.writeObject(number, ObjectBody::value(text.take()));
    }
    owner = outer;
}

void ObjectCopier::copyDictionaryAs(const Dict *dict, int number)
{
    output.writeObject(number, dictionaryBody(dict));
}

void ObjectCopier::copyDirect(const Object &value, TextBuffer &buffer)
{
    switch (value.getType()) {
    case objBool:
        buffer.append(value.getBool() ? " true" : " false");
        break;
    case objInt:
        buffer.appendf(" %d", value.getInt());
        break;
    case objInt64:
        buffer.appendf(" %lld", value.getInt64());
        break;
    case objReal:
        buffer.append(" ");
        buffer.appendReal(value.getReal());
        break;
    case objString:
        appendString(buffer, value.getString()->c_str(), value.getString()->getLength());
        break;
    case objName:
        appendName(buffer, value.getName());
        buffer.append("\n");
        break;
    case objArray:
        if (value.arrayGetLength() > longArrayThreshold) {
            appendNewReference(buffer, copyDirectObject(value));
        } else {
            ++depth;
            buffer.append("[");
            copyArrayElements(value.getArray(), buffer);
            buffer.append("]\n");
            --depth;
        }
        break;
    case objDict: {
        if (faithfulCopy) {
            ++depth;
            buffer.append("<<");
            copyEntries(value.getDict(), buffer);
            buffer.append(">>\n");
            --depth;
            break;
        }
        appendNewReference(buffer, copyDirectObject(value));
        break;
    }
    case objStream:
        appendNewReference(buffer, copyDirectObject(value));
        break;
    default: // null, and what a damaged file leaves where a value should be
        buffer.append(" null");
        break;
    }
}

void ObjectCopier::copyArrayElements(const Array *array, TextBuffer &buffer)
{
    for (int i = 0; i < array->getLength(); ++i) {
        const Object &element = array->getNF(i);
        if (!element.isNone())
            copyValue(element, buffer);
    }
}

// The entries readers take, each through the hook first when there is one.
void ObjectCopier::copyEntries(const Dict *dict, TextBuffer &buffer)
{
    std::vector<bool> effective = effectiveEntries(dict);
    for (int i = 0; i < dict->getLength(); ++i) {
        if (!effective[static_cast<std::size_t>(i)])
            continue;
        const char *key = dict->getKey(i);
        const Object &value = dict->getValNF(i);
        if (!entryHook || !entryHook(owner, key, value, buffer))
            copyEntry(key, value, buffer);
    }
}

ObjectBody ObjectCopier::arrayBody(const Array *array)
{
    ++depth;
    TextBuffer text(16 * static_cast<std::size_t>(array->getLength()) + 64);
    text.append("[\n");
    copyArrayElements(array, text);
    text.append("]\n");
    --depth;
    return ObjectBody::value(text.take());
}

ObjectBody ObjectCopier::dictionaryBody(const Dict *dict)
{
    ++depth;
    TextBuffer text;
    text.append("<<\n");
    copyEntries(dict, text);
    text.append(">>\n");
    --depth;
    return ObjectBody::value(text.take());
}

// The dictionary is copied like any other, but for "ID" (a stream never
// carries one) and the length, which is rewritten when the stored bytes had
// to be found without it. An encrypted source is read through the parser's
// decryption: the output is not encrypted, so its bytes are written
// decrypted, still in their filters' encoding.
bool ObjectCopier::streamBody(Stream *stream, ObjectBody &body)
{
    Dict *dict = stream->getDict();
    if (!dict) {
        damaged = true;
        return false;
    }
    bool encrypted = source.pdf().getXRef()->isEncrypted();
    StoredExtent extent;
    std::string held; // the bytes, when they are written from memory
    if (encrypted) {
        readAll(stream->getUndecodedStream(), held);
        extent.length = static_cast<std::int64_t>(held.size());
        extent.lengthRewritten = true;
    } else if (!locateStoredBytes(source, stream, extent)) {
        damaged = true;
        return false;
    }
    Object filter = dict->lookupNF("Filter").copy();
    bool flate = compressing && (filter.isNull() || filter.isNone()) && recompress(extent, held);
    if (flate)
        extent.length = static_cast<std::int64_t>(held.size());

    ++depth;
    TextBuffer text;
    text.append("<<\n");
    copyStreamEntries(dict, extent.length, extent.lengthRewritten || flate, flate, text);
    text.append(">>\nstream\n");
    body.tail = faithfulCopy ? faithfulStreamTail : streamTail;
    if (encrypted || flate)
        text.append(held);
    else
        body.data = { source.file(), extent.offset, extent.length };
    body.text = text.take();
    --depth;
    return true;
}

void ObjectCopier::copyStreamEntries(Dict *dict, std::int64_t length, bool rewriteLength, bool flate, TextBuffer &text)
{
    bool lengthWritten = false;
    std::vector<bool> effective = effectiveEntries(dict);
    for (int i = 0; i < dict->getLength(); ++i) {
        const char *key = dict->getKey(i);
        if (std::strcmp(key, "ID") == 0 || !effective[static_cast<std::size_t>(i)])
            continue;
        if (flate && std::strcmp(key, "DecodeParms") == 0) // meaningless without a filter, wrong with one
            continue;
        if (rewriteLength && std::strcmp(key, "Length") == 0) {
            text.appendf("/Length  %lld", static_cast<long long>(length));
            lengthWritten = true;
            continue;
        }
        if (!entryHook || !entryHook(owner, key, dict->getValNF(i), text))
            copyEntry(key, dict->getValNF(i), text);
    }
    if (rewriteLength && !lengthWritten)
        text.appendf("/Length  %lld", static_cast<long long>(length));
    if (flate)
        text.append("/Filter/FlateDecode");
}

// Unfiltered bytes compressed in memory, kept only when they shrink; very
// large streams stay as they are, so memory stays bounded.
bool ObjectCopier::recompress(const StoredExtent &extent, std::string &data)
{
    constexpr std::int64_t smallest = 64, largest = std::int64_t(256) << 20;
    if (extent.length < smallest || extent.length > largest)
        return false;
    if (data.empty()) {
        data.resize(static_cast<std::size_t>(extent.length));
        if (source.file()->read(data.data(), static_cast<int>(extent.length), extent.offset) != static_cast<int>(extent.length)) {
            data.clear();
            return false;
        }
    }
    std::string compressed = deflateBytes(data);
    if (compressed.empty() || compressed.size() >= data.size())
        return false;
    data = std::move(compressed);
    return true;
}

void ObjectCopier::defer(Ref ref, int number)
{
    deferred.emplace_back(ref, number);
}

// No object is being assembled here, so what is complete can go to the file
// at once: a long chain never sits in memory as a whole.
void ObjectCopier::copyDeferredObjects()
{
    while (!deferred.empty()) {
        auto [ref, number] = deferred.front();
        deferred.pop_front();
        copyObjectAs(ref, number);
        output.writePendingObjects();
    }
}

bool ObjectCopier::takeDamage()
{
    return std::exchange(damaged, false);
}

} // namespace colligo
