// The engine's two process-wide merge lists: (path, page-range expression)
// entries filled by AddFile/AddFileW and consumed by Colligo/ColligoW.
#pragma once

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
    std::u16string path; // any length
    std::string expression;
};

std::vector<MergeEntry> &narrowMergeList();
std::vector<MergeEntryW> &wideMergeList();

// Whether a file may be listed: it opens without a password and allows
// copying, printing and changing, exactly as OpenPDF would accept it. A
// refusal records its reason.
bool isMergeable(const std::string &path);

} // namespace colligo
