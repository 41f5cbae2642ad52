#include "PdfBuilder.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

std::string PdfBuilder::build(int rootNumber, const std::string &trailerExtra) const
{
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::map<int, std::size_t> offsets;
    for (const auto &[number, text] : objects) {
        offsets[number] = out.size();
        out += text;
    }
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
