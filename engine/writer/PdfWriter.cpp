// The writer's skeleton: creation, the output primitives, and finish().
#include "PdfWriter.h"

#include "api/FileSystem.h"
#include "api/WideText.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

namespace colligo {

namespace {

// Replaces, after the last separator, every character that is neither a letter,
// a digit nor '.' by a space. A surrogate pair is judged as the one character it
// encodes; an unpaired surrogate is never a letter.
void sanitiseFileName(char16_t *path)
{
    std::size_t length = wideLength(path);
    std::size_t start = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (isPathSeparator(path[i]))
            start = i + 1;
    for (std::size_t i = start; i < length; ++i) {
        char32_t c = path[i];
        bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < length && path[i + 1] >= 0xDC00 && path[i + 1] <= 0xDFFF;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (path[i + 1] - 0xDC00);
        bool keep = c == '.' || isLetterOrDigit(c);
        if (pair) {
            if (!keep)
                path[i] = path[i + 1] = u' ';
            ++i;
        } else if (!keep) {
            path[i] = u' ';
        }
    }
}

} // namespace

PdfWriter::PdfWriter(const char *outputPath, const char *title_)
{
    if (title_)
        std::strncpy(title.data(), title_, title.size() - 1);
    if (outputPath)
        openOutput(outputPath);
    if (!outputFile) {
        ok = false;
        return;
    }
    writeHeader();
}

PdfWriter::PdfWriter(char16_t *outputPath, const char *title_)
{
    if (title_)
        std::strncpy(title.data(), title_, title.size() - 1);
    if (outputPath) {
        if (auto path = utf16ToUtf8(outputPath))
            openOutput(*path);
        if (!outputFile) {
            sanitiseFileName(outputPath);
            if (auto path = utf16ToUtf8(outputPath))
                openOutput(*path);
        }
    }
    if (!outputFile) {
        ok = false;
        return;
    }
    writeHeader();
}

PdfWriter::~PdfWriter()
{
    if (outputFile)
        std::fclose(outputFile);
}

void PdfWriter::openOutput(const std::string &path)
{
    outputFile = createFile(path);
    if (outputFile)
        std::setvbuf(outputFile, nullptr, _IOFBF, 1 << 16);
}

void PdfWriter::writeHeader()
{
    // Written as text: printf's %f would follow the host's decimal comma.
    writeText("%%PDF-1.5\n");
}

void PdfWriter::writeBytes(const char *bytes, std::size_t length)
{
    std::fwrite(bytes, 1, length, outputFile);
    outputOffset += static_cast<std::int64_t>(length);
}

void PdfWriter::writeText(const char *format, ...)
{
    TextBuffer text(0);
    va_list args;
    va_start(args, format);
    text.vappendf(format, args);
    va_end(args);
    writeBytes(text.data(), text.size());
}

void PdfWriter::startObject(int number)
{
    xrefRecords.push_back({ static_cast<std::uint32_t>(number), outputOffset });
    writeText("%d %d obj\n<<\n", number, 0);
}

void PdfWriter::endObject()
{
    writeText(">>\nendobj\n");
}

void PdfWriter::writeBuffer(TextBuffer &buffer)
{
    writeBytes(buffer.data(), buffer.size());
    buffer.clear();
}

void PdfWriter::queueObject(std::string text, int number)
{
    pendingObjects.push_back({ std::move(text), number });
}

void PdfWriter::writePendingObjects()
{
    for (PendingObject &object : pendingObjects) {
        xrefRecords.push_back({ static_cast<std::uint32_t>(object.number), outputOffset });
        writeBytes(object.text.data(), object.text.size());
    }
    pendingObjects.clear();
}

void PdfWriter::finish()
{
    if (!outputFile)
        return;

    startObject(3);
    writeText("/Type/Pages\n");
    writeText("/Count %d\n", static_cast<int>(pageObjects.size()));
    writeText("/Kids[");
    for (const PageRecord &page : pageObjects)
        writeText("%d %d R ", page.number, 0);
    writeText("]\n");
    endObject();

    startObject(1);
    writeText("/Creator(Tessaly.dll)\n");
    writeBytes("/Title(", 7);
    writeBytes(title.data(), std::strlen(title.data()));
    writeBytes(")\n", 2);
    endObject();

    startObject(2);
    writeText("/Type/Catalog\n");
    writeText("/Pages %d %d R\n", 3, 0);
    endObject();

    writeXrefTable();

    std::fclose(outputFile);
    outputFile = nullptr;
    pendingObjects.clear();
    xrefRecords.clear();
}

// One subsection from 0. A number that was handed out but never written (its
// object was abandoned when a page failed) becomes a free entry, so that every
// later entry keeps its position; the free entries form the usual linked list.
void PdfWriter::writeXrefTable()
{
    std::vector<XrefRecord> sorted = xrefRecords;
    std::sort(sorted.begin(), sorted.end(), [](const XrefRecord &a, const XrefRecord &b) { return a.number < b.number; });

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

    xrefOffset = outputOffset;
    writeText("xref\n%d %d\n", 0, lastObjectNumber + 1);
    writeText("%010d %05d f \n", firstFreeAfter[0], 65535);
    for (int n = 1; n <= lastObjectNumber; ++n) {
        std::int64_t offset = offsets[static_cast<std::size_t>(n)];
        if (offset >= 0)
            writeText("%010lld %05d n \n", static_cast<long long>(offset), 0);
        else
            writeText("%010d %05d f \n", firstFreeAfter[static_cast<std::size_t>(n)], 1);
    }
    writeText("trailer\n<<\n");
    writeText("/Size %d\n", lastObjectNumber + 1);
    writeText("/Root %d %d R\n", 2, 0);
    writeText("/Info %d %d R\n", 1, 0);
    writeText(">>\nstartxref\n");
    writeText("%lld\n%%%%EOF\n", static_cast<long long>(xrefOffset));
}

} // namespace colligo
