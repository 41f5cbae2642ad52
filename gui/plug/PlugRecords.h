#pragma once
// Record layouts of the module registry. The launcher and every plug-in library
// are built separately and read the same table by byte position, so these
// layouts are an interface between programs: change them only together.

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace Plug {

// Every module object implements this interface; the slot order is fixed.
// The destructor is deliberately not virtual: it would add slots, and module
// objects are destroyed by their own Release, never through the interface.
class I_Plug
{
public:
    virtual bool InitInstance() = 0;     // slot 0: true when the object is ready for use
    virtual std::int32_t AddRef() = 0;   // slot 1: the new reference count
    virtual void Release() = 0;          // slot 2: the object deletes itself at count zero

protected:
    ~I_Plug() = default;
};

// Creates a new module object with a reference count of 1, owned by the caller.
using ModuleFactory = I_Plug *(*)();

constexpr std::size_t ModuleNameSize = 32;   // 31 characters and the terminator
constexpr std::size_t ModuleNameMaxLength = ModuleNameSize - 1;
constexpr std::int32_t ModuleTableRows = 256;

struct ModuleEntry
{
    char Name[ModuleNameSize];
    ModuleFactory Factory;
};

// The registry table: rows 0 to Count-1 are in use, in the order of registration.
struct PlugModuleManage
{
    ModuleEntry Rows[ModuleTableRows];
    std::int32_t Count;
};

// Platform handle of the named shared block (a file descriptor on POSIX).
using MappingHandle = std::intptr_t;

// Allocated by the library that created the registry; lives as long as the registry.
struct RegistryHolder
{
    MappingHandle Mapping;
    PlugModuleManage *Table;
};

// Content of the named shared block. The start stamp of the creating process
// tells a live block from one left behind by a dead process with the same id.
struct RegistryHeader
{
    RegistryHolder *Holder;
    std::uint64_t CreatorStartStamp;
};

static_assert(offsetof(ModuleEntry, Factory) == ModuleNameSize);
static_assert(sizeof(ModuleEntry) == ModuleNameSize + sizeof(void *));
static_assert(offsetof(PlugModuleManage, Count) == ModuleTableRows * sizeof(ModuleEntry));
static_assert(offsetof(RegistryHolder, Table) == sizeof(void *));
// The stamp follows the pointer, aligned as a 64-bit value (8 bytes on
// 32-bit Windows, where the pointer takes 4).
static_assert(offsetof(RegistryHeader, CreatorStartStamp) == std::max(sizeof(void *), alignof(std::uint64_t)));

} // namespace Plug
