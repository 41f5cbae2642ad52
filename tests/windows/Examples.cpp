#include "Examples.h"

#include "PdfBuilder.h"
#include "WineSupport.h"

using namespace testing_support;

namespace wine_testing {

namespace {

// An outline entry: its title as a PDF string token, its page, its children.
struct Entry
{
    std::string title;
    int page;
    std::vector<Entry> kids = {};
};

// A document of `pageCount` text pages with the outline `entries`.
std::string outlineDocument(int pageCount, const std::vector<Entry> &entries)
{
    PdfBuilder pdf;
    const int catalog = pdf.reserve();
    const int pagesNode = pdf.reserve();
    const int outlines = pdf.reserve();
    const int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::vector<int> pages;
    std::string kids;
    for (int k = 1; k <= pageCount; ++k) {
        const int contents = pdf.addStream("", "BT /F1 24 Tf 72 700 Td (Book page " + std::to_string(k) + ") Tj ET");
        pages.push_back(pdf.add("<< /Type /Page /Parent " + std::to_string(pagesNode) + " 0 R /Resources << /Font << /F1 " +
                                std::to_string(font) + " 0 R >> >> /Contents " + std::to_string(contents) + " 0 R >>"));
        kids += std::to_string(pages.back()) + " 0 R ";
    }
    // Returns the first and last item of a list of siblings.
    auto addList = [&](auto &self, const std::vector<Entry> &list, int parent) -> std::pair<int, int> {
        std::vector<int> numbers;
        for (std::size_t i = 0; i < list.size(); ++i)
            numbers.push_back(pdf.reserve());
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::string body = "<< /Title " + list[i].title + " /Parent " + std::to_string(parent) + " 0 R /Dest [" +
                               std::to_string(pages.at(static_cast<std::size_t>(list[i].page - 1))) + " 0 R /Fit]";
            if (i > 0)
                body += " /Prev " + std::to_string(numbers[i - 1]) + " 0 R";
            if (i + 1 < list.size())
                body += " /Next " + std::to_string(numbers[i + 1]) + " 0 R";
            if (!list[i].kids.empty()) {
                auto [first, last] = self(self, list[i].kids, numbers[i]);
                body += " /First " + std::to_string(first) + " 0 R /Last " + std::to_string(last) + " 0 R /Count " +
                        std::to_string(list[i].kids.size());
            }
            pdf.add(body + " >>", numbers[i]);
        }
        return { numbers.front(), numbers.back() };
    };
    auto [first, last] = addList(addList, entries, outlines);
    pdf.add("<< /Type /Outlines /First " + std::to_string(first) + " 0 R /Last " + std::to_string(last) + " 0 R /Count " +
                std::to_string(entries.size()) + " >>",
            outlines);
    pdf.add("<< /Type /Pages /MediaBox [0 0 612 792] /Count " + std::to_string(pageCount) + " /Kids [" + kids + "] >>", pagesNode);
    pdf.add("<< /Type /Catalog /Pages " + std::to_string(pagesNode) + " 0 R /Outlines " + std::to_string(outlines) + " 0 R >>",
            catalog);
    return pdf.build(catalog);
}

const char *const realDocuments[] = { "R-admin.pdf", "refcard-a4.pdf", "gnuplot.pdf" };

} // namespace

void writeExamples(const std::string &folder)
{
    writeTextDocument(folder + "/a.pdf", 3, "Alpha");
    writeTextDocument(folder + "/b.pdf", 5, "Beta");
    // Titles: "Einführung" and "第二章" in UTF-16, one with a slash, a child
    // sharing its parent's page.
    writeFile(folder + "/book.pdf",
              outlineDocument(7, {
                                     { "(Preface)", 2 },
                                     { "<FEFF00450069006E006600FC006800720075006E0067>", 3, { { "(Part 1/2)", 3 }, { "(Details)", 4 } } },
                                     { "<FEFF7B2C4E8C7AE0>", 6 },
                                 }));
    for (const char *name : realDocuments)
        copyFile(realDocument(name), folder + "/" + name);
}

std::vector<std::string> exampleNames()
{
    std::vector<std::string> names { "a.pdf", "b.pdf", "book.pdf" };
    names.insert(names.end(), std::begin(realDocuments), std::end(realDocuments));
    return names;
}

} // namespace wine_testing
