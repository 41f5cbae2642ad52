// Certificate-encrypted documents through the public exports: the documents
// come from PDFBox (tests/fixtures/pubsec), the user's certificates from a
// real NSS database in a temporary home folder.
#include "colligo.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"
#include "UserCertificates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

// Each fixture has two pages showing "Fixture NAME page N"; all are meant for alice.
const std::vector<std::string> fixturesForAlice = {
    "rc4-40",        // V 1: RC4 with a 5-byte key
    "rc4-128",       // V 2, /Length 128: RC4 with a 16-byte key
    "aes-128",       // V 4, AESV2
    "second-string", // bob's recipient string first, alice's second
    "third-info",    // one string whose third recipient info is alice's
};

std::string fixturePdf(const std::string &name)
{
    return pubsecFixture(name + ".pdf");
}

std::u16string utf16(const std::string &ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

bool isEncrypted(const std::string &path)
{
    return runCommand("qpdf --is-encrypted " + shellQuote(path)).status == 0;
}

// A split of every page: the output must be sound, unencrypted and show the
// fixture's text, which only the right file key yields.
void expectDecryptedSplit(const std::string &name, const std::string &output)
{
    ASSERT_EQ(SplitPDF(fixturePdf(name).c_str(), "1-2", output.c_str(), 0, nullptr), 1);
    std::string report;
    EXPECT_TRUE(qpdfCheckPasses(output, &report)) << report;
    EXPECT_FALSE(isEncrypted(output));
    ASSERT_EQ(qpdfPageCount(output), 2);
    for (int page = 1; page <= 2; ++page)
        EXPECT_NE(pageText(output, page).find("Fixture " + name + " page " + std::to_string(page)), std::string::npos)
            << "page " << page << " reads: " << pageText(output, page);
}

TEST(PublicKeyDocuments, OpenForTheUsersCertificateWithoutPassword)
{
    UserCertificateHome home;
    home.addIdentity("alice");
    TempDir out;
    for (const std::string &name : fixturesForAlice) {
        SCOPED_TRACE(name);
        StandardErrorCapture errors;
        DocumentHandle narrow = OpenPDF(fixturePdf(name).c_str(), nullptr);
        ASSERT_GT(narrow, 0);
        EXPECT_EQ(GetPageCount(narrow), 2);
        EXPECT_EQ(ClosePDF(narrow), 0);
        std::u16string widePath = utf16(fixturePdf(name));
        DocumentHandle wide = OpenPDFW(widePath.c_str(), nullptr);
        ASSERT_GT(wide, 0);
        EXPECT_EQ(GetPageCount(wide), 2);
        EXPECT_EQ(ClosePDF(wide), 0);
        EXPECT_EQ(errors.text(), "");
        expectDecryptedSplit(name, out.file(name + "-split.pdf"));
    }
}

TEST(PublicKeyDocuments, RefusedWithTheErrorLineWhenNoRecipientCanBeDecrypted)
{
    struct Store
    {
        const char *what;
        UserCertificateHome::Database database;
        const char *identity;
        const char *certificateOnly;
    };
    const Store stores[] = {
        { "another user's identity", UserCertificateHome::Database::empty, "bob", nullptr },
        { "alice's certificate without its private key", UserCertificateHome::Database::empty, nullptr, "alice" },
        { "an empty store", UserCertificateHome::Database::empty, nullptr, nullptr },
        { "no store at all", UserCertificateHome::Database::none, nullptr, nullptr },
    };
    for (const Store &store : stores) {
        SCOPED_TRACE(store.what);
        UserCertificateHome home(store.database);
        if (store.identity)
            home.addIdentity(store.identity);
        if (store.certificateOnly)
            home.addCertificateOnly(store.certificateOnly);
        for (const char *name : { "rc4-128", "aes-128" }) {
            SCOPED_TRACE(name);
            StandardErrorCapture errors;
            EXPECT_EQ(OpenPDF(fixturePdf(name).c_str(), nullptr), COLLIGO_NEEDS_PASSWORD);
            std::string line = errors.text();
            EXPECT_TRUE(isDecryptionFailureLine(line)) << line;
        }
    }
}

TEST(PublicKeyDocuments, EveryOpeningRepeatsTheAttempt)
{
    UserCertificateHome home;
    home.addIdentity("bob");
    StandardErrorCapture errors;
    EXPECT_EQ(OpenPDF(fixturePdf("rc4-40").c_str(), nullptr), COLLIGO_NEEDS_PASSWORD);
    EXPECT_EQ(OpenPDF(fixturePdf("rc4-40").c_str(), nullptr), COLLIGO_NEEDS_PASSWORD);
    std::string lines = errors.text();
    std::size_t firstEnd = lines.find('\n') + 1;
    EXPECT_TRUE(isDecryptionFailureLine(lines.substr(0, firstEnd))) << lines;
    EXPECT_TRUE(isDecryptionFailureLine(lines.substr(firstEnd))) << lines;
    // Adding the key later is enough: nothing of the failed attempts is kept.
    home.addIdentity("alice");
    DocumentHandle handle = OpenPDF(fixturePdf("rc4-40").c_str(), nullptr);
    ASSERT_GT(handle, 0);
    ClosePDF(handle);
}

// Password-encrypted and unencrypted documents take poppler's own way, with
// no line on standard error.
TEST(PublicKeyDocuments, PasswordDocumentsBehaveAsBefore)
{
    UserCertificateHome home;
    home.addIdentity("alice");
    TempDir dir;
    writeTextDocument(dir.file("plain.pdf"), 3, "Plain");
    encryptWithQpdf(dir.file("plain.pdf"), dir.file("locked.pdf"), "user", "owner");
    encryptWithQpdf(dir.file("plain.pdf"), dir.file("no-print.pdf"), "", "owner", "--print=none");
    struct Case
    {
        std::string file;
        const char *password;
        DocumentHandle expected; // 0: a handle
    };
    const Case cases[] = {
        { "plain.pdf", nullptr, 0 },
        { "locked.pdf", nullptr, COLLIGO_NEEDS_PASSWORD },
        { "locked.pdf", "wrong", COLLIGO_NEEDS_PASSWORD },
        { "locked.pdf", "owner", 0 },
        { "no-print.pdf", nullptr, COLLIGO_RESTRICTED },
        { "no-print.pdf", "owner", 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file + " with " + (c.password ? c.password : "no password"));
        StandardErrorCapture errors;
        DocumentHandle result = OpenPDF(dir.file(c.file).c_str(), c.password);
        if (c.expected == 0) {
            ASSERT_GT(result, 0);
            EXPECT_EQ(GetPageCount(result), 3);
            ClosePDF(result);
        } else {
            EXPECT_EQ(result, c.expected);
        }
        EXPECT_EQ(errors.text(), "");
    }
}

// A one-page document whose trailer names an encryption dictionary; the page
// itself is plain, so only the open's outcome is of interest.
std::string documentEncryptedWith(const std::string &encryptDictionary)
{
    PdfBuilder builder;
    int encrypt = builder.add(encryptDictionary);
    int page = builder.reserve();
    int pages = builder.add("<< /Type /Pages /Kids [" + std::to_string(page) + " 0 R] /Count 1 >>");
    builder.add("<< /Type /Page /Parent " + std::to_string(pages) + " 0 R /MediaBox [0 0 200 200] >>", page);
    int catalog = builder.add("<< /Type /Catalog /Pages " + std::to_string(pages) + " 0 R >>");
    return builder.build(catalog, "/Encrypt " + std::to_string(encrypt) + " 0 R /ID [<0123456789abcdef0123456789abcdef> <0123456789abcdef0123456789abcdef>]");
}

std::string hexString(const std::string &bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex = "<";
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex + ">";
}

TEST(PublicKeyDocuments, UnusableEncryptionDictionariesAreRefusedSafely)
{
    UserCertificateHome home;
    home.addIdentity("alice");
    const std::string forAlice = hexString(readFile(pubsecFixture("seed-24-for-alice.der")));
    const std::string shortContent = hexString(readFile(pubsecFixture("seed-16-for-alice.der")));
    const std::string pubSec = "/Filter /Adobe.PubSec /SubFilter /adbe.pkcs7.s4 ";
    struct Case
    {
        const char *what;
        std::string dictionary;
    };
    const Case cases[] = {
        { "no /Recipients", "<< " + pubSec + "/V 2 /Length 128 >>" },
        { "/Recipients not an array", "<< " + pubSec + "/V 2 /Length 128 /Recipients 7 >>" },
        { "no string among the recipients", "<< " + pubSec + "/V 2 /Length 128 /Recipients [5 /Name [1 2]] >>" },
        { "a recipient string that is no message", "<< " + pubSec + "/V 2 /Length 128 /Recipients [<3082000102>] >>" },
        { "content too short for a seed", "<< " + pubSec + "/V 2 /Length 128 /Recipients [" + shortContent + "] >>" },
        { "/Length beyond 128 bits", "<< " + pubSec + "/V 2 /Length 256 /Recipients [" + forAlice + "] >>" },
        { "/Length of 0", "<< " + pubSec + "/V 2 /Length 0 /Recipients [" + forAlice + "] >>" },
        { "/V 5 (AES-256)", "<< " + pubSec + "/V 5 /Length 256 /Recipients [" + forAlice + "] >>" },
        { "V 4 without a crypt filter", "<< " + pubSec + "/V 4 /Length 128 /Recipients [" + forAlice + "] >>" },
        { "V 4 with /CFM /None",
          "<< " + pubSec + "/V 4 /CF << /DefaultCryptFilter << /CFM /None /Recipients [" + forAlice + "] >> >> >>" },
    };
    TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir.file("doc.pdf"), documentEncryptedWith(c.dictionary));
        StandardErrorCapture errors;
        EXPECT_EQ(OpenPDF(dir.file("doc.pdf").c_str(), nullptr), COLLIGO_NEEDS_PASSWORD);
        std::string line = errors.text();
        EXPECT_TRUE(isDecryptionFailureLine(line)) << line;
    }
    // The same message in a well-formed dictionary opens, so the refusals
    // above are the dictionaries' doing.
    writeFile(dir.file("doc.pdf"),
              documentEncryptedWith("<< " + pubSec + "/V 4 /CF << /DefaultCryptFilter << /CFM /V2 /Recipients [" + forAlice
                                    + "] >> >> >>"));
    DocumentHandle handle = OpenPDF(dir.file("doc.pdf").c_str(), nullptr);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(GetPageCount(handle), 1);
    ClosePDF(handle);
}

TEST(PublicKeyDocuments, OtherSecurityFiltersAreRefusedWithoutALine)
{
    UserCertificateHome home;
    home.addIdentity("alice");
    TempDir dir;
    writeFile(dir.file("doc.pdf"), documentEncryptedWith("<< /Filter /Example.OtherSec /V 2 /Length 128 >>"));
    StandardErrorCapture errors;
    EXPECT_EQ(OpenPDF(dir.file("doc.pdf").c_str(), nullptr), COLLIGO_NEEDS_PASSWORD);
    EXPECT_EQ(errors.text(), "");
}

} // namespace
