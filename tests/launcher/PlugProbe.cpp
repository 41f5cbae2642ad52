// A second process for the registry tests: registers one module, reports
// which of the other names it can find in its own registry, then holds its
// registry until its standard input closes.
#include "PlugRegistry.h"

#include <cstdio>

namespace {
Plug::I_Plug *NoModule()
{
    return nullptr;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    Plug::AutoReg registration(argv[1], &NoModule);
    for (int i = 1; i < argc; ++i) {
        const bool found = Plug::FindModuleEntry(Plug::OpenModuleRegistry(), argv[i]) != nullptr;
        std::printf("%s %s\n", found ? "found" : "missing", argv[i]);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
