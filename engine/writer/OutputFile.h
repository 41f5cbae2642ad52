// The output file of one PdfWriter: written front to back, never seeking.
// It hands out object numbers, records each object's offset as it is
// written, keeps the queue of complete objects waiting for their turn, and
// ends the file with the cross-reference table and the trailer.
//
// Objects reach the file in two ways: written piece by piece at once
// (startObject ... endObject: the page and resources objects), or assembled
// elsewhere and queued when complete. The queue is written out whenever no
// object is open, so contained objects still precede their containers.
#pragma once

#include "TextBuffer.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class GooFile;

namespace colligo {

// Stored stream bytes still in a source file, copied when their object is
// written, so that no stream's data needs to sit in memory.
struct StoredBytes
{
    GooFile *file = nullptr;
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

class OutputFile
{
public:
    // Object numbers 1 (information), 2 (catalogue) and 3 (page tree root)
    // are reserved and written last.
    static constexpr int infoNumber = 1;
    static constexpr int catalogNumber = 2;
    static constexpr int pageTreeNumber = 3;

    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Creates or truncates the file ("w+b") and writes the header line; with
    // `binaryMarker`, also the comment of bytes above 127 that tells transfer
    // programs the file is binary (ISO 32000, 7.5.2; ISO 19005 asks for it).
    bool create(const std::string &utf8Path, bool binaryMarker = false);
    bool isOpen() const { return file != nullptr; }

    int newObjectNumber() { return ++lastObjectNumber; }
    int lastNumber() const { return lastObjectNumber; }

    void writeText(const char *format, ...) __attribute__((format(printf, 2, 3)));
    void writeBytes(const char *bytes, std::size_t length);
    // Writes the buffer's text and empties it.
    void writeBuffer(TextBuffer &buffer);
    // "n 0 obj\n<<\n", recording the object's offset; endObject() closes it.
    void startObject(int number);
    void endObject();

    // A complete object: `text`, then (for a stream) the stored bytes and `tail`.
    void queueObject(int number, std::string text, StoredBytes data = {}, const char *tail = "");
    // Writes the queued objects in queue order.
    void writePendingObjects();
    bool hasPendingObjects() const { return !pending.empty(); }
    std::size_t pendingCount() const { return pending.size(); }

    // Further trailer entries ("/ID[...]"), written before the trailer's end.
    void setTrailerEntries(std::string entries) { trailerEntries = std::move(entries); }
    std::int64_t bytesWritten() const { return offset; }

    // The cross-reference table and trailer; closes the file. False when any
    // write failed (a full disk, say): the file is then not complete.
    bool finish();
    // Whether every write so far succeeded.
    bool healthy() const { return !writeFailed; }

private:
    struct PendingObject
    {
        int number;
        std::string text;
        StoredBytes data;
        const char *tail;
    };
    struct XrefRecord
    {
        std::uint32_t number;
        std::int64_t offset;
    };

    void copyStoredBytes(const StoredBytes &data);
    void writeXrefTable();

    std::FILE *file = nullptr;
    std::int64_t offset = 0; // bytes written so far: the file position
    int lastObjectNumber = 3;
    std::vector<PendingObject> pending;
    std::vector<XrefRecord> xrefRecords;
    bool writeFailed = false;
    std::string trailerEntries;
};

} // namespace colligo
