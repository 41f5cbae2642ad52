// Korvel: the program the user starts. It has no window of its own; the
// application lives in the plug-in libraries beside it.
#include "DynamicLibrary.h"
#include "Launcher.h"

int main()
{
    return RunLauncher(ProgramFolder());
}
