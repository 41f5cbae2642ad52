// A small library between a program and the engine: the program dlopen()s it,
// and it links the engine, so the engine arrives the way it does under the
// launcher's plug-ins rather than as a dependency of the program.
#include "colligo.h"

extern "C" __attribute__((visibility("default"))) int probePageCount(const char *path, const char *password)
{
    DocumentHandle handle = OpenPDF(path, password);
    if (handle < 0)
        return static_cast<int>(handle);
    int pages = GetPageCount(handle);
    ClosePDF(handle);
    return pages;
}
