#pragma once
// The module registry of a process: plug-in libraries announce their modules by
// name while they load, and any code in the process creates them by name.
// The table's address is published in a named shared block whose name carries
// the process id, so the registry is private to its process.

#include "PlugRecords.h"

#include <string>

namespace Plug {

// The registry name of the current process: its id in decimal, then "Plug3.0".
std::string MakeRegistryName();

// The registry table of this process, or null when no library has created one.
PlugModuleManage *OpenModuleRegistry();

// Creates the named block and a holder whose table the caller still has to set.
// Null when the block cannot be created.
RegistryHolder *CreateModuleRegistry();

// The first row in use whose name equals `name` exactly (case-sensitive), or null.
ModuleEntry *FindModuleEntry(PlugModuleManage *table, const char *name);

// Appends a row. Refused (false) when the table is full or the name does not
// fit its field; nothing is written then.
bool AddModuleEntry(PlugModuleManage *table, const char *name, ModuleFactory factory);

// Removes the first row named `name`, keeping the order of the rows behind it.
void RemoveModuleEntry(PlugModuleManage *table, const char *name);

// Creates the module and readies it with InitInstance. Null when there is no
// registry, no such module, InitInstance fails, or the module throws. The
// caller owns the returned reference and ends it with Release.
I_Plug *CreateModule(const char *name);

// One static object per module a library provides: constructing it registers
// the module, destroying it unregisters it. The first one in a process creates
// the registry and frees it again when it is destroyed.
class AutoReg
{
public:
    AutoReg(const char *name, ModuleFactory factory);
    ~AutoReg();
    AutoReg(const AutoReg &) = delete;
    AutoReg &operator=(const AutoReg &) = delete;

    bool IsRegistered() const { return Table != nullptr && Name[0] != '\0'; }
    bool IsRegistryOwner() const { return CreatorFlag; }

private:
    bool CreateRegistry();
    void FreeRegistry();

    char Name[ModuleNameSize] = {};
    bool CreatorFlag = false;
    PlugModuleManage *Table = nullptr;
    RegistryHolder *Holder = nullptr;
};

} // namespace Plug
