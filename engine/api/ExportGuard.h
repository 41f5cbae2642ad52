// Every export runs its body through guarded(): no C++ exception may cross
// the C interface, so one becomes the export's failure result (and its reason).
#pragma once

#include "Failure.h"
#include "colligo.h"

#include <exception>

namespace colligo {

template<typename Result, typename Body>
Result guarded(Result failure, Body &&body) noexcept
{
    try {
        return body();
    } catch (...) {
        try {
            recordFailure(COLLIGO_FAILURE_INTERNAL, "the engine ran out of memory or met an unexpected error");
        } catch (...) {
        }
        return failure;
    }
}

} // namespace colligo
