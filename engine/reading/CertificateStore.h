// The current user's certificates and private keys, and the cryptography the
// certificate security handler needs from the platform. On Linux this is NSS
// with the per-user database that desktop programs share.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace colligo {

using Bytes = std::vector<unsigned char>;
using Sha1Digest = std::array<unsigned char, 20>;

// Open for one attempt to open a document, closed on destruction. It never
// disturbs a cryptography context the host program may have set up.
class CertificateStore
{
public:
    CertificateStore();
    ~CertificateStore();
    CertificateStore(const CertificateStore &) = delete;
    CertificateStore &operator=(const CertificateStore &) = delete;

    bool isOpen() const { return session != nullptr; }

    // The content of a PKCS#7 enveloped-data message, decrypted with the
    // private key of whichever recipient the store holds a certificate and
    // key for. Nothing when the message is malformed, not enveloped data, or
    // meant for nobody here.
    std::optional<Bytes> decryptEnvelope(const Bytes &message) const;

    Sha1Digest sha1(const Bytes &data) const;

private:
    struct Session;
    std::unique_ptr<Session> session;
};

// The platform's code for the most recent cryptography failure of this thread.
int lastCryptographyError();
// Records that the input itself was unusable, so that the reported code says so.
void recordMalformedInput();

// Tells the user that a certificate-encrypted document could not be opened.
void reportUndecryptableDocument(int errorCode);

} // namespace colligo
