#pragma once
// The libraries the launcher has loaded, in loading order. They are unloaded
// in the reverse order, so the first library that registered a module (the
// owner of the module registry) is the last one to go.

#include "DynamicLibrary.h"

#include <array>
#include <cstddef>

class LibraryTable
{
public:
    static constexpr std::size_t Capacity = 256;

    LibraryTable() = default;
    ~LibraryTable() { FreeAllLibraries(); }
    LibraryTable(const LibraryTable &) = delete;
    LibraryTable &operator=(const LibraryTable &) = delete;

    bool IsFull() const { return Count == Capacity; }
    std::size_t Size() const { return Count; }

    // Keeps a loaded library; false (and the library stays untouched) when full.
    bool Append(LibraryHandle library);

    // Unloads every library, the last loaded first.
    void FreeAllLibraries();

private:
    std::array<LibraryHandle, Capacity> Handles {};
    std::size_t Count = 0;
};
