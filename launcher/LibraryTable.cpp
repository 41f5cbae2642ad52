#include "LibraryTable.h"

bool LibraryTable::Append(LibraryHandle library)
{
    if (IsFull())
        return false;
    Handles[Count++] = library;
    return true;
}

void LibraryTable::FreeAllLibraries()
{
    while (Count > 0)
        UnloadPluginLibrary(Handles[--Count]);
}
