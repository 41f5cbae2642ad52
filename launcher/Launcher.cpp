#include "Launcher.h"

#include "I_Vellumor.h"
#include "LibraryTable.h"
#include "PlugRegistry.h"
#include "PluginFolders.h"

#include <filesystem>
#include <system_error>

namespace {

// The icon is handed over as the path of the launcher's icon file, or null.
std::string ApplicationIcon(const std::string &programFolder)
{
    const std::string path = programFolder + IconFileName;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path : std::string();
}

void RunApplicationModule(const std::string &programFolder)
{
    Plug::I_Plug *module = Plug::CreateModule(Plug::VellumorModuleName);
    if (!module)
        return;
    // The registry hands out the I_Plug view of the object its factory made.
    auto *application = static_cast<Plug::I_Vellumor *>(module);
    const std::string icon = ApplicationIcon(programFolder);
    application->Run(icon.empty() ? nullptr : icon.c_str(), ProductTitle);
    application->Release();
}

} // namespace

int RunLauncher(const std::string &programFolder)
{
    LibraryTable libraries;
    LoadPluginFolder(libraries, programFolder, "dll");
    LoadPluginFolder(libraries, programFolder, "PlugDll");
    RunApplicationModule(programFolder);
    libraries.FreeAllLibraries();
    return 0;
}
