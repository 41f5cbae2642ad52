// Object serialisation: turns parsed source objects into output text. Every
// dictionary, stream and array of more than 200 elements becomes an object of
// its own, numbered when first met and queued when complete; anything else is
// written in place. Stream data is copied as stored, never decoded.
#include "PdfWriter.h"

#include <Array.h>
#include <Dict.h>
#include <goo/GooString.h>
#include <PDFDoc.h>
#include <Stream.h>
#include <XRef.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <strings.h>

namespace colligo {

namespace {

constexpr int longArrayThreshold = 200;

bool isRegularNameByte(unsigned char c)
{
    if (c <= 32 || c >= 127 || c == '#')
        return false;
    return std::strchr("()<>[]{}/%", c) == nullptr;
}

// "/" and the name, with every byte that is not a regular character written as
// "#" and two hex digits ("#" itself becomes "#23", a space "#20").
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

void appendString(TextBuffer &buffer, const GooString *string)
{
    const char *bytes = string->c_str();
    int length = string->getLength();
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

void appendReference(TextBuffer &buffer, int number)
{
    buffer.appendf(" %d %d R\n", number, 0);
}

bool isLengthKey(const char *key)
{
    return strcasecmp(key, "Length") == 0;
}

// The stream's data length as its dictionary states it: the last integer entry
// whose key reads "Length" in any letter case; 0 when there is none.
int declaredStreamLength(Dict *dict)
{
    int length = 0;
    for (int i = 0; i < dict->getLength(); ++i) {
        if (!isLengthKey(dict->getKey(i)))
            continue;
        Object value = dict->getVal(i);
        if (value.isInt())
            length = value.getInt();
    }
    return length;
}

bool readAll(Stream *stream, std::size_t limit, std::string &data)
{
    std::size_t start = data.size();
    constexpr int chunk = 1 << 16;
    for (;;) {
        std::size_t wanted = std::min<std::size_t>(chunk, limit - (data.size() - start));
        if (wanted == 0)
            return true;
        std::size_t at = data.size();
        data.resize(at + wanted);
        int got = stream->doGetChars(static_cast<int>(wanted), reinterpret_cast<unsigned char *>(data.data() + at));
        data.resize(at + static_cast<std::size_t>(got > 0 ? got : 0));
        if (got <= 0)
            return true;
    }
}

} // namespace

// Keeps a source object on the chain of objects being assembled while its copy
// is written, so that a reference back to it becomes a reference to the copy.
class ChainGuard
{
public:
    ChainGuard(std::vector<ChainLink> &chain, Ref source, int outputNumber)
        : chain(chain), pushed(source != Ref::INVALID())
    {
        if (pushed)
            chain.push_back({ source, outputNumber });
    }
    ~ChainGuard()
    {
        if (pushed)
            chain.pop_back();
    }

private:
    std::vector<ChainLink> &chain;
    bool pushed;
};

bool PdfWriter::referToChainLink(const Object &unresolved, TextBuffer &buffer)
{
    if (!unresolved.isRef())
        return false;
    Ref ref = unresolved.getRef();
    for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
        if (link->source == ref) {
            appendReference(buffer, link->outputNumber);
            return true;
        }
    }
    return false;
}

bool PdfWriter::writeReachedValue(const Object &unresolved, bool inObject, TextBuffer &buffer)
{
    if (!unresolved.isRef())
        return writeValue(unresolved, Ref::INVALID(), inObject, buffer);
    if (referToChainLink(unresolved, buffer)) {
        if (!inObject)
            writeBuffer(buffer);
        return true;
    }
    Object value = source->getXRef()->fetch(unresolved.getRef());
    return writeValue(value, unresolved.getRef(), inObject, buffer);
}

bool PdfWriter::writeValue(const Object &value, Ref reachedVia, bool inObject, TextBuffer &buffer)
{
    bool written = true;
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
        appendString(buffer, value.getString());
        break;
    case objName:
        appendName(buffer, value.getName());
        buffer.append("\n");
        break;
    case objNull:
        buffer.append(" null");
        break;
    case objArray:
        if (value.arrayGetLength() > longArrayThreshold) {
            written = writeArrayObject(value.getArray(), reachedVia, buffer);
        } else {
            buffer.append("[");
            written = writeArrayElements(value.getArray(), buffer);
            buffer.append("]\n");
        }
        break;
    case objDict:
        written = writeDictionaryObject(value.getDict(), reachedVia, buffer);
        break;
    case objStream:
        written = writeStreamObject(value.getStream(), reachedVia, buffer);
        break;
    default: // an unresolved reference, a command, an error or end-of-file token
        written = false;
        break;
    }
    // Text bound for the file goes out only once the whole value is complete.
    if (written && !inObject)
        writeBuffer(buffer);
    return written;
}

bool PdfWriter::writeArrayElements(const Array *array, TextBuffer &buffer)
{
    for (int i = 0; i < array->getLength(); ++i) {
        const Object &element = array->getNF(i);
        if (element.isNone())
            continue;
        if (!writeReachedValue(element, true, buffer))
            return false;
    }
    return true;
}

bool PdfWriter::writeArrayObject(const Array *array, Ref reachedVia, TextBuffer &buffer)
{
    int number = newObjectNumber();
    appendReference(buffer, number);
    ChainGuard onChain(chain, reachedVia, number);

    TextBuffer object(16 * static_cast<std::size_t>(array->getLength()) + 10240);
    object.appendf("%d %d obj\n[\n", number, 0);
    if (!writeArrayElements(array, object))
        return false;
    object.append("]\nendobj\n");
    queueObject(object.take(), number);
    return true;
}

bool PdfWriter::writeDictionaryObject(const Dict *dict, Ref reachedVia, TextBuffer &buffer)
{
    int number = newObjectNumber();
    appendReference(buffer, number);
    ChainGuard onChain(chain, reachedVia, number);

    int entries = dict->getLength();
    TextBuffer object(entries < 50 ? 2048 : 50 * static_cast<std::size_t>(entries));
    object.appendf("%d %d obj\n<<\n", number, 0);
    for (int i = 0; i < entries; ++i) {
        appendName(object, dict->getKey(i));
        object.append(" ");
        if (!writeReachedValue(dict->getValNF(i), true, object))
            return false;
    }
    object.append(">>\nendobj\n");
    queueObject(object.take(), number);
    return true;
}

bool PdfWriter::writeStreamObject(Stream *stream, Ref reachedVia, TextBuffer &buffer)
{
    Dict *dict = stream->getDict();
    if (!dict)
        return false;
    int number = newObjectNumber();
    appendReference(buffer, number);
    ChainGuard onChain(chain, reachedVia, number);

    int declaredLength = declaredStreamLength(dict);
    std::string data;
    bool lengthChanged = false;
    if (declaredLength >= 1 && !readStreamData(stream, declaredLength, data, lengthChanged))
        return false;

    TextBuffer object(102400);
    object.appendf("%d %d obj\n<<\n", number, 0);
    for (int i = 0; i < dict->getLength(); ++i) {
        const char *key = dict->getKey(i);
        if (std::strcmp(key, "ID") == 0)
            continue;
        appendName(object, key);
        object.append(" ");
        const Object &unresolved = dict->getValNF(i);
        if (lengthChanged && isLengthKey(key) && dict->getVal(i).isInt()) {
            object.appendf(" %d", static_cast<int>(data.size()));
            continue;
        }
        if (!writeReachedValue(unresolved, true, object))
            return false;
    }
    object.append(">>\nstream\n");
    object.append(data.data(), data.size());
    object.append("endstream\nendobj\n");
    queueObject(object.take(), number);
    return true;
}

// The stream's stored bytes. From a plain source they are the `declaredLength`
// bytes at the data start the parser found (its own stream object knows where
// the keyword's line ends, which a text search could get wrong). An encrypted
// source is read through the parser's decryption: the output is not encrypted,
// so its bytes are written decrypted, still in their filters' encoding, and the
// Length entry is set to the count actually written.
bool PdfWriter::readStreamData(Stream *stream, int declaredLength, std::string &data, bool &lengthChanged)
{
    if (source->getXRef()->isEncrypted()) {
        Stream *stored = stream->getUndecodedStream();
        stored->reset();
        readAll(stored, static_cast<std::size_t>(-1) / 2, data);
        stored->close();
        lengthChanged = true;
        return true;
    }
    Goffset start = stream->getBaseStream()->getStart();
    std::unique_ptr<Stream> window(source->getBaseStream()->makeSubStream(start, true, declaredLength, Object(objNull)));
    window->reset();
    data.reserve(static_cast<std::size_t>(declaredLength));
    readAll(window.get(), static_cast<std::size_t>(declaredLength), data);
    window->close();
    return data.size() == static_cast<std::size_t>(declaredLength);
}

bool PdfWriter::writeResources(const Dict *resources)
{
    for (int i = 0; i < resources->getLength(); ++i) {
        const char *key = resources->getKey(i);
        appendName(lineBuffer, key);
        const Object &unresolved = resources->getValNF(i);
        bool written;
        if (std::strcmp(key, "Font") == 0)
            written = writeSharedDictionary(unresolved.fetch(source->getXRef()), fontMap, lineBuffer);
        else if (std::strcmp(key, "XObject") == 0)
            written = writeSharedDictionary(unresolved.fetch(source->getXRef()), xobjectMap, lineBuffer);
        else
            written = writeReachedValue(unresolved, false, lineBuffer);
        if (!written) {
            lineBuffer.clear(); // an unfinished entry would break the dictionary
            return false;
        }
    }
    return true;
}

// A page's Font or XObject dictionary: the dictionary itself is a new object on
// every page, but each font or external object it names is copied once per
// source document and referred to by number afterwards.
bool PdfWriter::writeSharedDictionary(const Object &dictionary, SharedObjectMap &map, TextBuffer &buffer)
{
    if (!dictionary.isDict())
        return false;
    const Dict *dict = dictionary.getDict();
    int number = newObjectNumber();
    appendReference(buffer, number);

    TextBuffer object(dict->getLength() < 50 ? 2048 : 50 * static_cast<std::size_t>(dict->getLength()));
    object.appendf("%d %d obj\n<<\n", number, 0);
    for (int i = 0; i < dict->getLength(); ++i) {
        appendName(object, dict->getKey(i));
        object.append(" ");
        const Object &unresolved = dict->getValNF(i);
        if (!unresolved.isRef()) {
            if (!writeValue(unresolved, Ref::INVALID(), true, object))
                return false;
            continue;
        }
        Ref ref = unresolved.getRef();
        auto shared = std::find_if(map.begin(), map.end(), [&](const SharedObjectEntry &e) { return e.sourceNumber == ref.num; });
        if (shared != map.end()) {
            object.appendf(" %d 0 R", shared->outputNumber);
            continue;
        }
        if (referToChainLink(unresolved, object))
            continue;
        Object value = source->getXRef()->fetch(ref);
        if (value.isNone())
            return false;
        // Only a value that becomes an object of its own can be shared.
        if (value.isDict() || value.isStream() || (value.isArray() && value.arrayGetLength() > longArrayThreshold))
            map.push_back({ ref.num, lastObjectNumber + 1 });
        if (!writeValue(value, ref, true, object))
            return false;
    }
    object.append(">>\nendobj\n");
    queueObject(object.take(), number);
    writeBuffer(buffer);
    return true;
}

} // namespace colligo
