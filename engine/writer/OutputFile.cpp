#include "OutputFile.h"

#include "api/FileSystem.h"

#include <goo/gfile.h>

#include <algorithm>
#include <cstdarg>

namespace colligo {

namespace {

constexpr std::size_t copyChunk = 1 << 20;

} // namespace

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
    writeText("%%PDF-1.5\n");
    if (binaryMarker)
        writeText("%%\xE2\xE3\xCF\xD3\n");
    return true;
}

void OutputFile::writeBytes(const char *bytes, std::size_t length)
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
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), offset });
    writeText("%d %d obj\n<<\n", number, 0);
}

void OutputFile::endObject()
{
    writeText(">>\nendobj\n");
}

void OutputFile::queueObject(int number, std::string text, StoredBytes data, const char *tail)
{
    pending.push_back({ number, std::move(text), data, tail });
}

void OutputFile::writePendingObjects()
{
    for (const PendingObject &object : pending) {
        xrefRecords.push_back({ static_cast<std::uint32_t>(object.number), offset });
        writeBytes(object.text.data(), object.text.size());
        if (object.data.file) {
            copyStoredBytes(object.data);
            writeBytes(object.tail, std::char_traits<char>::length(object.tail));
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
        writeBytes(chunk.data(), static_cast<std::size_t>(got));
        done += got;
    }
}

bool OutputFile::finish()
{
    if (!file)
        return false;
    writePendingObjects();
    writeXrefTable();
    if (std::fflush(file) != 0 || std::ferror(file))
        writeFailed = true;
    if (std::fclose(file) != 0)
        writeFailed = true;
    file = nullptr;
    xrefRecords.clear();
    return !writeFailed;
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
