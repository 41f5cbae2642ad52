// Poppler chooses only its password handler. PDFDoc::setup calls
// PDFDoc::checkEncryption through the dynamic linker, so the engine defines
// that member itself: certificate-encrypted documents get our handler, every
// other document goes on to poppler's own definition.
#include "PublicKeySecurityHandler.h"

#include <PDFDoc.h>
#include <XRef.h>

#include <dlfcn.h>

namespace {

using CheckEncryption = bool (*)(PDFDoc *, const std::optional<GooString> &, const std::optional<GooString> &);

// The engine's version script exports exactly this name.
constexpr char checkEncryptionSymbol[] = "_ZN6PDFDoc15checkEncryptionERKSt8optionalI9GooStringES4_";

CheckEncryption popplersCheckEncryption()
{
    static const auto next = reinterpret_cast<CheckEncryption>(dlsym(RTLD_NEXT, checkEncryptionSymbol));
    return next;
}

bool isCertificateEncrypted(const Object &encrypt)
{
    return encrypt.isDict() && encrypt.dictLookup("Filter").isName("Adobe.PubSec");
}

// No password check and no retry: the document opens exactly when the
// handler derived a file key, which poppler then decrypts with.
bool openWithCertificate(PDFDoc &document, Object &encrypt)
{
    colligo::PublicKeySecurityHandler handler(&document, &encrypt);
    if (!handler.isOk())
        return false;
    document.getXRef()->setEncryption(handler.getPermissionFlags(), handler.getOwnerPasswordOk(), handler.getFileKey(),
                                      handler.getFileKeyLength(), handler.getEncVersion(), handler.getEncRevision(),
                                      handler.getEncAlgorithm());
    return true;
}

} // namespace

bool PDFDoc::checkEncryption(const std::optional<GooString> &ownerPassword, const std::optional<GooString> &userPassword)
{
    Object *trailer = getXRef()->getTrailerDict();
    Object encrypt = trailer->isDict() ? trailer->dictLookup("Encrypt") : Object(objNull);
    if (isCertificateEncrypted(encrypt))
        return openWithCertificate(*this, encrypt);
    CheckEncryption poppler = popplersCheckEncryption();
    return poppler && poppler(this, ownerPassword, userPassword);
}
