#include "PlugRegistry.h"

#include "SharedBlock.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace Plug {

namespace {

bool FitsNameField(const char *name)
{
    return name != nullptr && std::strlen(name) <= ModuleNameMaxLength;
}

// Reads the header of this process's block; false when there is no block.
bool ReadRegistryHeader(RegistryHeader &header)
{
    const std::string name = MakeRegistryName();
    const MappingHandle block = Platform::OpenSharedBlock(name.c_str(), sizeof(RegistryHeader));
    if (block == Platform::NoMapping)
        return false;
    void *view = Platform::MapSharedBlock(block, sizeof(RegistryHeader));
    if (view)
        std::memcpy(&header, view, sizeof header);
    if (view)
        Platform::UnmapSharedBlock(view, sizeof(RegistryHeader));
    Platform::CloseSharedBlock(block);
    return view != nullptr;
}

} // namespace

std::string MakeRegistryName()
{
    // snprintf rather than std::to_string: the latter brings a unique symbol
    // that would keep every plug-in library from ever being unloaded.
    char name[32] = {};
    std::snprintf(name, sizeof name, "%uPlug3.0", static_cast<unsigned>(Platform::CurrentProcessId()));
    return name;
}

PlugModuleManage *OpenModuleRegistry()
{
    RegistryHeader header {};
    if (!ReadRegistryHeader(header))
        return nullptr;
    // A block from a dead process that had our id points into nothing.
    if (header.Holder == nullptr || header.CreatorStartStamp != Platform::CurrentProcessStartStamp())
        return nullptr;
    return header.Holder->Table;
}

RegistryHolder *CreateModuleRegistry()
{
    const std::string name = MakeRegistryName();
    const MappingHandle block = Platform::CreateSharedBlock(name.c_str(), sizeof(RegistryHeader));
    if (block == Platform::NoMapping)
        return nullptr;
    void *view = Platform::MapSharedBlock(block, sizeof(RegistryHeader));
    RegistryHolder *holder = view ? new (std::nothrow) RegistryHolder {block, nullptr} : nullptr;
    if (!holder) {
        if (view)
            Platform::UnmapSharedBlock(view, sizeof(RegistryHeader));
        Platform::CloseSharedBlock(block);
        Platform::RemoveSharedBlock(name.c_str());
        return nullptr;
    }
    const RegistryHeader header {holder, Platform::CurrentProcessStartStamp()};
    std::memcpy(view, &header, sizeof header);
    Platform::UnmapSharedBlock(view, sizeof(RegistryHeader));
    return holder;
}

ModuleEntry *FindModuleEntry(PlugModuleManage *table, const char *name)
{
    if (!table || !FitsNameField(name))
        return nullptr;
    for (std::int32_t row = 0; row < table->Count; ++row) {
        if (std::strcmp(table->Rows[row].Name, name) == 0)
            return &table->Rows[row];
    }
    return nullptr;
}

bool AddModuleEntry(PlugModuleManage *table, const char *name, ModuleFactory factory)
{
    if (!table || !FitsNameField(name) || table->Count < 0 || table->Count >= ModuleTableRows)
        return false;
    ModuleEntry &row = table->Rows[table->Count];
    std::strcpy(row.Name, name);
    row.Factory = factory;
    ++table->Count;
    return true;
}

void RemoveModuleEntry(PlugModuleManage *table, const char *name)
{
    ModuleEntry *row = FindModuleEntry(table, name);
    if (!row)
        return;
    ModuleEntry *end = table->Rows + table->Count;
    std::memmove(row, row + 1, static_cast<std::size_t>(end - (row + 1)) * sizeof(ModuleEntry));
    --table->Count;
}

I_Plug *CreateModule(const char *name)
{
    char localName[ModuleNameSize] = {};
    if (!FitsNameField(name))
        return nullptr;
    std::strcpy(localName, name);

    ModuleEntry *row = FindModuleEntry(OpenModuleRegistry(), localName);
    if (!row || !row->Factory)
        return nullptr;

    I_Plug *module = nullptr;
    try {
        module = row->Factory();
        if (module && module->InitInstance())
            return module;
    } catch (...) {
    }
    // Not ready for use: the caller never sees it, so its reference ends here.
    if (module) {
        try {
            module->Release();
        } catch (...) {
        }
    }
    return nullptr;
}

AutoReg::AutoReg(const char *name, ModuleFactory factory)
{
    if (!FitsNameField(name))
        return;
    std::strcpy(Name, name);

    Table = OpenModuleRegistry();
    if (!Table && !CreateRegistry())
        return;
    if (!AddModuleEntry(Table, Name, factory) && !CreatorFlag)
        Table = nullptr;
}

AutoReg::~AutoReg()
{
    if (Table && Name[0] != '\0')
        RemoveModuleEntry(Table, Name);
    if (CreatorFlag)
        FreeRegistry();
}

bool AutoReg::CreateRegistry()
{
    Holder = CreateModuleRegistry();
    if (!Holder)
        return false;
    Table = new (std::nothrow) PlugModuleManage;
    if (!Table) {
        FreeRegistry();
        return false;
    }
    Table->Count = 0;
    Holder->Table = Table;
    CreatorFlag = true;
    return true;
}

void AutoReg::FreeRegistry()
{
    delete Table;
    Table = nullptr;
    if (Holder) {
        Platform::CloseSharedBlock(Holder->Mapping);
        Platform::RemoveSharedBlock(MakeRegistryName().c_str());
        delete Holder;
        Holder = nullptr;
    }
    CreatorFlag = false;
}

} // namespace Plug
