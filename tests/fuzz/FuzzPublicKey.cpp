// The certificate handler's reading of an encryption dictionary and of its
// recipient strings: the input is the text of the dictionary.
#include "reading/CertificateStore.h"
#include "reading/PublicKeySecurityHandler.h"

#include <Dict.h>
#include <Object.h>
#include <Parser.h>
#include <Stream.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // poppler's memory stream does not own its bytes; the parser owns the stream.
    char *bytes = static_cast<char *>(std::malloc(size + 1));
    std::memcpy(bytes, data, size);
    {
        Parser parser(nullptr, new MemStream(bytes, 0, static_cast<Goffset>(size), Object(objNull)), false);
        Object dictionary = parser.getObj();
        if (dictionary.isDict()) {
            colligo::PublicKeyEncryption encryption = colligo::PublicKeyEncryption::read(*dictionary.getDict());
            colligo::CertificateStore store;
            for (const colligo::Bytes &recipient : encryption.recipients)
                store.decryptEnvelope(recipient);
        }
    }
    std::free(bytes);
    return 0;
}
