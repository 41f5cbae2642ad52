// The security handler for documents encrypted for certificates
// (/Filter /Adobe.PubSec): it finds a recipient string that the current
// user's certificate store can decrypt and derives the file key from it.
// Poppler does the per-object keys and the RC4 and AES decryption.
#pragma once

#include "CertificateStore.h"

#include <SecurityHandler.h>

#include <string>
#include <vector>

class Dict;

namespace colligo {

// What the encryption dictionary says about keys and recipients.
struct PublicKeyEncryption
{
    int version = 0;               // /V
    int keyBytes = 0;              // 0: no key size this handler can use
    CryptAlgorithm algorithm = cryptRC4;
    bool metadataEncrypted = true; // /EncryptMetadata
    std::vector<Bytes> recipients; // the string elements of /Recipients, in order

    static PublicKeyEncryption read(Dict &encryptDictionary);
};

class PublicKeySecurityHandler : public SecurityHandler
{
public:
    // Does all the work; afterwards isOk() tells whether a file key exists.
    // A failure has already been reported to the user.
    PublicKeySecurityHandler(PDFDoc *document, Object *encryptDictionary);

    bool isOk() const { return ok; }

    // Passwords play no part for this filter: the document opens exactly when
    // the construction derived a file key.
    void *makeAuthData(const std::optional<GooString> &, const std::optional<GooString> &) override { return nullptr; }
    void freeAuthData(void *) override { }
    bool authorize(void *) override { return ok; }

    int getPermissionFlags() const override { return permissionFlags; }
    bool getOwnerPasswordOk() const override { return ownerVerified; }
    const unsigned char *getFileKey() const override { return fileKey.data(); }
    int getFileKeyLength() const override { return ok ? keyLength : 0; }
    int getEncVersion() const override { return encryption.version; }
    int getEncRevision() const override { return 0; } // the scheme has no revision
    CryptAlgorithm getEncAlgorithm() const override { return encryption.algorithm; }

private:
    bool deriveFileKey(const CertificateStore &store);
    std::optional<Bytes> firstDecryptableSeed(const CertificateStore &store) const;
    Bytes digestInput(const Bytes &seed) const;

    PublicKeyEncryption encryption;
    bool ok = false;
    // Reported for completeness: the owner-verified state grants every permission.
    int permissionFlags = ~0x3;
    bool ownerVerified = false;
    Sha1Digest fileKey {};
    int keyLength = 0;
};

} // namespace colligo
