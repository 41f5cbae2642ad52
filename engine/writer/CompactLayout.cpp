#include "CompactLayout.h"

#include "Deflate.h"
#include "OutputFile.h"
#include "TextBuffer.h"

#include <algorithm>

namespace colligo {

int ObjectStreamBuilder::add(int number, std::string_view text)
{
    numbers.push_back(number);
    offsets.push_back(static_cast<std::int64_t>(bodies.size()));
    bodies.append(text);
    if (bodies.empty() || bodies.back() != '\n')
        bodies.push_back('\n');
    return static_cast<int>(numbers.size()) - 1;
}

SealedObjectStream ObjectStreamBuilder::take(int streamNumber, bool inBackground)
{
    TextBuffer header(numbers.size() * 12 + 16);
    for (std::size_t i = 0; i < numbers.size(); ++i)
        header.appendf("%d %lld\n", numbers[i], static_cast<long long>(offsets[i]));
    auto valuesOffset = static_cast<std::int64_t>(header.size());
    std::string data = header.take() + bodies;
    SealedObjectStream sealed(streamNumber, numbers.size(), valuesOffset, std::move(data), inBackground);
    numbers.clear();
    offsets.clear();
    bodies.clear();
    return sealed;
}

// Deflate gives the same bytes on any thread; a deferred task runs when text() asks.
SealedObjectStream::SealedObjectStream(int number, std::size_t count, std::int64_t valuesOffset, std::string data, bool inBackground)
    : number(number), count(count), first(valuesOffset),
      compressed(std::async(inBackground ? std::launch::async : std::launch::deferred,
                            [data = std::move(data)] { return deflateBytes(data); }))
{
}

std::string SealedObjectStream::text()
{
    std::string bytes = compressed.get();
    TextBuffer text(bytes.size() + 128);
    text.appendf("%d 0 obj\n<</Type/ObjStm/N %zu/First %lld/Filter/FlateDecode/Length %zu>>\nstream\n", number, count,
                 static_cast<long long>(first), bytes.size());
    text.append(bytes);
    text.append("\nendstream\nendobj\n");
    number = 0;
    return text.take();
}

void RecentValues::keep(int index, std::string values)
{
    bytes += values.size();
    recency.push_front(index);
    kept[index] = { std::move(values), recency.begin() };
    while (bytes > budget && recency.size() > 1) {
        auto oldest = kept.find(recency.back());
        bytes -= oldest->second.first.size();
        kept.erase(oldest);
        recency.pop_back();
    }
}

const std::string *RecentValues::find(int index)
{
    auto found = kept.find(index);
    if (found == kept.end())
        return nullptr;
    recency.splice(recency.begin(), recency, found->second.second);
    return &found->second.first;
}

namespace {

int bytesFor(std::int64_t value)
{
    int bytes = 1;
    while (bytes < 8 && (value >> (8 * bytes)) != 0)
        ++bytes;
    return bytes;
}

void putBigEndian(std::string &row, std::int64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        row.push_back(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
}

// Rows with the PNG "Up" predictor (ISO 32000, 7.4.4.4): each byte less the
// one above it, so the columns of growing offsets compress well.
std::string predictedRows(const std::vector<XrefEntry> &rows, int width2)
{
    const std::size_t columns = 1 + static_cast<std::size_t>(width2) + 2;
    std::string out;
    out.reserve(rows.size() * (columns + 1));
    std::string previous(columns, '\0'), row;
    for (const XrefEntry &entry : rows) {
        row.clear();
        row.push_back(static_cast<char>(entry.type));
        putBigEndian(row, entry.field2, width2);
        putBigEndian(row, entry.field3, 2);
        out.push_back(2);
        for (std::size_t i = 0; i < columns; ++i)
            out.push_back(static_cast<char>(row[i] - previous[i]));
        previous.swap(row);
    }
    return out;
}

} // namespace

std::string crossReferenceStream(int number, const std::vector<XrefEntry> &rows, const std::string &trailerEntries)
{
    std::int64_t largest = 0;
    for (const XrefEntry &entry : rows)
        largest = std::max(largest, entry.field2);
    int width2 = bytesFor(largest);
    std::string compressed = deflateBytes(predictedRows(rows, width2));

    TextBuffer text(compressed.size() + 256 + trailerEntries.size());
    text.appendf("%d 0 obj\n<</Type/XRef/Size %zu/W[1 %d 2]\n", number, rows.size(), width2);
    text.appendf("/Root %d 0 R\n/Info %d 0 R\n", OutputFile::catalogNumber, OutputFile::infoNumber);
    text.append(trailerEntries);
    text.appendf("/Filter/FlateDecode/DecodeParms<</Predictor 12/Columns %d>>/Length %zu>>\nstream\n", 1 + width2 + 2, compressed.size());
    text.append(compressed);
    text.append("\nendstream\nendobj\n");
    return text.take();
}

} // namespace colligo
