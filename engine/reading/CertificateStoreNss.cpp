// CertificateStore on NSS: a read-only context on sql:$HOME/.pki/nssdb and
// NSS's CMS decoder, which finds the recipient info whose certificate and
// private key the database holds and decrypts the content with that key.
#include "CertificateStore.h"

#include <cms.h>
#include <nss.h>
#include <secerr.h>
#include <sechash.h>
#include <secport.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace colligo {

struct CertificateStore::Session
{
    NSSInitContext *context;
};

namespace {

std::optional<std::string> userDatabaseDirectory()
{
    const char *home = std::getenv("HOME");
    if (!home || !*home)
        return std::nullopt;
    return std::string("sql:") + home + "/.pki/nssdb";
}

// A context of our own (rather than NSS_Init) leaves a host program's NSS
// alone; read-only because opening a document must not change the store, and
// without the built-in roots, which decryption never needs.
NSSInitContext *openReadOnlyContext(const std::string &directory)
{
    return NSS_InitContext(directory.c_str(), "", "", "", nullptr, NSS_INIT_READONLY | NSS_INIT_NOROOTINIT);
}

struct MessageDeleter
{
    void operator()(NSSCMSMessage *message) const { NSS_CMSMessage_Destroy(message); }
};
using MessagePointer = std::unique_ptr<NSSCMSMessage, MessageDeleter>;

bool isEnvelopedData(NSSCMSMessage &message)
{
    NSSCMSContentInfo *outer = NSS_CMSMessage_ContentLevel(&message, 0);
    return outer && NSS_CMSContentInfo_GetContentTypeTag(outer) == SEC_OID_PKCS7_ENVELOPED_DATA;
}

} // namespace

CertificateStore::CertificateStore()
{
    std::optional<std::string> directory = userDatabaseDirectory();
    if (!directory) {
        PORT_SetError(SEC_ERROR_BAD_DATABASE);
        return;
    }
    if (NSSInitContext *context = openReadOnlyContext(*directory))
        session = std::make_unique<Session>(Session { context });
}

CertificateStore::~CertificateStore()
{
    if (session)
        NSS_ShutdownContext(session->context);
}

std::optional<Bytes> CertificateStore::decryptEnvelope(const Bytes &message) const
{
    if (!isOpen()) // NSS is not initialised: nothing may be asked of it
        return std::nullopt;
    if (message.empty()) {
        recordMalformedInput();
        return std::nullopt;
    }
    SECItem der { siBuffer, const_cast<unsigned char *>(message.data()), static_cast<unsigned int>(message.size()) };
    // Decoding an enveloped-data message decrypts it: NSS identifies the
    // recipient info it holds a certificate and private key for.
    MessagePointer decoded(NSS_CMSMessage_CreateFromDER(&der, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!decoded)
        return std::nullopt;
    if (!isEnvelopedData(*decoded)) {
        recordMalformedInput();
        return std::nullopt;
    }
    SECItem *content = NSS_CMSMessage_GetContent(decoded.get());
    if (!content || !content->data) {
        recordMalformedInput();
        return std::nullopt;
    }
    return Bytes(content->data, content->data + content->len);
}

Sha1Digest CertificateStore::sha1(const Bytes &data) const
{
    Sha1Digest digest {};
    HASH_HashBuf(HASH_AlgSHA1, digest.data(), data.data(), static_cast<PRUint32>(data.size()));
    return digest;
}

int lastCryptographyError()
{
    return PORT_GetError();
}

void recordMalformedInput()
{
    PORT_SetError(SEC_ERROR_BAD_DATA);
}

void reportUndecryptableDocument(int errorCode)
{
    std::fprintf(stderr, "错误代码:\t%d\n", errorCode);
    std::fflush(stderr);
}

} // namespace colligo
