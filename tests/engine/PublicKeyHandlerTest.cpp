// The certificate security handler on its own: key sizes and algorithms for
// each encryption version, and the file key checked byte for byte against
// sha1sum over the 20-byte seed that openssl packed into the recipient messages.
#include "reading/PublicKeySecurityHandler.h"

#include "Oracles.h"
#include "PdfBuilder.h"
#include "TempDir.h"
#include "UserCertificates.h"

#include <Array.h>
#include <Dict.h>
#include <Object.h>
#include <goo/GooString.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace testing_support;
using colligo::PublicKeySecurityHandler;

namespace {

Object stringObject(const std::string &bytes)
{
    return Object(new GooString(bytes.data(), bytes.size()));
}

Object recipientsArray(const std::vector<std::string> &strings)
{
    auto *array = new Array(nullptr);
    for (const std::string &bytes : strings)
        array->add(stringObject(bytes));
    return Object(array);
}

struct Dictionary
{
    int version;
    std::optional<int> length;
    const char *cryptFilterMethod; // V 4 only; null: no /CF
    bool encryptMetadata;
};

Object encryptDictionary(const Dictionary &d, const std::vector<std::string> &recipients)
{
    auto *dict = new Dict(static_cast<XRef *>(nullptr));
    dict->add("Filter", Object(objName, "Adobe.PubSec"));
    dict->add("V", Object(d.version));
    if (d.length)
        dict->add("Length", Object(*d.length));
    if (!d.encryptMetadata)
        dict->add("EncryptMetadata", Object(false));
    if (d.version == 4 && d.cryptFilterMethod) {
        auto *filter = new Dict(static_cast<XRef *>(nullptr));
        filter->add("CFM", Object(objName, d.cryptFilterMethod));
        filter->add("Recipients", recipientsArray(recipients));
        auto *filters = new Dict(static_cast<XRef *>(nullptr));
        filters->add("DefaultCryptFilter", Object(filter));
        dict->add("CF", Object(filters));
    } else {
        dict->add("Recipients", recipientsArray(recipients));
    }
    return Object(dict);
}

// SHA-1 as coreutils computes it, independent of the engine's cryptography.
std::string sha1sum(const std::string &bytes)
{
    TempDir dir;
    writeFile(dir.file("input"), bytes);
    return runCommand("sha1sum " + shellQuote(dir.file("input"))).output.substr(0, 40);
}

std::string hex(const unsigned char *bytes, int length)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

class PublicKeyHandlerTest : public ::testing::Test
{
protected:
    void SetUp() override { home.addIdentity("alice"); }

    UserCertificateHome home;
    const std::string seed = readFile(pubsecFixture("seed-24.bin")).substr(0, 20);
    const std::string forAlice = readFile(pubsecFixture("seed-24-for-alice.der"));
    const std::string forBob = readFile(pubsecFixture("seed-24-for-bob.der"));
};

TEST_F(PublicKeyHandlerTest, KeySizeAlgorithmAndDigestFollowTheDictionary)
{
    struct Case
    {
        const char *what;
        Dictionary dictionary;
        int keyBytes;
        CryptAlgorithm algorithm;
        bool digestEndsWithFourFF;
    };
    const Case cases[] = {
        { "V 1", { 1, std::nullopt, nullptr, true }, 5, cryptRC4, false },
        { "V 2 without /Length", { 2, std::nullopt, nullptr, true }, 5, cryptRC4, false },
        { "V 2 /Length 128", { 2, 128, nullptr, true }, 16, cryptRC4, false },
        { "V 2 /Length 56", { 2, 56, nullptr, true }, 7, cryptRC4, false },
        { "V 3 is read as V 1", { 3, 128, nullptr, true }, 5, cryptRC4, false },
        { "V 4 /CFM /V2", { 4, std::nullopt, "V2", true }, 16, cryptRC4, false },
        { "V 4 /CFM /AESV2", { 4, std::nullopt, "AESV2", true }, 16, cryptAES, false },
        { "V 4 with clear metadata", { 4, std::nullopt, "AESV2", false }, 16, cryptAES, true },
        { "V 2 with clear metadata: no 0xFF bytes", { 2, 128, nullptr, false }, 16, cryptRC4, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        // bob's string comes first and cannot be decrypted here; the digest still covers it.
        Object dictionary = encryptDictionary(c.dictionary, { forBob, forAlice });
        PublicKeySecurityHandler handler(nullptr, &dictionary);
        ASSERT_TRUE(handler.isOk());
        EXPECT_TRUE(handler.getOwnerPasswordOk());
        EXPECT_EQ(handler.getFileKeyLength(), c.keyBytes);
        EXPECT_EQ(handler.getEncAlgorithm(), c.algorithm);
        EXPECT_EQ(handler.getEncVersion(), c.dictionary.version);
        std::string digestInput = seed + forBob + forAlice + (c.digestEndsWithFourFF ? std::string(4, '\xff') : "");
        EXPECT_EQ(hex(handler.getFileKey(), 20), sha1sum(digestInput));
    }
}

TEST_F(PublicKeyHandlerTest, FailsWithoutAKeyWhenNoStringIsForTheUser)
{
    Object dictionary = encryptDictionary({ 2, 128, nullptr, true }, { forBob });
    StandardErrorCapture errors;
    PublicKeySecurityHandler handler(nullptr, &dictionary);
    std::string line = errors.text();
    EXPECT_FALSE(handler.isOk());
    EXPECT_FALSE(handler.getOwnerPasswordOk());
    EXPECT_EQ(handler.getFileKeyLength(), 0);
    EXPECT_TRUE(isDecryptionFailureLine(line)) << line;
}

} // namespace

namespace {

// Found by fuzzing: without a certificate database NSS is never set up, and
// the store must then decline every message instead of asking NSS anything.
TEST(CertificateStoreWithoutDatabase, DeclinesEveryMessage)
{
    TempDir home;
    std::string previous = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.path().c_str(), 1);
    {
        colligo::CertificateStore store;
        EXPECT_FALSE(store.isOpen());
        EXPECT_FALSE(store.decryptEnvelope({ 0x30, 0x80, 0x06, 0x09, 0x2a, 0x86, 0x48 }).has_value());
    }
    setenv("HOME", previous.c_str(), 1);
}

} // namespace
