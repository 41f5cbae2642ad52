// The documents the Wine tests feed both builds: exact examples written by
// PdfBuilder, and real documents from Debian's documentation packages.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wine_testing {

// Writes the examples into `folder`: a.pdf (3 pages "Alpha"), b.pdf (5 pages
// "Beta"), book.pdf (7 pages with a two-level outline whose titles are in
// several scripts), and the real documents under their own names.
void writeExamples(const std::string &folder);

// The examples' file names, for copying them where a test runs.
std::vector<std::string> exampleNames();

} // namespace wine_testing
