// Certificate-encrypted documents under Wine: the engine finds the recipient's
// certificate and private key in the user's store "MY" (filled by
// import-certificate from the test identities) and opens the PDFBox fixtures
// without a password; split, they are byte for byte what the Linux build
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

// A Wine prefix of its own whose store "MY" holds exactly `files` (.p12: an
// identity, .pem: a certificate alone); none at all leaves the prefix without
// that store. (Wine's store does not keep deletions, so every state starts
// from a fresh prefix.)
class UserStore
{
public:
    explicit UserStore(const std::vector<std::string> &files)
    {
        const WindowsBuild build = runnableBuilds().front();
        for (const std::string &file : files) {
            const RunResult added = wine.run(build.testProgram("import-certificate.exe"), { windowsPath(pubsecFixture(file)) });
            EXPECT_EQ(added.status, 0) << file << ": " << added.err;
        }
    }

    RunResult colligo(const WindowsBuild &build, const std::string &folder, const std::vector<std::string> &arguments)
    {
        return wine.run(build.program("colligo.exe"), arguments, folder);
    }

private:
    Wine wine;
};

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
        { "no store at all", {} },
    };
    for (const auto &store : stores) {
        SCOPED_TRACE(store.what);
        UserStore user(store.store);
        for (const WindowsBuild &build : runnableBuilds()) {
            for (const char *name : { "rc4-128", "aes-128" }) {
                const RunResult info = user.colligo(build, "", { "info", windowsPath(pubsecFixture(std::string(name) + ".pdf")) });
                EXPECT_EQ(info.status, 1) << build.name << " " << name;
                EXPECT_TRUE(isDecryptionFailureLine(info.err)) << build.name << " " << name << ": " << info.err;
            }
        }
    }
}

TEST(Certificates, OpenedWithTheIdentityAndSplitAsOnLinux)
{
    UserStore user({ "test-only-alice.p12" });
    testing_support::UserCertificateHome home;
    home.addIdentity("alice");

    testing_support::TempDir folder;
    for (const char *name : fixturesForAlice) {
        const std::string source = std::string(name) + ".pdf";
        copyFile(pubsecFixture(source), folder.file(source));
        const RunResult reference = runProgram({ linuxProgram("colligo"), "split", source, "2,1", "-o", std::string(name) + "-linux.pdf" },
                                               folder.path(), linuxEngineEnvironment());
        ASSERT_EQ(reference.status, 0) << name << "\n" << reference.err;
        const std::string expected = readBytes(folder.file(std::string(name) + "-linux.pdf"));
        EXPECT_EQ(testing_support::qpdfPageCount(folder.file(std::string(name) + "-linux.pdf")), 2);

        for (const WindowsBuild &build : runnableBuilds()) {
            SCOPED_TRACE(build.name + " " + name);
            const RunResult info = user.colligo(build, folder.path(), { "info", source });
            EXPECT_EQ(info.out, source + ": 2 pages\n") << info.err;
            EXPECT_EQ(info.err, "");
            const std::string output = std::string(name) + "-" + build.name + ".pdf";
            const RunResult split = user.colligo(build, folder.path(), { "split", source, "2,1", "-o", output });
            EXPECT_EQ(split.status, 0) << split.err;
            EXPECT_TRUE(readBytes(folder.file(output)) == expected) << "differs from the Linux build's split";
        }
    }
}
