// A small plug-in library for the launcher's tests. It notes its loading and
// unloading, with the folder and file name it was loaded from, in the file
// named by PLUG_TRACE_FILE, and registers a module like a real plug-in.
#include "PlugRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace {

// "folder/file" of this library, as the loader knows it.
std::string OwnName()
{
    static const int anchor = 0;
    Dl_info info {};
    if (!dladdr(&anchor, &info) || !info.dli_fname)
        return "?";
    const std::string path = info.dli_fname;
    const std::size_t file = path.rfind('/');
    const std::size_t folder = file == std::string::npos || file == 0 ? std::string::npos : path.rfind('/', file - 1);
    return folder == std::string::npos ? path : path.substr(folder + 1);
}

void Trace(const char *event)
{
    const char *traceFile = std::getenv("PLUG_TRACE_FILE");
    if (!traceFile)
        return;
    if (std::FILE *file = std::fopen(traceFile, "a")) {
        std::fprintf(file, "%s %s\n", event, OwnName().c_str());
        std::fclose(file);
    }
}

struct LoadTrace
{
    LoadTrace() { Trace("load"); }
    ~LoadTrace() { Trace("unload"); }
};

Plug::I_Plug *NoModule()
{
    return nullptr;
}

// Constructed after the trace and destroyed before it.
LoadTrace trace;
Plug::AutoReg registration("TracePlugin", &NoModule);

} // namespace
