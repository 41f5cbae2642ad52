#include "Oracles.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>

namespace testing_support {

CommandResult runCommand(const std::string &command)
{
    CommandResult result { -1, {} };
    std::string full = command + " 2>&1";
    FILE *pipe = popen(full.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> chunk;
    std::size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        result.output.append(chunk.data(), got);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> navigationLines(const std::string &what, const std::string &path)
{
    CommandResult result = runCommand("/usr/bin/python3 " + shellQuote(NAVIGATION_ORACLE) + " " + what + " " + shellQuote(path));
    EXPECT_EQ(result.status, 0) << result.output;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < result.output.size()) {
        std::size_t end = result.output.find('\n', start);
        if (end == std::string::npos)
            end = result.output.size();
        lines.push_back(result.output.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string shellQuote(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

bool qpdfCheckPasses(const std::string &path, std::string *report)
{
    CommandResult result = runCommand("qpdf --check " + shellQuote(path));
    if (report)
        *report = result.output;
    return result.status == 0;
}

int qpdfPageCount(const std::string &path)
{
    CommandResult result = runCommand("qpdf --show-npages " + shellQuote(path));
    return result.status == 0 ? std::stoi(result.output) : -1;
}

std::string pageText(const std::string &path, int page)
{
    std::string p = std::to_string(page);
    return runCommand("pdftotext -q -layout -f " + p + " -l " + p + " " + shellQuote(path) + " -").output;
}

std::vector<std::string> allPageTexts(const std::string &path)
{
    std::string text = runCommand("pdftotext -q -layout " + shellQuote(path) + " -").output;
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t feed = text.find('\f'); feed != std::string::npos; feed = text.find('\f', start)) {
        pages.push_back(text.substr(start, feed - start));
        start = feed + 1;
    }
    return pages;
}

void encryptWithQpdf(const std::string &in, const std::string &out, const std::string &userPassword,
                     const std::string &ownerPassword, const std::string &restrictions, int keyBits)
{
    std::string command = "qpdf --allow-weak-crypto --encrypt " + shellQuote(userPassword) + " " + shellQuote(ownerPassword) + " " +
                          std::to_string(keyBits) + " " + restrictions + " -- " + shellQuote(in) + " " + shellQuote(out);
    CommandResult result = runCommand(command);
    if (result.status != 0 && result.status != 3)
        throw std::runtime_error("qpdf could not encrypt: " + result.output);
}

void expectPagesMatch(const std::string &output, const std::vector<SourcePage> &expected)
{
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(output, &report)) << output << ":\n" << report;
    ASSERT_EQ(qpdfPageCount(output), static_cast<int>(expected.size())) << output;
    std::map<std::string, std::vector<std::string>> sourceTexts;
    for (const SourcePage &source : expected)
        if (!sourceTexts.count(source.file))
            sourceTexts[source.file] = allPageTexts(source.file);
    std::vector<std::string> outputTexts = allPageTexts(output);
    ASSERT_EQ(outputTexts.size(), expected.size()) << output;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::vector<std::string> &texts = sourceTexts[expected[i].file];
        ASSERT_LE(expected[i].page, static_cast<int>(texts.size())) << expected[i].file;
        EXPECT_EQ(outputTexts[i], texts[static_cast<std::size_t>(expected[i].page) - 1])
            << "output page " << i + 1 << " should be page " << expected[i].page << " of " << expected[i].file;
    }
}

namespace {

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A page image: width, height and 8-bit RGB samples.
struct Raster
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Reads a binary PNM file (P5 grey or P6 colour, maxval 255).
bool readPnm(const std::string &path, Raster &raster)
{
    std::ifstream in(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    auto token = [&]() {
        for (;;) {
            while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at])))
                ++at;
            if (at < data.size() && data[at] == '#') {
                while (at < data.size() && data[at] != '\n')
                    ++at;
                continue;
            }
            break;
        }
        std::size_t begin = at;
        while (at < data.size() && !std::isspace(static_cast<unsigned char>(data[at])))
            ++at;
        return data.substr(begin, at - begin);
    };
    std::string magic = token();
    if (magic != "P5" && magic != "P6")
        return false;
    try {
        raster.width = std::stoi(token());
        raster.height = std::stoi(token());
        if (std::stoi(token()) != 255)
            return false;
    } catch (const std::exception &) {
        return false;
    }
    ++at; // the one white-space character after maxval
    int channels = magic == "P6" ? 3 : 1;
    std::size_t pixels = static_cast<std::size_t>(raster.width) * static_cast<std::size_t>(raster.height);
    if (raster.width <= 0 || raster.height <= 0 || data.size() < at + pixels * channels)
        return false;
    raster.rgb.resize(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c)
            raster.rgb[i * 3 + c] = static_cast<unsigned char>(data[at + i * channels + (channels == 3 ? c : 0)]);
    return true;
}

bool renderPage(const std::string &pdf, int page, const std::string &renderer, int dpi, const std::string &image,
                std::string *error)
{
    std::string command;
    std::string p = std::to_string(page), r = std::to_string(dpi);
    if (renderer == "poppler") {
        // pdftoppm appends ".ppm" to the root it is given.
        command = "pdftoppm -r " + r + " -f " + p + " -l " + p + " -singlefile " + shellQuote(pdf) + " " +
                  shellQuote(image.substr(0, image.size() - 4));
    } else if (renderer == "mupdf") {
        command = "mutool draw -q -c rgb -r " + r + " -o " + shellQuote(image) + " " + shellQuote(pdf) + " " + p;
    } else {
        *error = "unknown renderer " + renderer;
        return false;
    }
    CommandResult result = runCommand(command);
    if (result.status != 0) {
        *error = command + ":\n" + result.output;
        return false;
    }
    return true;
}

} // namespace

std::vector<std::string> structureLines(const std::string &what, const std::string &path)
{
    CommandResult result = runCommand("/usr/bin/python3 " + shellQuote(STRUCTURE_ORACLE) + " " + what + " " + shellQuote(path));
    EXPECT_EQ(result.status, 0) << result.output;
    return splitLines(result.output);
}

std::vector<std::string> pdfinfoStructText(const std::string &path)
{
    CommandResult result = runCommand("pdfinfo -struct-text " + shellQuote(path));
    EXPECT_EQ(result.status, 0) << result.output;
    return splitLines(result.output);
}

CommandResult pdfjsStructure(const std::string &path, bool strict, std::string *warnings)
{
    TempDir folder;
    std::string errors = folder.file("stderr.txt");
    // The group's own standard error is the file; only the standard output comes back.
    CommandResult result = runCommand("{ node " + shellQuote(PDFJS_ORACLE) + (strict ? " --strict " : " ") + shellQuote(path) +
                                      " 2>" + shellQuote(errors) + "; }");
    if (warnings) {
        std::ifstream in(errors);
        warnings->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return result;
}

std::vector<std::string> pdfjsStructureLines(const std::string &path)
{
    std::string warnings;
    CommandResult result = pdfjsStructure(path, false, &warnings);
    EXPECT_EQ(result.status, 0) << path << ": " << warnings << result.output
                                << "\n(pdfjs-dist comes from tests/support/js; scripts/install-deps.sh installs it)";
    return splitLines(result.output);
}

bool preflightPasses(const std::string &path, std::string *report)
{
    CommandResult result = runCommand("java -Djava.awt.headless=true "
                                      "-Dorg.apache.commons.logging.Log=org.apache.commons.logging.impl.NoOpLog -cp " +
                                      shellQuote(PREFLIGHT_CLASSPATH) + " org.apache.pdfbox.preflight.Validator_A1b " + shellQuote(path));
    if (report)
        *report = result.output;
    return result.status == 0;
}

double renderedDifference(const std::string &a, int pageA, const std::string &b, int pageB, const std::string &renderer, int dpi)
{
    TempDir folder;
    std::string imageA = folder.file("a.ppm"), imageB = folder.file("b.ppm"), error;
    Raster first, second;
    if (!renderPage(a, pageA, renderer, dpi, imageA, &error) || !renderPage(b, pageB, renderer, dpi, imageB, &error)) {
        ADD_FAILURE() << error;
        return 1.0;
    }
    if (!readPnm(imageA, first) || !readPnm(imageB, second)) {
        ADD_FAILURE() << renderer << " wrote no readable image of " << a << " page " << pageA << " or " << b << " page " << pageB;
        return 1.0;
    }
    if (first.width != second.width || first.height != second.height)
        return 1.0;
    std::size_t pixels = first.rgb.size() / 3, differing = 0;
    for (std::size_t i = 0; i < pixels; ++i) {
        for (int c = 0; c < 3; ++c) {
            if (std::abs(int(first.rgb[i * 3 + c]) - int(second.rgb[i * 3 + c])) > 32) {
                ++differing;
                break;
            }
        }
    }
    return pixels ? double(differing) / double(pixels) : 0.0;
}

std::string wholeFixture(const std::string &name)
{
    return std::string(WHOLE_FIXTURES) + "/" + name;
}

} // namespace testing_support
