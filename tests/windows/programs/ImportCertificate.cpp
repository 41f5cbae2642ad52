// import-certificate: puts a test identity into the current user's personal
// certificate store "MY" (of the Wine prefix the tests run in).
//
//   import-certificate IDENTITY.p12     certificate and private key (no password)
//   import-certificate CERTIFICATE.pem  the certificate alone, without its key
#include <windows.h>

#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> readFile(const wchar_t *path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

HCERTSTORE openPersonalStore()
{
    return CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"MY");
}

bool endsWith(const std::wstring &text, const std::wstring &suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The .p12 file's certificates with their keys, which the import puts into
// the user's key containers.
bool importIdentity(HCERTSTORE personal, std::vector<BYTE> &bytes)
{
    CRYPT_DATA_BLOB blob { static_cast<DWORD>(bytes.size()), bytes.data() };
    HCERTSTORE identity = PFXImportCertStore(&blob, L"", CRYPT_USER_KEYSET | CRYPT_EXPORTABLE);
    if (!identity)
        return false;
    bool added = false;
    const CERT_CONTEXT *certificate = nullptr;
    while ((certificate = CertEnumCertificatesInStore(identity, certificate)))
        added = CertAddCertificateContextToStore(personal, certificate, CERT_STORE_ADD_REPLACE_EXISTING, nullptr) || added;
    CertCloseStore(identity, 0);
    return added;
}

bool importCertificate(HCERTSTORE personal, const std::vector<BYTE> &pem)
{
    const std::string text(pem.begin(), pem.end());
    DWORD size = 0;
    if (!CryptStringToBinaryA(text.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
        return false;
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(text.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr))
        return false;
    return CertAddEncodedCertificateToStore(personal, X509_ASN_ENCODING, der.data(), size, CERT_STORE_ADD_REPLACE_EXISTING,
                                            nullptr);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: import-certificate IDENTITY.p12 | CERTIFICATE.pem\n");
        return 2;
    }
    HCERTSTORE personal = openPersonalStore();
    if (!personal) {
        std::fprintf(stderr, "import-certificate: cannot open the store MY (%lu)\n", GetLastError());
        return 1;
    }
    const std::wstring argument = argv[1];
    std::vector<BYTE> bytes = readFile(argv[1]);
    const bool done = !bytes.empty() && (endsWith(argument, L".p12") ? importIdentity(personal, bytes) : importCertificate(personal, bytes));
    if (!done)
        std::fprintf(stderr, "import-certificate: failed (%lu)\n", GetLastError());
    CertCloseStore(personal, 0);
    return done ? 0 : 1;
}
