#pragma once
// Korvel's whole run: load the plug-in folders, create the application module
// and run it, then release it and unload the libraries.

#include <string>

inline constexpr const char *ProductTitle = "Quellan PDF Merger";
inline constexpr const char *IconFileName = "Korvel.png";

// Runs the application found in the plug-in folders beside programFolder
// (which ends with a separator). Returns the program's exit code, always 0.
int RunLauncher(const std::string &programFolder);
