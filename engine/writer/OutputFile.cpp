#include "OutputFile.h"

#include "Deflate.h"
#include "SharedObjects.h"
#include "platform/FileSystem.h"
#include "platform/Jobs.h"

#include <goo/gfile.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

namespace colligo {

namespace {

constexpr std::size_t copyChunk = 1 << 20;
constexpr std::string_view valueEnd = "endobj\n";
constexpr std::string_view streamEnd = "endstream\nendobj\n";

// A queued object's text "n 0 obj\n...": the stream or value it holds.
ObjectBody bodyOf(std::string text, StoredBytes data, const char *tail)
{
    std::size_t start = text.find('\n') + 1;
    std::string_view whole(text);
    ObjectBody body;
    body.data = data;
    if (data.file) {
        body.text = text.substr(start);
        body.tail = tail;
    } else if (whole.size() >= start + streamEnd.size() && whole.substr(whole.size() - streamEnd.size()) == streamEnd) {
        body.text = text.substr(start, whole.size() - start - streamEnd.size());
        body.tail = streamEnd.data();
    } else {
        std::size_t end = whole.size() >= start + valueEnd.size() && whole.substr(whole.size() - valueEnd.size()) == valueEnd
                              ? whole.size() - valueEnd.size()
                              : whole.size();
        body.text = text.substr(start, end - start);
    }
    return body;
}

std::unique_ptr<GooFile> openForReading(const std::string &utf8Path)
{
#ifdef _WIN32
    return GooFile::open(windowsPath(utf8Path).c_str());
#else
    return GooFile::open(utf8Path);
#endif
}

} // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile()
{
    if (file)
        std::fclose(file);
}

bool OutputFile::create(const std::string &utf8Path, bool binaryMarker)
{
    file = createFile(utf8Path); // "w+b", through the platform's own file names
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    path = utf8Path;
    writeText("%%PDF-1.5\n");
    if (binaryMarker)
        writeText("%%\xE2\xE3\xCF\xD3\n");
    return true;
}

bool OutputFile::setLayout(Layout chosen, bool share)
{
    if (objectWritten)
        return false;
    layout = chosen;
    compressInBackground = chosen == Layout::compact && jobCount() > 1;
    sharing.reset();
    if (chosen == Layout::compact && share)
        sharing = std::make_unique<SharedObjects>(
            [this](const Placement &placement, std::int64_t at, char *bytes, std::size_t length) { return readBack(placement, at, bytes, length); });
    return true;
}

void OutputFile::writeBytes(const char *bytes, std::size_t length)
{
    if (collecting)
        collected.append(bytes, length);
    else
        emit(bytes, length);
}

void OutputFile::emit(const char *bytes, std::size_t length)
{
    if (length == 0)
        return;
    if (std::fwrite(bytes, 1, length, file) != length)
        writeFailed = true;
    offset += static_cast<std::int64_t>(length);
}

void OutputFile::writeText(const char *format, ...)
{
    TextBuffer text(0);
    va_list args;
    va_start(args, format);
    text.vappendf(format, args);
    va_end(args);
    writeBytes(text.data(), text.size());
}

void OutputFile::writeBuffer(TextBuffer &buffer)
{
    writeBytes(buffer.data(), buffer.size());
    buffer.clear();
}

void OutputFile::startObject(int number)
{
    objectWritten = true;
    if (layout == Layout::compact) {
        collecting = true;
        collectedNumber = number;
        collected.append("<<\n");
        return;
    }
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), offset });
    writeText("%d %d obj\n<<\n", number, 0);
}

void OutputFile::endObject()
{
    if (!collecting) {
        writeText(">>\nendobj\n");
        return;
    }
    collected.append(">>\n");
    collecting = false;
    packValue(collectedNumber, std::string_view(collected.data(), collected.size()));
    collected.clear();
}

void OutputFile::queueObject(int number, std::string text, StoredBytes data, const char *tail)
{
    objectWritten = true;
    if (layout == Layout::compact)
        writeCompact(number, bodyOf(std::move(text), data, tail));
    else
        pending.push_back({ number, std::move(text), data, tail });
}

void OutputFile::writeObject(int number, ObjectBody body)
{
    objectWritten = true;
    if (layout == Layout::compact) {
        writeCompact(number, body);
        return;
    }
    std::string text = std::to_string(number) + " 0 obj\n" + body.text;
    if (!body.isStream())
        text += valueEnd;
    else if (!body.data.file)
        text += body.tail;
    pending.push_back({ number, std::move(text), body.data, body.data.file ? body.tail : "" });
}

int OutputFile::placeObject(ObjectBody body, int number, bool shareable)
{
    if (!sharing || !shareable) {
        number = number ? number : newObjectNumber();
        writeObject(number, std::move(body));
        return number;
    }
    if (int earlier = number ? 0 : sharing->find(body))
        return earlier;
    number = number ? number : newObjectNumber();
    objectWritten = true;
    Placement placement = writeCompact(number, body);
    sharing->add(body, number, placement);
    return number;
}

// A stream object goes to the file at once; a value into the object stream.
Placement OutputFile::writeCompact(int number, const ObjectBody &body)
{
    if (!body.isStream())
        return packValue(number, body.text);
    std::string prefix = std::to_string(number) + " 0 obj\n";
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), offset });
    emit(prefix.data(), prefix.size());
    Placement placement { -1, offset, 0 };
    emit(body.text.data(), body.text.size());
    if (body.data.file)
        copyStoredBytes(body.data);
    emit(body.tail, std::strlen(body.tail));
    placement.length = offset - placement.offset;
    return placement;
}

Placement OutputFile::packValue(int number, std::string_view text)
{
    int index = packing.add(number, text);
    packedRecords.push_back(xrefRecords.size());
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), index, -1 });
    Placement placement { static_cast<int>(writtenStreams.size()), packing.offsetOf(index), static_cast<std::int64_t>(text.size()) };
    if (packing.full())
        sealObjectStream();
    return placement;
}

// The values packed since the last object stream become one: numbered now,
// compressed while the next one fills (on another thread when the call has
// several), and written when that one is sealed in turn or the file ends.
// That place depends on the values alone, so the bytes are the same whatever
// the number of threads.
void OutputFile::sealObjectStream()
{
    if (packing.empty())
        return;
    int number = newObjectNumber();
    for (std::size_t record : packedRecords)
        xrefRecords[record].objectStream = number;
    packedRecords.clear();
    int index = static_cast<int>(writtenStreams.size());
    recentValues.keep(index, std::string(packing.values()));
    writeSealedStream();
    sealed = packing.take(number, compressInBackground);
    writtenStreams.push_back({ -1, -1, sealed.valuesOffset() });
}

void OutputFile::writeSealedStream()
{
    if (sealed.empty())
        return;
    int number = sealed.streamNumber();
    std::string text = sealed.text();
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), offset });
    std::size_t dataStart = text.find(">>\nstream\n") + std::strlen(">>\nstream\n");
    std::size_t dataLength = text.size() - dataStart - std::strlen("\nendstream\nendobj\n");
    WrittenStream &stream = writtenStreams.back();
    stream.dataOffset = offset + static_cast<std::int64_t>(dataStart);
    stream.dataLength = static_cast<std::int64_t>(dataLength);
    emit(text.data(), text.size());
}

void OutputFile::writePendingObjects()
{
    objectWritten = objectWritten || !pending.empty();
    for (const PendingObject &object : pending) {
        xrefRecords.push_back({ static_cast<std::uint32_t>(object.number), offset });
        emit(object.text.data(), object.text.size());
        if (object.data.file) {
            copyStoredBytes(object.data);
            emit(object.tail, std::char_traits<char>::length(object.tail));
        }
    }
    pending.clear();
}

// The length was announced in the stream's dictionary; should the source
// no longer yield every byte, zeros keep the object the announced size.
void OutputFile::copyStoredBytes(const StoredBytes &data)
{
    std::vector<char> chunk(static_cast<std::size_t>(std::min<std::int64_t>(data.length, copyChunk)));
    std::int64_t done = 0;
    while (done < data.length) {
        int wanted = static_cast<int>(std::min<std::int64_t>(data.length - done, copyChunk));
        int got = data.file->read(chunk.data(), wanted, data.offset + done);
        if (got <= 0) {
            std::fill(chunk.begin(), chunk.end(), '\0');
            got = wanted;
            writeFailed = true;
        }
        emit(chunk.data(), static_cast<std::size_t>(got));
        done += got;
    }
}

bool OutputFile::finish()
{
    if (!file)
        return false;
    writePendingObjects();
    if (layout == Layout::compact) {
        sealObjectStream();
        writeSealedStream();
        writeXrefStream();
    } else {
        writeXrefTable();
    }
    if (std::fflush(file) != 0 || std::ferror(file))
        writeFailed = true;
    if (std::fclose(file) != 0)
        writeFailed = true;
    file = nullptr;
    xrefRecords.clear();
    reader.reset();
    return !writeFailed;
}

// Rows 0..size-1 as ISO 32000, 7.5.8.3 has them; numbers never written are
// free, linked as in the table.
std::vector<XrefEntry> OutputFile::xrefRows(int size) const
{
    std::vector<XrefEntry> rows(static_cast<std::size_t>(size));
    std::vector<bool> written(rows.size(), false);
    for (const XrefRecord &record : xrefRecords) {
        if (record.number >= rows.size() || written[record.number])
            continue;
        written[record.number] = true;
        rows[record.number] = record.objectStream > 0 ? XrefEntry { XrefEntry::inStream, record.objectStream, static_cast<int>(record.offset) }
                                                      : XrefEntry { XrefEntry::inFile, record.offset, 0 };
    }
    int nextFree = 0;
    for (int n = size - 1; n >= 0; --n) {
        if (written[static_cast<std::size_t>(n)])
            continue;
        rows[static_cast<std::size_t>(n)] = { XrefEntry::free, nextFree, n == 0 ? 65535 : 1 };
        nextFree = n;
    }
    return rows;
}

void OutputFile::writeXrefStream()
{
    int number = newObjectNumber();
    std::int64_t xrefOffset = offset;
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), offset });
    std::string text = crossReferenceStream(number, xrefRows(lastObjectNumber + 1), trailerEntries);
    emit(text.data(), text.size());
    writeText("startxref\n%lld\n%%%%EOF\n", static_cast<long long>(xrefOffset));
}

// A stream object from the file; a value from its object stream, decoded
// (the one being filled is still in memory).
bool OutputFile::readBack(const Placement &placement, std::int64_t at, char *bytes, std::size_t length)
{
    if (placement.objectStream < 0) {
        if (!reader && !(reader = openForReading(path)))
            return false;
        if (std::fflush(file) != 0)
            return false;
        return reader->read(bytes, static_cast<int>(length), placement.offset + at) == static_cast<int>(length);
    }
    std::string_view values;
    if (placement.objectStream == static_cast<int>(writtenStreams.size()))
        values = packing.values();
    else if (const std::string *kept = streamValues(placement.objectStream))
        values = *kept;
    std::int64_t from = placement.offset + at;
    if (from < 0 || from + static_cast<std::int64_t>(length) > static_cast<std::int64_t>(values.size()))
        return false;
    std::memcpy(bytes, values.data() + from, length);
    return true;
}

// The values of a stream written earlier: kept, or read back and inflated
// once more. None for the stream still being compressed, should its values
// have been dropped (a single value larger than what is kept).
const std::string *OutputFile::streamValues(int index)
{
    if (const std::string *values = recentValues.find(index))
        return values;
    const WrittenStream &stream = writtenStreams[static_cast<std::size_t>(index)];
    if (stream.dataLength < 0)
        return nullptr;
    std::string compressed(static_cast<std::size_t>(stream.dataLength), '\0');
    if ((!reader && !(reader = openForReading(path))) || std::fflush(file) != 0 ||
        reader->read(compressed.data(), static_cast<int>(compressed.size()), stream.dataOffset) != static_cast<int>(compressed.size()))
        return nullptr;
    std::string decoded;
    if (!inflateBytes(compressed, decoded) || decoded.size() < static_cast<std::size_t>(stream.valuesOffset))
        return nullptr;
    recentValues.keep(index, decoded.substr(static_cast<std::size_t>(stream.valuesOffset)));
    return recentValues.find(index);
}

// One subsection from 0. A number that was handed out but never written (an
// object that could not be copied, or one set aside for a page that a stop
// left out) becomes a free entry, so that every later entry keeps its
// position; the free entries form the usual linked list.
void OutputFile::writeXrefTable()
{
    std::vector<XrefRecord> sorted = xrefRecords;
    std::stable_sort(sorted.begin(), sorted.end(), [](const XrefRecord &a, const XrefRecord &b) { return a.number < b.number; });

    std::vector<std::int64_t> offsets(static_cast<std::size_t>(lastObjectNumber) + 1, -1);
    for (const XrefRecord &record : sorted)
        if (record.number <= static_cast<std::uint32_t>(lastObjectNumber) && offsets[record.number] < 0)
            offsets[record.number] = record.offset;

    // firstFreeAfter[n]: the next free number above n, 0 at the end of the list.
    std::vector<int> firstFreeAfter(offsets.size(), 0);
    for (int n = lastObjectNumber - 1; n >= 0; --n) {
        auto i = static_cast<std::size_t>(n);
        firstFreeAfter[i] = offsets[i + 1] < 0 ? n + 1 : firstFreeAfter[i + 1];
    }

    std::int64_t xrefOffset = offset;
    writeText("xref\n%d %d\n", 0, lastObjectNumber + 1);
    writeText("%010d %05d f \n", firstFreeAfter[0], 65535);
    for (int n = 1; n <= lastObjectNumber; ++n) {
        std::int64_t at = offsets[static_cast<std::size_t>(n)];
        if (at >= 0)
            writeText("%010lld %05d n \n", static_cast<long long>(at), 0);
        else
            writeText("%010d %05d f \n", firstFreeAfter[static_cast<std::size_t>(n)], 1);
    }
    writeText("trailer\n<<\n");
    writeText("/Size %d\n", lastObjectNumber + 1);
    writeText("/Root %d %d R\n", catalogNumber, 0);
    writeText("/Info %d %d R\n", infoNumber, 0);
    writeBytes(trailerEntries.data(), trailerEntries.size());
    writeText(">>\nstartxref\n");
    writeText("%lld\n%%%%EOF\n", static_cast<long long>(xrefOffset));
}

} // namespace colligo
