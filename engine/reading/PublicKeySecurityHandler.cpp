#include "PublicKeySecurityHandler.h"

#include <Dict.h>
#include <Object.h>

#include <algorithm>

namespace colligo {

namespace {

constexpr int defaultKeyBits = 40;
constexpr int smallestKeyBits = 40;  // the range the PDF format allows
constexpr int largestKeyBits = 128;  // poppler keeps at most 16 key bytes
constexpr std::size_t seedLength = 20;
// The 20-byte seed and the four permission bytes that follow it; a shorter content
// is not a recipient message of this scheme.
constexpr std::size_t smallestContent = seedLength + 4;
// The decrypted content has to fit a 1024-byte buffer with its terminating zero.
constexpr std::size_t largestContent = 1023;

std::vector<Bytes> stringElements(const Object &recipients)
{
    std::vector<Bytes> strings;
    if (!recipients.isArray())
        return strings;
    for (int i = 0; i < recipients.arrayGetLength(); ++i) {
        Object element = recipients.arrayGet(i);
        // Anything else is malformed and cannot be a recipient message.
        if (!element.isString())
            continue;
        const GooString *bytes = element.getString();
        strings.emplace_back(bytes->c_str(), bytes->c_str() + bytes->getLength());
    }
    return strings;
}

int keyBitsFromLength(Dict &encryptDictionary)
{
    Object length = encryptDictionary.lookup("Length");
    if (!length.isInt())
        return defaultKeyBits;
    int bits = length.getInt();
    // An out-of-range length would hand poppler a key longer than the digest
    // or an empty one; refuse it rather than decrypt with the wrong key.
    return bits >= smallestKeyBits && bits <= largestKeyBits ? bits : 0;
}

// V 4 keeps its method and recipients in the default crypt filter.
void readDefaultCryptFilter(Dict &encryptDictionary, PublicKeyEncryption &encryption)
{
    Object filters = encryptDictionary.lookup("CF");
    if (!filters.isDict())
        return;
    Object filter = filters.dictLookup("DefaultCryptFilter");
    if (!filter.isDict())
        return;
    Object method = filter.dictLookup("CFM");
    if (method.isName("V2")) {
        encryption.keyBytes = 16;
    } else if (method.isName("AESV2")) {
        encryption.keyBytes = 16;
        encryption.algorithm = cryptAES;
    }
    // Any other method leaves no usable key size.
    encryption.recipients = stringElements(filter.dictLookup("Recipients"));
}

} // namespace

PublicKeyEncryption PublicKeyEncryption::read(Dict &encryptDictionary)
{
    PublicKeyEncryption encryption;
    Object version = encryptDictionary.lookup("V");
    encryption.version = version.isInt() ? version.getInt() : 0;
    Object encryptMetadata = encryptDictionary.lookup("EncryptMetadata");
    encryption.metadataEncrypted = !encryptMetadata.isBool() || encryptMetadata.getBool();

    if (encryption.version == 4) {
        readDefaultCryptFilter(encryptDictionary, encryption);
        return encryption;
    }
    if (encryption.version == 2)
        encryption.keyBytes = keyBitsFromLength(encryptDictionary) / 8;
    else if (encryption.version < 5)
        encryption.keyBytes = defaultKeyBits / 8;
    // V 5 and later derive the key differently (AES-256): no usable key size.
    encryption.recipients = stringElements(encryptDictionary.lookup("Recipients"));
    return encryption;
}

PublicKeySecurityHandler::PublicKeySecurityHandler(PDFDoc *document, Object *encryptDictionary)
    : SecurityHandler(document)
{
    if (encryptDictionary && encryptDictionary->isDict())
        encryption = PublicKeyEncryption::read(*encryptDictionary->getDict());

    CertificateStore store;
    ok = deriveFileKey(store);
    if (!ok)
        reportUndecryptableDocument(lastCryptographyError());
}

bool PublicKeySecurityHandler::deriveFileKey(const CertificateStore &store)
{
    if (encryption.keyBytes == 0) {
        recordMalformedInput();
        return false;
    }
    if (!store.isOpen())
        return false;
    std::optional<Bytes> seed = firstDecryptableSeed(store);
    if (!seed)
        return false;
    fileKey = store.sha1(digestInput(*seed));
    keyLength = encryption.keyBytes;
    ownerVerified = true;
    return true;
}

// Recipient strings are tried in order; the first one the store can decrypt wins.
std::optional<Bytes> PublicKeySecurityHandler::firstDecryptableSeed(const CertificateStore &store) const
{
    if (encryption.recipients.empty())
        recordMalformedInput();
    for (const Bytes &recipient : encryption.recipients) {
        std::optional<Bytes> content = store.decryptEnvelope(recipient);
        if (!content)
            continue;
        if (content->size() < smallestContent || content->size() > largestContent) {
            recordMalformedInput();
            continue;
        }
        return Bytes(content->begin(), content->begin() + seedLength);
    }
    return std::nullopt;
}

// The 20-byte seed, every recipient string (decrypted or not) and, when V 4 leaves
// the metadata in the clear, four 0xFF bytes.
Bytes PublicKeySecurityHandler::digestInput(const Bytes &seed) const
{
    Bytes input = seed;
    for (const Bytes &recipient : encryption.recipients)
        input.insert(input.end(), recipient.begin(), recipient.end());
    if (encryption.version == 4 && !encryption.metadataEncrypted)
        input.insert(input.end(), 4, 0xFF);
    return input;
}

} // namespace colligo
