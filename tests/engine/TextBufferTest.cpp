// How the writer spells real numbers: the fewest decimals that stand for the
// value (the source's own text, although poppler's lexer reads decimals
// slightly off), never an exponent. The fast path that rounds the shortest
// text must give exactly what printing the value at each precision gives.
#include "writer/TextBuffer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace {

std::string spelt(double value)
{
    colligo::TextBuffer buffer(64);
    buffer.appendReal(value);
    return buffer.take();
}

// The plain way: print at 1, 2, ... 17 decimals until the text stands for the value.
std::string printedAtEachPrecision(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    std::string sign = value < 0 ? "-" : "";
    double magnitude = std::fabs(value);
    char text[400];
    for (int decimals = 1; decimals <= 17; ++decimals) {
        auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, decimals);
        std::string candidate(text, result.ptr);
        double parsed = 0;
        std::from_chars(candidate.data(), candidate.data() + candidate.size(), parsed);
        if (std::fabs(parsed - magnitude) <= 16 * (std::nextafter(magnitude, HUGE_VAL) - magnitude)) {
            while (candidate.size() > 2 && candidate.back() == '0' && candidate[candidate.size() - 2] != '.')
                candidate.pop_back();
            return sign + candidate;
        }
    }
    auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed);
    std::string shortest(text, result.ptr);
    return sign + shortest + (shortest.find('.') == std::string::npos ? ".0" : "");
}

// A decimal text read as poppler's lexer reads it: each digit added at its scale.
double readDigitByDigit(long long whole, const std::string &fraction)
{
    double value = static_cast<double>(whole), scale = 0.1;
    for (char digit : fraction) {
        value += (digit - '0') * scale;
        scale *= 0.1;
    }
    return value;
}

TEST(TextBuffer, RealsAsTheSourceWroteThem)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        { 72, "72.0" }, { -0.5, "-0.5" }, { 0.125, "0.125" }, { 612, "612.0" }, { 9.96, "9.96" },
        { readDigitByDigit(72, "3"), "72.3" }, { readDigitByDigit(605, "247"), "605.247" },
        { readDigitByDigit(0, "999999"), "0.999999" }, { NAN, "0.0" }, { 1e-20, "0.00000000000000000001" },
    };
    for (const auto &example : cases)
        EXPECT_EQ(spelt(example.value), example.text) << example.text;
}

TEST(TextBuffer, RoundingTheShortestTextMatchesPrintingAtEachPrecision)
{
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<long long> wholes(0, 20000);
    std::uniform_int_distribution<int> lengths(0, 9), digits(0, 9), exponents(-30, 40);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 50000; ++i) {
        std::string fraction;
        for (int n = lengths(random); n > 0; --n)
            fraction.push_back(static_cast<char>('0' + digits(random)));
        const double values[] = {
            readDigitByDigit(wholes(random), fraction),            // what pdfTeX writes, as poppler reads it
            -readDigitByDigit(wholes(random), fraction),
            unit(random) * std::pow(10.0, exponents(random)),      // anything, tiny and huge
            static_cast<double>(wholes(random)) + 0.5,             // exact halves and ties
            std::ldexp(static_cast<double>(wholes(random)), -(i % 12)),
        };
        for (double value : values)
            ASSERT_EQ(spelt(value), printedAtEachPrecision(value)) << std::to_string(value);
    }
}

} // namespace
