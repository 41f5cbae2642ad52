// CertificateStore on Windows' cryptography services, with the current user's
// personal store "MY" holding the certificates and their private keys.
//
// crypt32 parses the recipient message and names its recipients (issuer and
// serial number), and the store finds each one's certificate and private key.
// The decryption itself is done step by step with the key functions rather
// than by the message's own decryption control, which is incomplete under
// Wine: the certificate's RSA key unwraps the content key (CryptDecrypt), and
// that key decrypts the content, RC2, DES and 3DES through CryptImportKey with
// the IV set as KP_IV, AES through BCrypt. The parts of the message crypt32
// does not hand out (the wrapped key, the content algorithm and the encrypted
// content) are read from its DER encoding here.
#include "CertificateStore.h"

#include <windows.h>

#include <bcrypt.h>
#include <wincrypt.h>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace colligo {

struct CertificateStore::Session
{
    HCERTSTORE store;
    HCRYPTPROV provider; // hashing and the key functions' ciphers
};

namespace {

// The code reported when a document cannot be opened; GetLastError itself is
// overwritten by every later call, so each failure keeps its code here.
thread_local DWORD lastError = 0;

void fail(DWORD code)
{
    lastError = code;
}

void failWithLastError()
{
    fail(GetLastError());
}

// ---- A reader of DER, just enough for enveloped data (ISO/IEC 8825-1) ----
// Some producers (BouncyCastle, for one) write BER's indefinite lengths, which
// are read too.

constexpr unsigned char tagEndOfContents = 0x00;
constexpr unsigned char tagInteger = 0x02;
constexpr unsigned char tagOctetString = 0x04;
constexpr unsigned char tagOid = 0x06;
constexpr unsigned char tagSequence = 0x30;
constexpr unsigned char tagSet = 0x31;
constexpr unsigned char tagExplicit0 = 0xA0;
constexpr unsigned char tagImplicit0 = 0x80;
constexpr unsigned char constructedBit = 0x20;
constexpr int deepestNesting = 32; // far more than enveloped data needs

struct Element
{
    unsigned char tag = 0;
    std::string_view content; // the value bytes
    std::string_view whole;   // tag, length and value
};

// Reads the elements of a constructed value one after the other; anything
// malformed ends the reading.
class DerReader
{
public:
    explicit DerReader(std::string_view bytes, int depth = 0) : rest(bytes), depth(depth) { }

    bool atEnd() const { return rest.empty(); }

    std::optional<Element> next()
    {
        if (broken || rest.size() < 2)
            return stop();
        Element element;
        element.tag = static_cast<unsigned char>(rest[0]);
        std::size_t length = static_cast<unsigned char>(rest[1]);
        std::size_t header = 2;
        if (length == 0x80)
            return indefinite(element);
        if (length & 0x80) {
            const std::size_t lengthBytes = length & 0x7F;
            if (lengthBytes > 4 || rest.size() < 2 + lengthBytes)
                return stop();
            length = 0;
            for (std::size_t i = 0; i < lengthBytes; ++i)
                length = (length << 8) | static_cast<unsigned char>(rest[2 + i]);
            header += lengthBytes;
        }
        if (rest.size() - header < length)
            return stop();
        element.content = rest.substr(header, length);
        element.whole = rest.substr(0, header + length);
        rest.remove_prefix(header + length);
        return element;
    }

    // The next element, which must carry `tag`.
    std::optional<Element> expect(unsigned char tag)
    {
        std::optional<Element> element = next();
        if (element && element->tag != tag)
            return stop();
        return element;
    }

private:
    // A constructed element of indefinite length runs up to the end-of-contents
    // element that closes it; its children may be indefinite themselves.
    std::optional<Element> indefinite(Element &element)
    {
        if (!(element.tag & constructedBit) || depth >= deepestNesting)
            return stop();
        DerReader children(rest.substr(2), depth + 1);
        for (;;) {
            std::optional<Element> child = children.next();
            if (!child)
                return stop();
            if (child->tag == tagEndOfContents && child->whole.size() == 2)
                break;
        }
        const std::size_t consumed = rest.size() - children.rest.size();
        element.content = rest.substr(2, consumed - 4);
        element.whole = rest.substr(0, consumed);
        rest.remove_prefix(consumed);
        return element;
    }

    std::optional<Element> stop()
    {
        broken = true;
        return std::nullopt;
    }

    std::string_view rest;
    int depth;
    bool broken = false;
};

// Object identifiers by their encoded content bytes.
constexpr std::string_view oidEnvelopedData("\x2A\x86\x48\x86\xF7\x0D\x01\x07\x03", 9);
constexpr std::string_view oidRsaEncryption("\x2A\x86\x48\x86\xF7\x0D\x01\x01\x01", 9);
constexpr std::string_view oidRc2Cbc("\x2A\x86\x48\x86\xF7\x0D\x03\x02", 8);
constexpr std::string_view oidDesEde3Cbc("\x2A\x86\x48\x86\xF7\x0D\x03\x07", 8);
constexpr std::string_view oidDesCbc("\x2B\x0E\x03\x02\x07", 5);
constexpr std::string_view oidAes128Cbc("\x60\x86\x48\x01\x65\x03\x04\x01\x02", 9);
constexpr std::string_view oidAes192Cbc("\x60\x86\x48\x01\x65\x03\x04\x01\x16", 9);
constexpr std::string_view oidAes256Cbc("\x60\x86\x48\x01\x65\x03\x04\x01\x2A", 9);

// One key-transport recipient: who it is and the content key wrapped for it.
struct KeyTransportRecipient
{
    std::string_view issuer;       // the DER of the issuer's name
    std::string_view serialNumber; // the integer's content, most significant byte first
    std::string_view keyAlgorithm; // object identifier
    std::string_view wrappedKey;
};

struct EncryptedContent
{
    std::string_view algorithm;  // object identifier
    Element parameters;          // the algorithm's parameters (the IV, for RC2 with the key size)
    std::string encrypted;       // the content, joined when it comes in pieces
};

struct Envelope
{
    std::vector<KeyTransportRecipient> recipients;
    EncryptedContent content;
};

std::optional<KeyTransportRecipient> readRecipient(const Element &info)
{
    DerReader fields(info.content);
    std::optional<Element> version = fields.expect(tagInteger);
    std::optional<Element> identifier = fields.next();
    // Recipients named by key identifier or of other kinds are not for this store.
    if (!version || !identifier || identifier->tag != tagSequence)
        return std::nullopt;
    DerReader issuerAndSerial(identifier->content);
    std::optional<Element> issuer = issuerAndSerial.expect(tagSequence);
    std::optional<Element> serial = issuerAndSerial.expect(tagInteger);
    std::optional<Element> algorithm = fields.expect(tagSequence);
    std::optional<Element> wrappedKey = fields.expect(tagOctetString);
    if (!issuer || !serial || !algorithm || !wrappedKey)
        return std::nullopt;
    std::optional<Element> algorithmId = DerReader(algorithm->content).expect(tagOid);
    if (!algorithmId)
        return std::nullopt;
    return KeyTransportRecipient { issuer->whole, serial->content, algorithmId->content, wrappedKey->content };
}

std::optional<EncryptedContent> readEncryptedContent(const Element &info)
{
    DerReader fields(info.content);
    std::optional<Element> contentType = fields.expect(tagOid);
    std::optional<Element> algorithm = fields.expect(tagSequence);
    if (!contentType || !algorithm)
        return std::nullopt;
    EncryptedContent content;
    DerReader algorithmFields(algorithm->content);
    std::optional<Element> algorithmId = algorithmFields.expect(tagOid);
    std::optional<Element> parameters = algorithmFields.next();
    std::optional<Element> encrypted = fields.next();
    if (!algorithmId || !parameters || !encrypted)
        return std::nullopt;
    content.algorithm = algorithmId->content;
    content.parameters = *parameters;
    if (encrypted->tag == tagImplicit0) {
        content.encrypted = std::string(encrypted->content);
    } else if (encrypted->tag == tagExplicit0) {
        // Constructed: the content in octet-string pieces.
        DerReader pieces(encrypted->content);
        while (!pieces.atEnd()) {
            std::optional<Element> piece = pieces.expect(tagOctetString);
            if (!piece)
                return std::nullopt;
            content.encrypted += piece->content;
        }
    } else {
        return std::nullopt;
    }
    return content;
}

// ContentInfo { envelopedData, [0] EnvelopedData { version, [0] originator
// info (optional), recipient infos, encrypted content info, ... } }.
std::optional<Envelope> readEnvelope(std::string_view message)
{
    std::optional<Element> contentInfo = DerReader(message).expect(tagSequence);
    if (!contentInfo)
        return std::nullopt;
    DerReader outer(contentInfo->content);
    std::optional<Element> type = outer.expect(tagOid);
    std::optional<Element> explicitContent = outer.expect(tagExplicit0);
    if (!type || type->content != oidEnvelopedData || !explicitContent)
        return std::nullopt;
    std::optional<Element> envelopedData = DerReader(explicitContent->content).expect(tagSequence);
    if (!envelopedData)
        return std::nullopt;
    DerReader fields(envelopedData->content);
    std::optional<Element> version = fields.expect(tagInteger);
    std::optional<Element> recipientInfos = fields.next();
    if (recipientInfos && recipientInfos->tag == tagExplicit0) // originator info
        recipientInfos = fields.next();
    std::optional<Element> encryptedContentInfo = fields.expect(tagSequence);
    if (!version || !recipientInfos || recipientInfos->tag != tagSet || !encryptedContentInfo)
        return std::nullopt;

    Envelope envelope;
    DerReader infos(recipientInfos->content);
    while (!infos.atEnd()) {
        std::optional<Element> info = infos.next();
        if (!info)
            return std::nullopt;
        if (info->tag != tagSequence)
            continue; // agreement, key-encryption-key or password recipients
        if (std::optional<KeyTransportRecipient> recipient = readRecipient(*info))
            envelope.recipients.push_back(*recipient);
    }
    std::optional<EncryptedContent> content = readEncryptedContent(*encryptedContentInfo);
    if (!content)
        return std::nullopt;
    envelope.content = std::move(*content);
    return envelope;
}

// ---- The steps through crypt32 -------------------------------------------

struct MessageCloser
{
    void operator()(void *message) const { CryptMsgClose(message); }
};
using MessagePointer = std::unique_ptr<void, MessageCloser>;

struct CertificateReleaser
{
    void operator()(const CERT_CONTEXT *certificate) const { CertFreeCertificateContext(certificate); }
};
using CertificatePointer = std::unique_ptr<const CERT_CONTEXT, CertificateReleaser>;

constexpr DWORD messageEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

MessagePointer decodeMessage(const Bytes &message)
{
    MessagePointer decoded(CryptMsgOpenToDecode(messageEncoding, 0, 0, 0, nullptr, nullptr));
    if (!decoded || !CryptMsgUpdate(decoded.get(), message.data(), static_cast<DWORD>(message.size()), TRUE)) {
        failWithLastError();
        return nullptr;
    }
    return decoded;
}

bool isEnvelopedData(void *message)
{
    DWORD type = 0;
    DWORD size = sizeof type;
    return CryptMsgGetParam(message, CMSG_TYPE_PARAM, 0, &type, &size) && type == CMSG_ENVELOPED;
}

// The message's recipient infos as crypt32 names them: issuer and serial number.
std::vector<Bytes> recipientInfos(void *message)
{
    std::vector<Bytes> infos;
    DWORD count = 0;
    DWORD size = sizeof count;
    if (!CryptMsgGetParam(message, CMSG_RECIPIENT_COUNT_PARAM, 0, &count, &size))
        return infos;
    for (DWORD i = 0; i < count; ++i) {
        DWORD infoSize = 0;
        if (!CryptMsgGetParam(message, CMSG_RECIPIENT_INFO_PARAM, i, nullptr, &infoSize))
            return {};
        Bytes info(infoSize);
        if (!CryptMsgGetParam(message, CMSG_RECIPIENT_INFO_PARAM, i, info.data(), &infoSize))
            return {};
        infos.push_back(std::move(info));
    }
    return infos;
}

// crypt32 keeps integers least significant byte first.
bool sameRecipient(const CERT_INFO &named, const KeyTransportRecipient &recipient)
{
    const std::string_view issuer(reinterpret_cast<const char *>(named.Issuer.pbData), named.Issuer.cbData);
    if (issuer != recipient.issuer || named.SerialNumber.cbData != recipient.serialNumber.size())
        return false;
    for (std::size_t i = 0; i < recipient.serialNumber.size(); ++i) {
        if (named.SerialNumber.pbData[i] != static_cast<unsigned char>(recipient.serialNumber[recipient.serialNumber.size() - 1 - i]))
            return false;
    }
    return true;
}

// The content key, unwrapped with the private key of the certificate (RSA,
// PKCS #1 v1.5). CryptDecrypt takes the integer least significant byte first.
std::optional<Bytes> unwrapContentKey(const CERT_CONTEXT &certificate, const KeyTransportRecipient &recipient)
{
    if (recipient.keyAlgorithm != oidRsaEncryption)
        return std::nullopt;
    HCRYPTPROV_OR_NCRYPT_KEY_HANDLE provider = 0;
    DWORD keySpec = 0;
    BOOL release = FALSE;
    if (!CryptAcquireCertificatePrivateKey(&certificate, 0, nullptr, &provider, &keySpec, &release)) {
        failWithLastError();
        return std::nullopt;
    }
    std::optional<Bytes> contentKey;
    HCRYPTKEY key = 0;
    // Wine's .p12 import records every key kind the provider offers (both
    // bits); the key that decrypts is the key-exchange key.
    if (keySpec == (AT_KEYEXCHANGE | AT_SIGNATURE))
        keySpec = AT_KEYEXCHANGE;
    if (keySpec != CERT_NCRYPT_KEY_SPEC && CryptGetUserKey(provider, keySpec, &key)) {
        Bytes buffer(recipient.wrappedKey.rbegin(), recipient.wrappedKey.rend());
        DWORD length = static_cast<DWORD>(buffer.size());
        if (CryptDecrypt(key, 0, TRUE, 0, buffer.data(), &length)) {
            buffer.resize(length);
            contentKey = std::move(buffer);
        } else {
            failWithLastError();
        }
        CryptDestroyKey(key);
    } else {
        failWithLastError();
    }
    if (release && keySpec != CERT_NCRYPT_KEY_SPEC)
        CryptReleaseContext(provider, 0);
    return contentKey;
}

// ---- Decrypting the content ----------------------------------------------

std::optional<std::string_view> octetString(const Element &element)
{
    if (element.tag != tagOctetString)
        return std::nullopt;
    return element.content;
}

struct Rc2Parameters
{
    DWORD effectiveBits;
    std::string_view iv;
};

// RC2-CBC parameters (RFC 8018): the key size as a version number and the IV.
std::optional<Rc2Parameters> rc2Parameters(const Element &parameters)
{
    if (parameters.tag == tagOctetString) // no version: 32 effective bits
        return Rc2Parameters { 32, parameters.content };
    if (parameters.tag != tagSequence)
        return std::nullopt;
    DerReader fields(parameters.content);
    std::optional<Element> version = fields.expect(tagInteger);
    std::optional<Element> iv = fields.expect(tagOctetString);
    if (!version || !iv || version->content.empty() || version->content.size() > 2)
        return std::nullopt;
    DWORD number = 0;
    for (char byte : version->content)
        number = (number << 8) | static_cast<unsigned char>(byte);
    DWORD bits = number;
    if (number == 160)
        bits = 40;
    else if (number == 120)
        bits = 64;
    else if (number == 58)
        bits = 128;
    else if (number < 256)
        return std::nullopt; // a version that encodes no usual key size
    return Rc2Parameters { bits, iv->content };
}

// A raw key for the key functions: a plaintext key blob.
HCRYPTKEY importKey(HCRYPTPROV provider, ALG_ID algorithm, const Bytes &key)
{
    struct Blob
    {
        BLOBHEADER header;
        DWORD length;
    } blob { { PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, algorithm }, static_cast<DWORD>(key.size()) };
    Bytes bytes(sizeof blob + key.size());
    std::memcpy(bytes.data(), &blob, sizeof blob);
    std::memcpy(bytes.data() + sizeof blob, key.data(), key.size());
    HCRYPTKEY imported = 0;
    if (!CryptImportKey(provider, bytes.data(), static_cast<DWORD>(bytes.size()), 0, CRYPT_NO_SALT, &imported)) {
        failWithLastError();
        return 0;
    }
    return imported;
}

// CBC decryption with the key functions; CryptDecrypt removes the padding.
std::optional<Bytes> decryptWithKeyFunctions(HCRYPTPROV provider, ALG_ID algorithm, const Bytes &key,
                                             std::string_view iv, DWORD rc2EffectiveBits, const std::string &encrypted)
{
    HCRYPTKEY imported = importKey(provider, algorithm, key);
    if (!imported)
        return std::nullopt;
    std::optional<Bytes> content;
    Bytes ivBytes(iv.begin(), iv.end());
    bool ready = true;
    if (algorithm == CALG_RC2)
        ready = CryptSetKeyParam(imported, KP_EFFECTIVE_KEYLEN, reinterpret_cast<const BYTE *>(&rc2EffectiveBits), 0);
    ready = ready && CryptSetKeyParam(imported, KP_IV, ivBytes.data(), 0);
    Bytes buffer(encrypted.begin(), encrypted.end());
    DWORD length = static_cast<DWORD>(buffer.size());
    if (ready && CryptDecrypt(imported, 0, TRUE, 0, buffer.data(), &length)) {
        buffer.resize(length);
        content = std::move(buffer);
    } else {
        failWithLastError();
    }
    CryptDestroyKey(imported);
    return content;
}

// AES-CBC with BCrypt, which removes the padding too.
std::optional<Bytes> decryptAes(const Bytes &key, std::string_view iv, const std::string &encrypted)
{
    BCRYPT_ALG_HANDLE aes = nullptr;
    if (BCryptOpenAlgorithmProvider(&aes, BCRYPT_AES_ALGORITHM, nullptr, 0) != 0) {
        fail(NTE_BAD_ALGID);
        return std::nullopt;
    }
    std::optional<Bytes> content;
    BCRYPT_KEY_HANDLE handle = nullptr;
    auto mode = const_cast<wchar_t *>(BCRYPT_CHAIN_MODE_CBC);
    const bool ready = BCryptSetProperty(aes, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(mode),
                                         sizeof(BCRYPT_CHAIN_MODE_CBC), 0) == 0
                       && BCryptGenerateSymmetricKey(aes, &handle, nullptr, 0, const_cast<PUCHAR>(key.data()),
                                                     static_cast<ULONG>(key.size()), 0) == 0;
    if (ready) {
        Bytes ivBytes(iv.begin(), iv.end());
        Bytes buffer(encrypted.size());
        ULONG length = 0;
        auto input = reinterpret_cast<PUCHAR>(const_cast<char *>(encrypted.data()));
        if (BCryptDecrypt(handle, input, static_cast<ULONG>(encrypted.size()), nullptr, ivBytes.data(),
                          static_cast<ULONG>(ivBytes.size()), buffer.data(), static_cast<ULONG>(buffer.size()), &length,
                          BCRYPT_BLOCK_PADDING) == 0) {
            buffer.resize(length);
            content = std::move(buffer);
        } else {
            fail(NTE_BAD_DATA);
        }
        BCryptDestroyKey(handle);
    } else {
        fail(NTE_BAD_KEY);
    }
    BCryptCloseAlgorithmProvider(aes, 0);
    return content;
}

std::optional<Bytes> decryptContent(HCRYPTPROV provider, const EncryptedContent &content, const Bytes &key)
{
    const std::string_view algorithm = content.algorithm;
    if (algorithm == oidRc2Cbc) {
        std::optional<Rc2Parameters> parameters = rc2Parameters(content.parameters);
        if (!parameters || parameters->iv.size() != 8) {
            recordMalformedInput();
            return std::nullopt;
        }
        return decryptWithKeyFunctions(provider, CALG_RC2, key, parameters->iv, parameters->effectiveBits,
                                       content.encrypted);
    }
    std::optional<std::string_view> iv = octetString(content.parameters);
    if (!iv) {
        recordMalformedInput();
        return std::nullopt;
    }
    if (algorithm == oidDesEde3Cbc && key.size() == 24 && iv->size() == 8)
        return decryptWithKeyFunctions(provider, CALG_3DES, key, *iv, 0, content.encrypted);
    if (algorithm == oidDesCbc && key.size() == 8 && iv->size() == 8)
        return decryptWithKeyFunctions(provider, CALG_DES, key, *iv, 0, content.encrypted);
    const bool aes = (algorithm == oidAes128Cbc && key.size() == 16) || (algorithm == oidAes192Cbc && key.size() == 24)
                     || (algorithm == oidAes256Cbc && key.size() == 32);
    if (aes && iv->size() == 16)
        return decryptAes(key, *iv, content.encrypted);
    fail(NTE_BAD_ALGID);
    return std::nullopt;
}

} // namespace

CertificateStore::CertificateStore()
{
    // Read-only: opening a document must not change the user's store.
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                     CERT_SYSTEM_STORE_CURRENT_USER | CERT_STORE_READONLY_FLAG | CERT_STORE_OPEN_EXISTING_FLAG,
                                     L"MY");
    if (!store) {
        failWithLastError();
        return;
    }
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextW(&provider, nullptr, MS_ENH_RSA_AES_PROV_W, PROV_RSA_AES, CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
        failWithLastError();
        CertCloseStore(store, 0);
        return;
    }
    session = std::make_unique<Session>(Session { store, provider });
}

CertificateStore::~CertificateStore()
{
    if (session) {
        CryptReleaseContext(session->provider, 0);
        CertCloseStore(session->store, 0);
    }
}

std::optional<Bytes> CertificateStore::decryptEnvelope(const Bytes &message) const
{
    if (message.empty()) {
        recordMalformedInput();
        return std::nullopt;
    }
    MessagePointer decoded = decodeMessage(message);
    if (!decoded)
        return std::nullopt;
    std::optional<Envelope> envelope = readEnvelope(std::string_view(reinterpret_cast<const char *>(message.data()), message.size()));
    if (!isEnvelopedData(decoded.get()) || !envelope) {
        recordMalformedInput();
        return std::nullopt;
    }
    // Meant for nobody here, unless a recipient below proves otherwise.
    fail(static_cast<DWORD>(CRYPT_E_NO_DECRYPT_CERT));
    for (const Bytes &info : recipientInfos(decoded.get())) {
        const auto &named = *reinterpret_cast<const CERT_INFO *>(info.data());
        CertificatePointer certificate(CertGetSubjectCertificateFromStore(session->store, messageEncoding, const_cast<CERT_INFO *>(&named)));
        if (!certificate)
            continue;
        for (const KeyTransportRecipient &recipient : envelope->recipients) {
            if (!sameRecipient(named, recipient))
                continue;
            std::optional<Bytes> key = unwrapContentKey(*certificate, recipient);
            if (!key)
                continue;
            if (std::optional<Bytes> content = decryptContent(session->provider, envelope->content, *key))
                return content;
        }
    }
    return std::nullopt;
}

Sha1Digest CertificateStore::sha1(const Bytes &data) const
{
    Sha1Digest digest {};
    HCRYPTHASH hash = 0;
    if (CryptCreateHash(session->provider, CALG_SHA1, 0, 0, &hash)) {
        DWORD length = static_cast<DWORD>(digest.size());
        CryptHashData(hash, data.data(), static_cast<DWORD>(data.size()), 0);
        CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &length, 0);
        CryptDestroyHash(hash);
    }
    return digest;
}

int lastCryptographyError()
{
    return static_cast<int>(lastError);
}

void recordMalformedInput()
{
    fail(static_cast<DWORD>(NTE_BAD_DATA));
}

void reportUndecryptableDocument(int errorCode)
{
    std::fprintf(stderr, "错误代码:\t%d\n", errorCode);
    std::fflush(stderr);
}

} // namespace colligo
