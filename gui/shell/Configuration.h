#pragma once
// Reads the application's configuration into its context: the version from
// "config.xml" in the application folder, and the language index, which picks
// the web links, from "config-ext.xml" in the program folder.

#include "MuiContext.h"

// Missing files, keys or option store leave an empty version and index 0.
void LoadConfiguration(MuiContext &context);
