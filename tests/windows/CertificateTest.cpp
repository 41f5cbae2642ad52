// Certificate-encrypted documents under Wine: the engine finds the recipient's
// certificate and private key in the user's store "MY" (filled by
// import-certificate from the test identities) and opens the PDFBox fixtures
// without a password; merged, they are byte for byte what the Linux build
// writes from its NSS database. Without the identity the open is refused with
// the error line.
#include "Oracles.h"
#include "SameEverywhere.h"
#include "TempDir.h"
#include "UserCertificates.h"

#include <gtest/gtest.h>

#include <regex>

using namespace wine_testing;
using testing_support::pubsecFixture;

namespace {

const char *const fixturesForAlice[] = { "rc4-40", "rc4-128", "aes-128", "second-string", "third-info" };

// Sets the store of the Wine prefix to hold exactly `files` (.p12: identity,
// .pem: certificate only).
void storeHolds(const std::vector<std::string> &files)
{
    const WindowsBuild &build = windowsBuild("x86");
    const Run clear = Wine::session().run(build.testProgram("import-certificate.exe"), { "--clear" });
    ASSERT_EQ(clear.status, 0) << clear.err;
    for (const std::string &file : files) {
        const Run added = Wine::session().run(build.testProgram("import-certificate.exe"), { windowsPath(pubsecFixture(file)) });
        ASSERT_EQ(added.status, 0) << file << ": " << added.err;
    }
}

Run colligoExe(const WindowsBuild &build, const std::string &folder, const std::vector<std::string> &arguments)
{
    return Wine::session().run(build.program("colligo.exe"), arguments, folder);
}

bool isDecryptionFailureLine(const std::string &text)
{
    static const std::regex line("错误代码:\t-?[0-9]+\n");
    return std::regex_search(text, line);
}

} // namespace

TEST(Certificates, RefusedWithTheErrorLineWithoutTheRecipientsKey)
{
    const struct
    {
        const char *what;
        std::vector<std::string> store;
    } stores[] = {
        { "another user's identity", { "test-only-bob.p12" } },
        { "alice's certificate without its private key", { "test-only-alice.cert.pem" } },
        { "an empty store", {} },
    };
    for (const auto &store : stores) {
        SCOPED_TRACE(store.what);
        storeHolds(store.store);
        for (const WindowsBuild &build : windowsBuilds()) {
            for (const char *name : { "rc4-128", "aes-128" }) {
                const Run info = colligoExe(build, "", { "info", windowsPath(pubsecFixture(std::string(name) + ".pdf")) });
                EXPECT_EQ(info.status, 1) << build.name << " " << name;
                EXPECT_TRUE(isDecryptionFailureLine(info.err)) << build.name << " " << name << ": " << info.err;
            }
        }
    }
}

TEST(Certificates, OpenedWithTheIdentityAndMergedAsOnLinux)
{
    storeHolds({ "test-only-alice.p12" });
    testing_support::UserCertificateHome home;
    home.addIdentity("alice");

    testing_support::TempDir folder;
    std::vector<std::string> arguments { "merge", "-o", "merged.pdf" };
    for (const char *name : fixturesForAlice) {
        copyFile(pubsecFixture(std::string(name) + ".pdf"), folder.file(std::string(name) + ".pdf"));
        arguments.push_back(std::string(name) + ".pdf");
    }
    std::vector<std::string> argv { linuxProgram("colligo") };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const Run reference = runProgram(argv, folder.path(), linuxEngineEnvironment());
    ASSERT_EQ(reference.status, 0) << reference.err;
    EXPECT_EQ(testing_support::qpdfPageCount(folder.file("merged.pdf")), 10);

    for (const WindowsBuild &build : windowsBuilds()) {
        for (const char *name : fixturesForAlice) {
            const Run info = colligoExe(build, folder.path(), { "info", std::string(name) + ".pdf" });
            EXPECT_EQ(info.out, std::string(name) + ".pdf: 2 pages\n") << build.name << "\n" << info.err;
            EXPECT_EQ(info.err, "") << build.name;
        }
        std::vector<std::string> windowsArguments = arguments;
        windowsArguments[2] = "merged-" + build.name + ".pdf";
        const Run merge = colligoExe(build, folder.path(), windowsArguments);
        EXPECT_EQ(merge.status, 0) << build.name << "\n" << merge.err;
        EXPECT_EQ(readBytes(folder.file("merged-" + build.name + ".pdf")), readBytes(folder.file("merged.pdf"))) << build.name;
    }
}
