#pragma once
// The few operating-system services the module registry needs: the identity of
// the running process and a small named shared-memory block. One portable
// interface; each platform has its own implementation file.

#include "PlugRecords.h"

#include <cstddef>
#include <cstdint>

namespace Plug::Platform {

constexpr MappingHandle NoMapping = -1;

std::uint32_t CurrentProcessId();

// A value that differs between two processes that got the same id one after
// the other (the process start time); 0 when it cannot be determined.
std::uint64_t CurrentProcessStartStamp();

// Opens the existing block of that name; NoMapping when there is none, when it
// is smaller than `size` bytes, or when it belongs to another user.
MappingHandle OpenSharedBlock(const char *name, std::size_t size);

// Creates a block of `size` zeroed bytes under that name, replacing a block
// left behind under the same name. NoMapping on failure.
MappingHandle CreateSharedBlock(const char *name, std::size_t size);

void *MapSharedBlock(MappingHandle block, std::size_t size);   // null on failure
void UnmapSharedBlock(void *view, std::size_t size);
void CloseSharedBlock(MappingHandle block);

// Removes the name; the block itself goes once nobody has it open.
void RemoveSharedBlock(const char *name);

} // namespace Plug::Platform
