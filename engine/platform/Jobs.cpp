#include "Jobs.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace colligo {

int jobCount()
{
    if (const char *text = std::getenv("COLLIGO_JOBS")) {
        char *end = nullptr;
        long jobs = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && jobs >= 1 && jobs <= 64)
            return static_cast<int>(jobs);
    }
    unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 64u));
}

} // namespace colligo
