// The engine's progress callback for tests: records every call and answers
// "stop" at call number `stopProgressAt` (0: never).
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <vector>

namespace testing_support {

using Call = std::tuple<int, int, int, int>; // phase, total, page, position

inline std::vector<Call> progressCalls;
inline std::size_t stopProgressAt = 0;

inline void resetProgress()
{
    progressCalls.clear();
    stopProgressAt = 0;
}

inline int32_t recordProgress(int32_t phase, int32_t total, int32_t page, int32_t position)
{
    progressCalls.emplace_back(phase, total, page, position);
    return progressCalls.size() == stopProgressAt ? 0 : 1;
}

} // namespace testing_support
