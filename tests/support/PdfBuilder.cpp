#include "PdfBuilder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace testing_support {

int PdfBuilder::add(const std::string &body, int number)
{
    if (number == 0)
        number = ++lastNumber;
    else if (number > lastNumber)
        lastNumber = number;
    objects[number] = std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    return number;
}

int PdfBuilder::addStream(const std::string &dictEntries, const std::string &data, int number)
{
    return add("<<" + dictEntries + " /Length " + std::to_string(data.size()) + ">>\nstream\n" + data + "\nendstream", number);
}

std::string PdfBuilder::headerAndObjects(const std::string &version, std::map<int, std::size_t> &offsets) const
{
    std::string out = "%PDF-" + version + "\n%\xE2\xE3\xCF\xD3\n";
    for (const auto &[number, text] : objects) {
        offsets[number] = out.size();
        out += text;
    }
    return out;
}

std::string PdfBuilder::build(int rootNumber, const std::string &trailerExtra) const
{
    std::map<int, std::size_t> offsets;
    std::string out = headerAndObjects("1.4", offsets);
    std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(lastNumber + 1) + "\n0000000000 65535 f \n";
    char line[32];
    for (int n = 1; n <= lastNumber; ++n) {
        auto found = offsets.find(n);
        if (found == offsets.end())
            std::snprintf(line, sizeof line, "%010d %05d f \n", 0, 1);
        else
            std::snprintf(line, sizeof line, "%010zu %05d n \n", found->second, 0);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(lastNumber + 1) + " /Root " + std::to_string(rootNumber) + " 0 R " + trailerExtra +
           ">>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

void PdfBuilder::placeInObjectStream(int number, int streamNumber, int index)
{
    lastNumber = std::max(lastNumber, number);
    compressed[number] = { streamNumber, index };
}

// Entries of five bytes, /W [1 3 1]: the type, then the offset or the object
// stream's number, then the generation or the index; no filter.
std::string PdfBuilder::buildWithXRefStream(int rootNumber) const
{
    std::map<int, std::size_t> offsets;
    std::string out = headerAndObjects("1.5", offsets);
    const int self = lastNumber + 1;
    offsets[self] = out.size();
    auto entry = [](int type, std::size_t field2, int field3) {
        return std::string { static_cast<char>(type), static_cast<char>(field2 >> 16), static_cast<char>(field2 >> 8), static_cast<char>(field2),
                             static_cast<char>(field3) };
    };
    std::string entries = entry(0, 0, 255);
    for (int n = 1; n <= self; ++n) {
        if (auto packed = compressed.find(n); packed != compressed.end())
            entries += entry(2, static_cast<std::size_t>(packed->second.first), packed->second.second);
        else if (auto found = offsets.find(n); found != offsets.end())
            entries += entry(1, found->second, 0);
        else
            entries += entry(0, 0, 1);
    }
    out += std::to_string(self) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(self + 1) + " /W [1 3 1] /Root " + std::to_string(rootNumber) +
           " 0 R /Length " + std::to_string(entries.size()) + " >>\nstream\n" + entries + "\nendstream\nendobj\n";
    out += "startxref\n" + std::to_string(offsets[self]) + "\n%%EOF\n";
    return out;
}

void PdfBuilder::save(const std::string &path, int rootNumber, const std::string &trailerExtra) const
{
    writeFile(path, build(rootNumber, trailerExtra));
}

std::string textDocument(int pageCount, const std::string &label)
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::string kids;
    for (int k = 1; k <= pageCount; ++k) {
        std::string text = "BT /F1 24 Tf 72 700 Td (" + label + " page " + std::to_string(k) + ") Tj ET";
        int contents = pdf.addStream("", text);
        int page = pdf.add("<< /Type /Page /Parent " + std::to_string(pages) + " 0 R /Resources << /Font << /F1 " + std::to_string(font) +
                           " 0 R >> >> /Contents " + std::to_string(contents) + " 0 R >>");
        kids += std::to_string(page) + " 0 R ";
    }
    pdf.add("<< /Type /Pages /MediaBox [0 0 612 792] /Count " + std::to_string(pageCount) + " /Kids [" + kids + "] >>", pages);
    pdf.add("<< /Type /Catalog /Pages " + std::to_string(pages) + " 0 R >>", catalog);
    return pdf.build(catalog);
}

std::string navigationDocument(int pageCount, const std::string &label, const std::string &value)
{
    PdfBuilder pdf;
    int catalog = pdf.reserve();
    int pages = pdf.reserve();
    int font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::vector<int> page(static_cast<std::size_t>(pageCount) + 1);
    for (int k = 1; k <= pageCount; ++k)
        page[static_cast<std::size_t>(k)] = pdf.reserve();
    auto ref = [](int number) { return std::to_string(number) + " 0 R"; };
    auto pageRef = [&](int k) { return ref(page[static_cast<std::size_t>(k)]); };

    // Form: "name" (one widget, page 1) and "choice" (widgets on pages 1 and 3).
    int nameField = pdf.add("<< /Type /Annot /Subtype /Widget /FT /Tx /T (name) /V (" + value + ") /Rect [72 500 272 520] /P " + pageRef(1) +
                            " /F 4 >>");
    int choice = pdf.reserve();
    int choiceA = pdf.add("<< /Type /Annot /Subtype /Widget /Parent " + ref(choice) + " /Rect [72 450 92 470] /P " + pageRef(1) + " >>");
    int choiceB = pdf.add("<< /Type /Annot /Subtype /Widget /Parent " + ref(choice) + " /Rect [72 450 92 470] /P " + pageRef(3) + " >>");
    pdf.add("<< /FT /Tx /T (choice) /V (" + value + " choice) /Kids [" + ref(choiceA) + " " + ref(choiceB) + "] >>", choice);

    // Page 1 links: every page, the named destination, the web.
    std::string linksOnFirst;
    for (int k = 1; k <= pageCount; ++k)
        linksOnFirst += ref(pdf.add("<< /Type /Annot /Subtype /Link /Rect [72 " + std::to_string(100 + 20 * k) + " 172 " +
                                    std::to_string(115 + 20 * k) + "] /Border [0 0 0] /Dest [" + pageRef(k) + " /XYZ 0 792 null] >>")) + " ";
    linksOnFirst += ref(pdf.add("<< /Type /Annot /Subtype /Link /Rect [300 100 400 115] /A << /S /GoTo /D (shared) >> >>")) + " ";
    linksOnFirst += ref(pdf.add("<< /Type /Annot /Subtype /Link /Rect [300 130 400 145] /A << /S /URI /URI (https://example.org/" + label +
                                ") >> >>")) + " ";
    int note = pdf.reserve();
    int popup = pdf.add("<< /Type /Annot /Subtype /Popup /Rect [300 300 400 400] /Parent " + ref(note) + " >>");
    pdf.add("<< /Type /Annot /Subtype /Text /Rect [300 500 320 520] /Contents (A note on " + label + ") /Popup " + ref(popup) + " >>", note);

    std::string kids;
    for (int k = 1; k <= pageCount; ++k) {
        std::string text = "BT /F1 24 Tf 72 700 Td (" + label + " page " + std::to_string(k) + ") Tj ET";
        int contents = pdf.addStream("", text);
        std::string annots;
        if (k == 1)
            annots = linksOnFirst + ref(nameField) + " " + ref(choiceA);
        if (k == 2)
            annots = ref(note) + " " + ref(popup);
        if (k == 3)
            annots = ref(choiceB);
        pdf.add("<< /Type /Page /Parent " + ref(pages) + " /Resources << /Font << /F1 " + ref(font) + " >> >> /Contents " + ref(contents) +
                    " /Annots [" + annots + "] >>",
                page[static_cast<std::size_t>(k)]);
        kids += pageRef(k) + " ";
    }
    pdf.add("<< /Type /Pages /MediaBox [0 0 612 792] /Count " + std::to_string(pageCount) + " /Kids [" + kids + "] >>", pages);

    // Outline: one item per page; the second has a child (page 3); a web item last.
    int outlines = pdf.reserve();
    std::vector<int> item(static_cast<std::size_t>(pageCount) + 2);
    for (std::size_t k = 1; k <= static_cast<std::size_t>(pageCount) + 1; ++k)
        item[k] = pdf.reserve();
    int child = pdf.reserve();
    for (int k = 1; k <= pageCount + 1; ++k) {
        auto i = static_cast<std::size_t>(k);
        std::string links = "/Parent " + ref(outlines);
        if (k > 1)
            links += " /Prev " + ref(item[i - 1]);
        if (k <= pageCount)
            links += " /Next " + ref(item[i + 1]);
        std::string target = k <= pageCount ? "/Dest [" + pageRef(k) + " /Fit]" : "/A << /S /URI /URI (https://example.org/) >>";
        std::string kidsOf = k == 2 ? " /First " + ref(child) + " /Last " + ref(child) + " /Count 1" : "";
        std::string title = k <= pageCount ? label + " chapter " + std::to_string(k) : label + " on the web";
        pdf.add("<< /Title (" + title + ") " + links + " " + target + kidsOf + " /C [1 0 0] >>", item[i]);
    }
    pdf.add("<< /Title (" + label + " section 2.1) /Parent " + ref(item[2]) + " /Dest [" + pageRef(3) + " /XYZ 0 700 0] /F 2 >>", child);
    pdf.add("<< /Type /Outlines /First " + ref(item[1]) + " /Last " + ref(item[static_cast<std::size_t>(pageCount) + 1]) + " /Count " +
                std::to_string(pageCount + 2) + " >>",
            outlines);

    std::string names = "(p1) [" + pageRef(1) + " /Fit]";
    for (int k = 2; k <= pageCount; ++k)
        names += " (p" + std::to_string(k) + ") [" + pageRef(k) + " /Fit]";
    // A name tree wants its keys sorted: "p1" < "p2" ... < "shared".
    int destinations = pdf.add("<< /Names [" + names + " (shared) [" + pageRef(2) + " /XYZ 0 792 null]] >>");
    int form = pdf.add("<< /Fields [" + ref(nameField) + " " + ref(choice) + "] /DA (/Helv 0 Tf 0 g) /DR << /Font << /Helv " + ref(font) + " >> >> >>");
    pdf.add("<< /Type /Catalog /Pages " + ref(pages) + " /Outlines " + ref(outlines) + " /Names << /Dests " + ref(destinations) +
                " >> /AcroForm " + ref(form) + " /PageLabels << /Nums [0 << /S /r >> 2 << /S /D /P (A-) >>] >> >>",
            catalog);
    return pdf.build(catalog);
}

void writeTextDocument(const std::string &path, int pageCount, const std::string &label)
{
    writeFile(path, textDocument(pageCount, label));
}

void writeFile(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out << bytes;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace testing_support
