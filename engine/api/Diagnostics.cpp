// The engine writes no log: poppler's diagnostics are silenced from the moment
// the library is loaded.
#include <Error.h>

namespace {

void discardDiagnostic(ErrorCategory, Goffset, const char *) { }

struct SilencePoppler
{
    SilencePoppler() { setErrorCallback(discardDiagnostic); }
} silencePoppler;

} // namespace
