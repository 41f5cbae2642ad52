// The module registry of one process: registration, lookup, creation and
// the lifetime of the table and its named block.
#include "ChildProcess.h"
#include "PlugRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A module that counts what happens to it. Its behaviour in InitInstance is
// chosen per test.
enum class InitOutcome { Ready, NotReady, Throws };

struct ModuleCounters
{
    int Releases = 0;
    int Destructions = 0;
};

ModuleCounters counters;
InitOutcome initOutcome = InitOutcome::Ready;

class CountingModule final : public Plug::I_Plug
{
public:
    bool InitInstance() override
    {
        if (initOutcome == InitOutcome::Throws)
            throw std::runtime_error("not today");
        return initOutcome == InitOutcome::Ready;
    }
    std::int32_t AddRef() override { return ++References; }
    void Release() override
    {
        ++counters.Releases;
        if (--References == 0)
            delete this;
    }
    ~CountingModule() { ++counters.Destructions; }

private:
    std::int32_t References = 1;
};

Plug::I_Plug *CreateCountingModule()
{
    return new CountingModule;
}

Plug::I_Plug *ThrowingFactory()
{
    throw std::runtime_error("factory broke");
}

Plug::I_Plug *FactoryA()
{
    return nullptr;
}

Plug::I_Plug *FactoryB()
{
    return nullptr;
}

bool SharedBlockExists(const std::string &name)
{
    const int descriptor = shm_open(("/" + name).c_str(), O_RDONLY, 0);
    if (descriptor < 0)
        return false;
    close(descriptor);
    return true;
}

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        counters = {};
        initOutcome = InitOutcome::Ready;
        ASSERT_EQ(Plug::OpenModuleRegistry(), nullptr) << "a registry is left over from another test";
    }
};

TEST_F(RegistryTest, NameIsTheProcessIdFollowedByPlug30)
{
    EXPECT_EQ(Plug::MakeRegistryName(), std::to_string(getpid()) + "Plug3.0");
}

TEST_F(RegistryTest, FirstRegistrationCreatesTheRegistryAndItsOwnerFreesIt)
{
    {
        Plug::AutoReg owner("Owner", &CreateCountingModule);
        Plug::AutoReg guest("Guest", &CreateCountingModule);
        EXPECT_TRUE(owner.IsRegistryOwner());
        EXPECT_FALSE(guest.IsRegistryOwner());
        ASSERT_NE(Plug::OpenModuleRegistry(), nullptr);
        EXPECT_EQ(Plug::OpenModuleRegistry()->Count, 2);
        EXPECT_TRUE(SharedBlockExists(Plug::MakeRegistryName()));
    }
    EXPECT_EQ(Plug::OpenModuleRegistry(), nullptr);
    EXPECT_FALSE(SharedBlockExists(Plug::MakeRegistryName()));
}

TEST_F(RegistryTest, NothingIsFoundAfterTheOwnerIsGone)
{
    {
        Plug::AutoReg owner("Owner", &CreateCountingModule);
        Plug::I_Plug *module = Plug::CreateModule("Owner");
        ASSERT_NE(module, nullptr);
        module->Release();
    }
    for (const char *name : {"Owner", "Vellumor", "SaveOptionXml", ""})
        EXPECT_EQ(Plug::CreateModule(name), nullptr) << name;
}

TEST_F(RegistryTest, LookupIsExactAndCaseSensitive)
{
    Plug::AutoReg registration("Vellumor", &CreateCountingModule);
    for (const char *name : {"vellumor", "VELLUMOR", "Vellumo", "Vellumor ", "Vellumorx", ""})
        EXPECT_EQ(Plug::FindModuleEntry(Plug::OpenModuleRegistry(), name), nullptr) << name;
    EXPECT_NE(Plug::FindModuleEntry(Plug::OpenModuleRegistry(), "Vellumor"), nullptr);
}

TEST_F(RegistryTest, DuplicateNamesFindTheFirstAndUnregisterTheFirstRowOnly)
{
    Plug::AutoReg owner("Owner", &CreateCountingModule);
    auto first = std::make_unique<Plug::AutoReg>("Twin", &FactoryA);
    Plug::AutoReg second("Twin", &FactoryB);
    Plug::PlugModuleManage *table = Plug::OpenModuleRegistry();
    EXPECT_EQ(Plug::FindModuleEntry(table, "Twin")->Factory, &FactoryA);

    // Whichever library unregisters, the first matching row goes.
    Plug::RemoveModuleEntry(table, "Twin");
    EXPECT_EQ(Plug::FindModuleEntry(table, "Twin")->Factory, &FactoryB);
    EXPECT_EQ(table->Count, 2);
    first.reset();
    EXPECT_EQ(Plug::FindModuleEntry(table, "Twin"), nullptr);
    EXPECT_EQ(table->Count, 1);
}

TEST_F(RegistryTest, RemovingARowKeepsTheOrderOfTheRest)
{
    Plug::AutoReg owner("Owner", &CreateCountingModule);
    Plug::PlugModuleManage *table = Plug::OpenModuleRegistry();
    for (const char *name : {"B", "C", "D"})
        ASSERT_TRUE(Plug::AddModuleEntry(table, name, &FactoryA));
    Plug::RemoveModuleEntry(table, "C");
    Plug::RemoveModuleEntry(table, "not there");
    ASSERT_EQ(table->Count, 3);
    EXPECT_STREQ(table->Rows[0].Name, "Owner");
    EXPECT_STREQ(table->Rows[1].Name, "B");
    EXPECT_STREQ(table->Rows[2].Name, "D");
}

TEST_F(RegistryTest, RowZeroIsReusedOnceEveryRowIsRemoved)
{
    Plug::AutoReg owner("Owner", &CreateCountingModule);
    Plug::PlugModuleManage *table = Plug::OpenModuleRegistry();
    ASSERT_TRUE(Plug::AddModuleEntry(table, "Other", &FactoryA));
    Plug::RemoveModuleEntry(table, "Owner");
    Plug::RemoveModuleEntry(table, "Other");
    ASSERT_EQ(table->Count, 0);

    Plug::AutoReg late("Late", &FactoryB);
    EXPECT_EQ(table->Count, 1);
    EXPECT_STREQ(table->Rows[0].Name, "Late");
    EXPECT_EQ(table->Rows[0].Factory, &FactoryB);
}

TEST_F(RegistryTest, AFullTableRefusesFurtherRegistrations)
{
    Plug::AutoReg owner("Owner", &CreateCountingModule);
    Plug::PlugModuleManage *table = Plug::OpenModuleRegistry();
    while (table->Count < Plug::ModuleTableRows)
        ASSERT_TRUE(Plug::AddModuleEntry(table, ("M" + std::to_string(table->Count)).c_str(), &FactoryA));

    Plug::AutoReg refused("OneTooMany", &FactoryB);
    EXPECT_FALSE(refused.IsRegistered());
    EXPECT_FALSE(Plug::AddModuleEntry(table, "OneTooMany", &FactoryB));
    EXPECT_EQ(table->Count, Plug::ModuleTableRows);
    EXPECT_EQ(Plug::FindModuleEntry(table, "OneTooMany"), nullptr);
}

TEST_F(RegistryTest, NamesLongerThan31CharactersAreRefused)
{
    const std::string longest(31, 'n');
    const std::string tooLong(32, 'n');
    Plug::AutoReg owner(longest.c_str(), &CreateCountingModule);
    Plug::AutoReg refused(tooLong.c_str(), &CreateCountingModule);
    EXPECT_TRUE(owner.IsRegistered());
    EXPECT_FALSE(refused.IsRegistered());
    EXPECT_EQ(Plug::OpenModuleRegistry()->Count, 1);
    EXPECT_EQ(Plug::CreateModule(tooLong.c_str()), nullptr);

    Plug::I_Plug *module = Plug::CreateModule(longest.c_str());
    ASSERT_NE(module, nullptr);
    module->Release();
}

TEST_F(RegistryTest, ATooLongFirstNameCreatesNoRegistry)
{
    Plug::AutoReg refused(std::string(40, 'x').c_str(), &CreateCountingModule);
    EXPECT_FALSE(refused.IsRegistered());
    EXPECT_EQ(Plug::OpenModuleRegistry(), nullptr);
}

TEST_F(RegistryTest, CreateModuleHandsOutAReadyObjectWithOneReference)
{
    Plug::AutoReg registration("Counting", &CreateCountingModule);
    Plug::I_Plug *module = Plug::CreateModule("Counting");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->AddRef(), 2);
    module->Release();
    module->Release();
    EXPECT_EQ(counters.Destructions, 1);
}

class FailedCreationTest : public RegistryTest, public ::testing::WithParamInterface<InitOutcome>
{
};

TEST_P(FailedCreationTest, TheObjectIsReleasedExactlyOnceAndNeverHandedOut)
{
    initOutcome = GetParam();
    Plug::AutoReg registration("Counting", &CreateCountingModule);
    EXPECT_EQ(Plug::CreateModule("Counting"), nullptr);
    EXPECT_EQ(counters.Releases, 1);
    EXPECT_EQ(counters.Destructions, 1);
}

INSTANTIATE_TEST_SUITE_P(InitInstance, FailedCreationTest,
                         ::testing::Values(InitOutcome::NotReady, InitOutcome::Throws),
                         [](const auto &info) { return info.param == InitOutcome::Throws ? "Throws" : "ReturnsFalse"; });

TEST_F(RegistryTest, ThrowingFactoriesAndUnknownNamesYieldNone)
{
    Plug::AutoReg registration("Throwing", &ThrowingFactory);
    EXPECT_EQ(Plug::CreateModule("Throwing"), nullptr);
    EXPECT_EQ(Plug::CreateModule("Unknown"), nullptr);
    EXPECT_EQ(Plug::CreateModule(nullptr), nullptr);
}

TEST_F(RegistryTest, AStaleBlockOfADeadProcessIsReplaced)
{
    // A dead process with our id left its block behind, pointing into its own
    // address space: the address must never be followed.
    const std::string name = "/" + Plug::MakeRegistryName();
    const int descriptor = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(ftruncate(descriptor, sizeof(Plug::RegistryHeader)), 0);
    const Plug::RegistryHeader stale {reinterpret_cast<Plug::RegistryHolder *>(0x10), 1};
    ASSERT_EQ(write(descriptor, &stale, sizeof stale), static_cast<ssize_t>(sizeof stale));
    close(descriptor);

    EXPECT_EQ(Plug::OpenModuleRegistry(), nullptr);
    {
        Plug::AutoReg registration("Counting", &CreateCountingModule);
        EXPECT_TRUE(registration.IsRegistryOwner());
        Plug::I_Plug *module = Plug::CreateModule("Counting");
        ASSERT_NE(module, nullptr);
        module->Release();
    }
    EXPECT_FALSE(SharedBlockExists(Plug::MakeRegistryName()));
}

TEST_F(RegistryTest, TwoProcessesAtOnceHaveRegistriesOfTheirOwn)
{
    Plug::AutoReg registration("ParentModule", &CreateCountingModule);
    testing_support::ChildProcess child(PLUG_PROBE_PATH, {"ChildModule", "ParentModule"});
    EXPECT_EQ(child.ReadLine(), "found ChildModule");
    EXPECT_EQ(child.ReadLine(), "missing ParentModule");
    ASSERT_EQ(child.ReadLine(), "ready");

    // The child still holds its registry here.
    EXPECT_EQ(Plug::FindModuleEntry(Plug::OpenModuleRegistry(), "ChildModule"), nullptr);
    EXPECT_EQ(Plug::OpenModuleRegistry()->Count, 1);
    EXPECT_EQ(child.Finish(), 0);
}

} // namespace
