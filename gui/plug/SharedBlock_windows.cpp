// Windows implementation of the registry's platform services: a named file
// mapping backed by the paging file (CreateFileMappingA, OpenFileMappingA,
// MapViewOfFile) and the process creation time. Windows destroys a mapping
// with the last handle to it, also when a process dies, so a block cannot
// outlive its process; the start stamp still tells blocks apart.
#include "SharedBlock.h"

#include <windows.h>

#include <cstring>

namespace Plug::Platform {

namespace {

HANDLE HandleOf(MappingHandle block)
{
    return reinterpret_cast<HANDLE>(block);
}

MappingHandle BlockOf(HANDLE mapping)
{
    return mapping ? reinterpret_cast<MappingHandle>(mapping) : NoMapping;
}

// The size of an open mapping, from a view of it (whole pages).
std::size_t MappedSize(HANDLE mapping)
{
    void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view)
        return 0;
    MEMORY_BASIC_INFORMATION region {};
    const std::size_t size = VirtualQuery(view, &region, sizeof region) ? region.RegionSize : 0;
    UnmapViewOfFile(view);
    return size;
}

} // namespace

std::uint32_t CurrentProcessId()
{
    return static_cast<std::uint32_t>(GetCurrentProcessId());
}

std::uint64_t CurrentProcessStartStamp()
{
    FILETIME creation {}, exit {}, kernel {}, user {};
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return 0;
    return (static_cast<std::uint64_t>(creation.dwHighDateTime) << 32) | creation.dwLowDateTime;
}

MappingHandle OpenSharedBlock(const char *name, std::size_t size)
{
    // Named objects live in the session's own namespace: another user's
    // block is never found under the name.
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!mapping)
        return NoMapping;
    if (MappedSize(mapping) < size) {
        CloseHandle(mapping);
        return NoMapping;
    }
    return BlockOf(mapping);
}

MappingHandle CreateSharedBlock(const char *name, std::size_t size)
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), name);
    if (!mapping)
        return NoMapping;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Someone still holds a block under our name: take it over when it is
        // large enough, starting from zero bytes like a new one.
        void *view = MappedSize(mapping) >= size ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, size) : nullptr;
        if (!view) {
            CloseHandle(mapping);
            return NoMapping;
        }
        std::memset(view, 0, size);
        UnmapViewOfFile(view);
    }
    return BlockOf(mapping);
}

void *MapSharedBlock(MappingHandle block, std::size_t size)
{
    return MapViewOfFile(HandleOf(block), FILE_MAP_ALL_ACCESS, 0, 0, size);
}

void UnmapSharedBlock(void *view, std::size_t)
{
    UnmapViewOfFile(view);
}

void CloseSharedBlock(MappingHandle block)
{
    CloseHandle(HandleOf(block));
}

void RemoveSharedBlock(const char *)
{
    // The name goes with the last handle; there is nothing to remove.
}

} // namespace Plug::Platform
