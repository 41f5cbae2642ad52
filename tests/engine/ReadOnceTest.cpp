// What the reading caches and the worker threads may change: nothing in the
// output. A merge read through an object-stream cache too small to keep
// anything writes the same bytes as one through the default cache, one read
// ahead by 1 or 7 threads the same as one read by the caller alone, and names
// looked up one at a time in the name tree are the names the whole tree holds.
#include "reading/Destinations.h"
#include "reading/SourceDocument.h"
#include "writer/PdfWriter.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace testing_support;
using colligo::SourceDocument;

namespace {

// pdfTeX with object streams and thousands of named destinations; ConTeXt
// with document-wide resources and a tagged structure.
const char *const sources[] = { "/usr/share/R/doc/manual/R-intro.pdf", "/usr/share/R/doc/manual/R-exts.pdf",
                                "/usr/share/doc/texlive-doc/luatex/base/luatex.pdf" };

std::unique_ptr<SourceDocument> opened(const std::string &path)
{
    std::unique_ptr<SourceDocument> document = SourceDocument::open(path);
    EXPECT_TRUE(document->isOk()) << path;
    return document;
}

// Every other page of the document and then the first ten again, keeping
// everything, in the compact layout; returns the output's bytes.
std::string mergedCopy(SourceDocument &document, const std::string &output)
{
    colligo::OutputOptions options;
    options.keep = 0x3ff;
    options.compactLayout = true;
    colligo::SourcePlan plan;
    std::vector<int> pages;
    for (int page = 1; page <= document.pages().count(); page += 2)
        pages.push_back(page);
    for (int page = 1; page <= 10 && page <= document.pages().count(); ++page)
        pages.push_back(page);
    for (int page : pages)
        plan.pages.push_back(page - 1);
    {
        colligo::PdfWriter writer(output.c_str(), "Colligo", options);
        writer.setSource(&document, plan);
        for (int page : pages)
            writer.addPage(page);
        writer.finish();
        EXPECT_TRUE(writer.completed());
    }
    return readFile(output);
}

class ReadOnceTest : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(GetParam())) << "installed by scripts/install-deps.sh";
        setenv("SOURCE_DATE_EPOCH", "1700000000", 1); // the same dates in both outputs
    }
    TempDir dir;
};

TEST_P(ReadOnceTest, TheObjectCacheBudgetChangesNoByte)
{
    auto usual = opened(GetParam());
    std::string expected = mergedCopy(*usual, dir.file("out.pdf")); // one path: the trailer identifier hashes it
    EXPECT_LE(usual->objects().cachedBytes(), colligo::ObjectReader::defaultBudget);

    auto starved = opened(GetParam());
    starved->objects().setBudget(1); // every stream parsed is evicted by the next
    std::string written = mergedCopy(*starved, dir.file("out.pdf"));
    EXPECT_TRUE(written == expected) << "the outputs differ";
    // The tiny budget did evict and parse again, so the comparison means something.
    EXPECT_GT(starved->objects().parseCount(), usual->objects().parseCount());
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(dir.file("out.pdf"), &report)) << report;
}

// Threads in all (COLLIGO_JOBS) and the cache budget: the caller alone with
// the usual cache first, then workers with the usual cache and with one that
// keeps only a few streams (streams asked for again, while workers still hold
// or parse them).
TEST_P(ReadOnceTest, TheNumberOfThreadsChangesNoByte)
{
    struct Case
    {
        const char *jobs;
        std::size_t budget;
    };
    const Case cases[] = { { "1", colligo::ObjectReader::defaultBudget }, { "2", colligo::ObjectReader::defaultBudget },
                           { "8", colligo::ObjectReader::defaultBudget }, { "8", std::size_t(1) << 18 } };
    std::string expected;
    for (const Case &threads : cases) {
        setenv("COLLIGO_JOBS", threads.jobs, 1);
        auto document = opened(GetParam());
        document->objects().setBudget(threads.budget);
        std::string written;
        {
            colligo::ReadingAhead ahead(*document);
            written = mergedCopy(*document, dir.file("out.pdf"));
        }
        if (expected.empty()) {
            expected = written;
            EXPECT_EQ(document->objects().handedOverCount(), 0u) << "one thread in all reads alone";
            continue;
        }
        EXPECT_TRUE(written == expected) << threads.jobs << " threads, a cache of " << threads.budget << " bytes: the outputs differ";
        // Workers did parse for the reader, so the comparison means something.
        EXPECT_GT(document->objects().handedOverCount(), 0u) << threads.jobs << " threads";
    }
    unsetenv("COLLIGO_JOBS");
}

TEST_P(ReadOnceTest, NamesLookedUpOneByOneAreTheWholeTreesNames)
{
    auto whole = opened(GetParam());
    const auto &all = whole->destinations().all();
    auto lookups = opened(GetParam());
    const colligo::NamedDestinations &names = lookups->destinations();
    for (const auto &[name, destination] : all) {
        Object found = names.find(name);
        ASSERT_TRUE(found.isArray()) << name;
        EXPECT_EQ(colligo::destinationPage(found, lookups->pages()), colligo::destinationPage(destination, whole->pages())) << name;
        EXPECT_EQ(found.arrayGetLength(), destination.arrayGetLength()) << name;
    }
    EXPECT_TRUE(names.find("no such name \x01").isNull());
    EXPECT_FALSE(names.complete()); // lookups alone never read the whole tree
    EXPECT_EQ(names.found().size(), all.size());
}

INSTANTIATE_TEST_SUITE_P(Documents, ReadOnceTest, ::testing::ValuesIn(sources));

} // namespace
