// Writes the benchmark's structural worst cases with the tests' PdfBuilder:
// a DAG of nested forms (each form draws the next one twice: 2^40 paths
// through 40 objects) and a page whose resources reach a chain of 200000
// dictionaries. Usage: make-hostile-files FOLDER
#include "PdfBuilder.h"

#include <string>

using namespace testing_support;

namespace {

std::string ref(int number)
{
    return std::to_string(number) + " 0 R";
}

std::string onePage(PdfBuilder &pdf, int catalog, int pages, const std::string &resources)
{
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    int contents = pdf.addStream("", "BT /F1 24 Tf 72 700 Td (Worst case) Tj ET /Top Do");
    int page = pdf.add("<< /Type /Page /Parent " + ref(pages) + " /MediaBox [0 0 612 792] /Resources << /Font << /F1 " + ref(font) + " >> " +
                       resources + " >> /Contents " + ref(contents) + " >>");
    pdf.add("<< /Type /Pages /Count 1 /Kids [" + ref(page) + "] >>", pages);
    pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " >>", catalog);
    return pdf.build(catalog);
}

std::string nestedForms(int depth)
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();
    int first = pdf.reserve();
    for (int i = 1; i < depth; ++i)
        pdf.reserve();
    for (int i = 0; i < depth; ++i) {
        bool last = i + 1 == depth;
        std::string next = last ? "" : "/XObject << /Fa " + ref(first + i + 1) + " /Fb " + ref(first + i + 1) + " >>";
        pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 10 10] /Resources << " + next + " >>", last ? "0 0 1 1 re f" : "/Fa Do /Fb Do", first + i);
    }
    return onePage(pdf, catalog, pages, "/XObject << /Top " + ref(first) + " >>");
}

std::string dictionaryChain(int length)
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();
    int first = pdf.reserve();
    for (int i = 1; i < length; ++i)
        pdf.reserve();
    for (int i = 0; i < length; ++i)
        pdf.add(i + 1 < length ? "<< /Next " + ref(first + i + 1) + " >>" : "<< >>", first + i);
    return onePage(pdf, catalog, pages, "/Chain " + ref(first));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    std::string folder = argv[1];
    writeFile(folder + "/nested-forms.pdf", nestedForms(40));
    writeFile(folder + "/dictionary-chain.pdf", dictionaryChain(200000));
    return 0;
}
