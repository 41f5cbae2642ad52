#pragma once
// The operating-system services the launcher needs: loading libraries,
// listing a folder and finding the program's own folder.

#include <string>
#include <vector>

using LibraryHandle = void *;

// Loads the library; null when it cannot be loaded.
LibraryHandle LoadPluginLibrary(const std::string &path);
void UnloadPluginLibrary(LibraryHandle library);

// Names of the entries directly in `folder` that are not folders, in the
// order the file system lists them; empty when the folder cannot be read.
std::vector<std::string> ListFolderFiles(const std::string &folder);

// The folder of the running program, with a trailing separator.
std::string ProgramFolder();

#ifdef _WIN32
constexpr char PathSeparator = '\\';
constexpr char PluginLibraryExtension[] = ".dll";
#else
constexpr char PathSeparator = '/';
constexpr char PluginLibraryExtension[] = ".so";
#endif
