// Every export runs its body through guarded(): no C++ exception may cross
// the C interface, so one becomes the export's failure result.
#pragma once

#include <exception>

namespace colligo {

template<typename Result, typename Body>
Result guarded(Result failure, Body &&body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

} // namespace colligo
