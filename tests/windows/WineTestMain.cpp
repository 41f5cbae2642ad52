// The Wine tests' main: one Wine prefix serves every test and is removed at the end.
#include "WineSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

class WineSessionEnd : public ::testing::Environment
{
public:
    void TearDown() override { wine_testing::Wine::endSession(); }
};

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Outputs that keep metadata carry their creation date: both builds must
    // write the same one for their files to be compared byte for byte (Wine
    // hands the environment to the Windows programs).
    setenv("SOURCE_DATE_EPOCH", "1765400000", 1);
    if (!wine_testing::machineRuns32BitPrograms())
        std::printf("wine_test: this machine cannot execute 32-bit programs (its kernel lacks i386 support): "
                    "the x86 build's files are checked, its programs are not run\n");
    ::testing::AddGlobalTestEnvironment(new WineSessionEnd);
    return RUN_ALL_TESTS();
}
