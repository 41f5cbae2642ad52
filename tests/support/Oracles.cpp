#include "Oracles.h"

#include <gtest/gtest.h>

#include <array>
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

} // namespace testing_support
