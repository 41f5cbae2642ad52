#pragma once
// Loading the plug-in libraries that lie directly in a folder beside the program.

#include "LibraryTable.h"

#include <string>

// True for names ending in the platform's library extension (".so" on Linux,
// ".dll" on Windows) in any letter case.
bool IsPluginLibraryName(const std::string &name);

// Loads every plug-in library directly inside programFolder + folderName, in
// the folder's listing order, into the table. Files that cannot be loaded are
// skipped without a message; once the table is full nothing more is loaded.
void LoadPluginFolder(LibraryTable &libraries, const std::string &programFolder, const std::string &folderName);
