// The launcher frees the plug-ins in reverse loading order so that the owner
// of the module registry goes last. That only holds if a freed library is
// really gone, not pinned until exit (as GNU unique symbols would pin it).
#include "PlugRegistry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

TEST(PluginLibraries, AreGoneOnceFreedAndTakeTheirModulesWithThem)
{
    void *options = dlopen(SAVE_OPTION_XML_PATH, RTLD_NOW | RTLD_LOCAL);
    void *application = dlopen(VELLUMOR_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(options, nullptr) << dlerror();
    ASSERT_NE(application, nullptr) << dlerror();
    EXPECT_NE(Plug::FindModuleEntry(Plug::OpenModuleRegistry(), "Vellumor"), nullptr);

    dlclose(application);
    EXPECT_EQ(dlopen(VELLUMOR_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_EQ(Plug::FindModuleEntry(Plug::OpenModuleRegistry(), "Vellumor"), nullptr);
    EXPECT_NE(Plug::FindModuleEntry(Plug::OpenModuleRegistry(), "SaveOptionXml"), nullptr);

    dlclose(options);
    EXPECT_EQ(dlopen(SAVE_OPTION_XML_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_EQ(Plug::OpenModuleRegistry(), nullptr);
}

} // namespace
