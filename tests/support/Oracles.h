// Independent readers that judge what the engine writes: qpdf's structural
// check, and poppler-utils' pdftotext for the text of each page.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct CommandResult
{
    int status;
    std::string output; // standard output and standard error together
};

CommandResult runCommand(const std::string &command);
std::string shellQuote(const std::string &text);

// `qpdf --check`: true when it reports no errors or warnings.
bool qpdfCheckPasses(const std::string &path, std::string *report = nullptr);
int qpdfPageCount(const std::string &path);
// Text of one page (1-based) as pdftotext lays it out.
std::string pageText(const std::string &path, int page);
// Text of every page, in one pdftotext run (index 0 is page 1).
std::vector<std::string> allPageTexts(const std::string &path);

// What pikepdf (on qpdf) reads of the file's navigation, one line per item:
// `what` is links, outline, dests, fields or labels (see navigation_oracle.py).
std::vector<std::string> navigationLines(const std::string &what, const std::string &path);

// Encrypts `in` into `out` with qpdf (`restrictions` are extra qpdf options such
// as "--print=none"); an empty user password lets anyone open the file.
void encryptWithQpdf(const std::string &in, const std::string &out, const std::string &userPassword,
                     const std::string &ownerPassword, const std::string &restrictions = "", int keyBits = 128);

// Checks that every page of `output` holds the text of the listed source page
// (file, page) in order, and that qpdf finds the file sound. Fails the test
// with a clear message otherwise.
struct SourcePage
{
    std::string file;
    int page;
};
void expectPagesMatch(const std::string &output, const std::vector<SourcePage> &expected);

} // namespace testing_support
