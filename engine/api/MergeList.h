// The engine's two process-wide merge lists: (path, page-range expression)
// entries filled by AddFile/AddFileW and consumed by Colligo/ColligoW.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace colligo {

struct MergeEntry
{
    std::string path; // UTF-8
    std::string expression;
};

struct MergeEntryW
{
    static constexpr std::size_t pathCapacity = 260; // UTF-16 units, the NUL included
    std::array<char16_t, pathCapacity> path {};
    std::string expression;
};

std::vector<MergeEntry> &narrowMergeList();
std::vector<MergeEntryW> &wideMergeList();

} // namespace colligo
