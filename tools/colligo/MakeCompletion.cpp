// Writes colligo's bash completion script, made from the command table, to
// the file named by its argument (the target update-completion runs it on
// tools/colligo/colligo.bash-completion).
#include "CommandLine.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    std::FILE *file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const std::string script = cli::bashCompletion();
    const bool written = std::fwrite(script.data(), 1, script.size(), file) == script.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
