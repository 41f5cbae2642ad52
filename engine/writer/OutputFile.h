// The output file of one PdfWriter: written front to back, never seeking.
// It hands out object numbers, records each object's offset as it is
// written, keeps the queue of complete objects waiting for their turn, and
// ends the file with the cross-reference table and the trailer.
//
// Objects reach the file in two ways: written piece by piece at once
// (startObject ... endObject: the page and resources objects), or assembled
// elsewhere and queued when complete. The queue is written out whenever no
// object is open, so contained objects still precede their containers.
//
// The compact layout (ISO 32000, 7.5.7 and 7.5.8) writes the same objects
// smaller, still in one pass: values (objects that are not streams, those
// written piece by piece included) go into compressed object streams, each
// written when it is full or at the end; stream objects are written at
// once; a cross-reference stream, carrying the trailer's entries, ends the
// file. Queued objects are written at once, since order no longer matters.
// With sharing, placeObject() writes an object once for all sources that
// hold the same one (SharedObjects.h).
#pragma once

#include "CompactLayout.h"
#include "TextBuffer.h"

#include <cstdint>
#include <cstdio>
#include <memory>
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

// What follows "n 0 obj\n": a value's text (tail null), or a stream's
// dictionary and "stream\n" (with its bytes, when they are held here), the
// stored bytes still in the source, and the tail that ends the object.
struct ObjectBody
{
    std::string text;
    StoredBytes data;
    const char *tail = nullptr;

    bool isStream() const { return tail != nullptr; }
    static ObjectBody value(std::string text)
    {
        ObjectBody body;
        body.text = std::move(text);
        return body;
    }
};

class SharedObjects;
struct Placement;

class OutputFile
{
public:
    // Object numbers 1 (information), 2 (catalogue) and 3 (page tree root)
    // are reserved and written last.
    static constexpr int infoNumber = 1;
    static constexpr int catalogNumber = 2;
    static constexpr int pageTreeNumber = 3;

    enum class Layout { classic, compact };

    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Creates or truncates the file ("w+b") and writes the header line; with
    // `binaryMarker`, also the comment of bytes above 127 that tells transfer
    // programs the file is binary (ISO 32000, 7.5.2; ISO 19005 asks for it).
    bool create(const std::string &utf8Path, bool binaryMarker = false);
    bool isOpen() const { return file != nullptr; }
    // Chooses the layout; only until the first object is written. `share`
    // (compact layout only) turns placeObject()'s deduplication on.
    bool setLayout(Layout layout, bool share);
    bool isCompact() const { return layout == Layout::compact; }
    bool sharesObjects() const { return sharing != nullptr; }

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
    // A complete object under `number`, queued (classic) or written (compact).
    void writeObject(int number, ObjectBody body);
    // Content first, number last: an object that holds what an earlier one
    // held gets that one's number; otherwise `number`, or a new number when
    // `number` is 0. Only `shareable` objects are compared (an object whose
    // identity matters, such as an annotation, never is).
    int placeObject(ObjectBody body, int number, bool shareable);
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
        int objectStream = 0; // the object stream's number for a packed value; 0: at `offset` in the file
    };
    // A written object stream, to read its values back (offset and length
    // -1 until it is written).
    struct WrittenStream
    {
        std::int64_t dataOffset, dataLength, valuesOffset;
    };

    void emit(const char *bytes, std::size_t length);
    void copyStoredBytes(const StoredBytes &data);
    void writeXrefTable();
    std::vector<XrefEntry> xrefRows(int size) const;
    void writeXrefStream();
    Placement writeCompact(int number, const ObjectBody &body);
    Placement packValue(int number, std::string_view text);
    void sealObjectStream();
    void writeSealedStream();
    bool readBack(const Placement &placement, std::int64_t at, char *bytes, std::size_t length);
    const std::string *streamValues(int index);

    std::FILE *file = nullptr;
    std::string path;
    Layout layout = Layout::classic;
    bool objectWritten = false;
    // compact layout: the object open piece by piece, and the object stream being filled
    bool collecting = false;
    int collectedNumber = 0;
    TextBuffer collected { 4096 };
    ObjectStreamBuilder packing;
    std::vector<std::size_t> packedRecords; // the records of the values in `packing`
    std::vector<WrittenStream> writtenStreams;
    std::unique_ptr<SharedObjects> sharing;
    std::unique_ptr<GooFile> reader; // the output opened a second time, to read candidates back
    RecentValues recentValues;
    SealedObjectStream sealed; // the last object stream, until the next one is sealed
    bool compressInBackground = false;
    std::int64_t offset = 0; // bytes written so far: the file position
    int lastObjectNumber = 3;
    std::vector<PendingObject> pending;
    std::vector<XrefRecord> xrefRecords;
    bool writeFailed = false;
    std::string trailerEntries;
};

} // namespace colligo
