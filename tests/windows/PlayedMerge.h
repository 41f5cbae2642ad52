// The application under Wine, played by the test plug-in merging-user.dll
// (programs/MergingUserPlugin.cpp, in Korvel's "dll" folder): Korvel.exe
// shows its main window, the plug-in drops two real documents on it, waits
// until they are listed, merges them and closes the window. Used on the
// unpacked zip and on the installed application alike.
#pragma once

#include "WineSupport.h"

#include <string>

namespace wine_testing {

struct PlayedMerge
{
    bool listed = false;         // both files were listed in time
    int exitStatus = -1;         // Korvel.exe's, -1 when it did not end in time
    std::string steps;           // the plug-in's log, one line a step
    std::string merged;          // the merged file's bytes
    std::string linuxMerge;      // the Linux build's merge of the same files
};

// Plays the merge with `korvel` (a Korvel.exe whose dll folder holds
// merging-user.dll) in `wine`, whose display must be live. Documents and the
// merge go into `work`; `screenshot`, when not empty, receives a picture of
// the window with the files listed.
PlayedMerge playMerge(Wine &wine, const std::string &korvel, const std::string &work, const std::string &screenshot = "");

// The window was shown, the files listed and merged, the program ended well,
// and its merge is byte for byte the Linux build's.
void expectMergedAsOnLinux(const PlayedMerge &played);

} // namespace wine_testing
