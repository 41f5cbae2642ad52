// Writes PDF files byte for byte as a test states them: objects are given as
// text, and the builder adds the header, a correct cross-reference table and
// the trailer. What the engine is fed is therefore exactly what the test says.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

class PdfBuilder
{
public:
    // Adds "N 0 obj\n<body>\nendobj\n" with the next free number (or `number`).
    int add(const std::string &body, int number = 0);
    // Adds a stream object: "<<dictEntries /Length n>>\nstream\n<data>\nendstream".
    int addStream(const std::string &dictEntries, const std::string &data, int number = 0);
    // Reserves a number for an object added later.
    int reserve() { return ++lastNumber; }
    // Says that object `number` is the `index`th object of the object stream
    // `streamNumber`, whatever else was added under that number; only a
    // cross-reference stream can say so. The test writes the object stream.
    void placeInObjectStream(int number, int streamNumber, int index);
    // The whole file; `trailerExtra` goes into the trailer dictionary.
    std::string build(int rootNumber, const std::string &trailerExtra = "") const;
    // The same with a cross-reference stream (PDF 1.5) in place of the table.
    std::string buildWithXRefStream(int rootNumber) const;
    void save(const std::string &path, int rootNumber, const std::string &trailerExtra = "") const;

private:
    // The header line and every object, with where each begins.
    std::string headerAndObjects(const std::string &version, std::map<int, std::size_t> &offsets) const;

    int lastNumber = 0;
    std::map<int, std::string> objects; // number -> complete object text
    std::map<int, std::pair<int, int>> compressed; // number -> object stream, index
};

// A document of `pageCount` pages; page k shows the text "<label> page k" in
// Helvetica, and the pages share one font object.
std::string textDocument(int pageCount, const std::string &label = "Sample");
void writeTextDocument(const std::string &path, int pageCount, const std::string &label = "Sample");

// A document with everything a reader navigates by, for `pageCount` >= 3
// pages showing "<label> page k": an outline (an item per page, the second
// with a child, and a web link), links on page 1 to every page, to the named
// destination "shared" (page 2) and to the web, named destinations "shared"
// and "pk" for each page k, a note with its pop-up on page 2, page labels
// (i, ii, then ...), and a form: a text field "name" holding
// `value` on page 1, and a field "choice" with widgets on pages 1 and 3.
std::string navigationDocument(int pageCount, const std::string &label, const std::string &value);

void writeFile(const std::string &path, const std::string &bytes);
std::string readFile(const std::string &path);

} // namespace testing_support
