// On Windows poppler is built from source with a small patch of ours
// (scripts/windows/patches/poppler-security-handler-factory.patch) that lets a
// program add security handlers for filters poppler does not know. The engine
// adds its certificate handler when the DLL is loaded; poppler then runs it
// like its own password handler: authorize() succeeds exactly when the
// handler derived a file key, and poppler installs that key.
#include "PublicKeySecurityHandler.h"

namespace {

SecurityHandler *makePublicKeyHandler(PDFDoc *document, Object *encryptDictionary)
{
    return new colligo::PublicKeySecurityHandler(document, encryptDictionary);
}

struct Registration
{
    Registration() { SecurityHandler::registerFactory("Adobe.PubSec", makePublicKeyHandler); }
} registration;

} // namespace
