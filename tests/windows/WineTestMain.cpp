// The Wine tests' main: one Wine prefix serves every test and is removed at the end.
#include "WineSupport.h"

#include <gtest/gtest.h>

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
    ::testing::AddGlobalTestEnvironment(new WineSessionEnd);
    return RUN_ALL_TESTS();
}
