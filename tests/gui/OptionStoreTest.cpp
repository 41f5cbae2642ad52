// The option store, loaded as the real plug-in library and reached through
// the module registry, on present, missing and malformed files.
#include "I_SaveOptionXml.h"
#include "PlugRegistry.h"
#include "TempDir.h"
#include "VtableSlot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <string>

using testing_support::SlotOf;

namespace {

std::u16string Utf16(const std::string &utf8Ascii)
{
    return std::u16string(utf8Ascii.begin(), utf8Ascii.end());
}

class OptionStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Library = dlopen(SAVE_OPTION_XML_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(Library, nullptr) << dlerror();
        Store = static_cast<Plug::I_SaveOptionXml *>(Plug::CreateModule(Plug::SaveOptionXmlModuleName));
        ASSERT_NE(Store, nullptr);
    }

    void TearDown() override
    {
        if (Store)
            Store->Release();
        if (Library)
            dlclose(Library);
    }

    std::u16string Write(const std::string &name, const std::string &content) const
    {
        std::ofstream(Folder.file(name), std::ios::binary) << content;
        return Utf16(Folder.file(name));
    }

    std::u16string Text(const char16_t *key) { return Store->GetText(key); }

    testing_support::TempDir Folder;
    void *Library = nullptr;
    Plug::I_SaveOptionXml *Store = nullptr;
};

TEST(OptionStoreInterface, KeepsItsSlotOrder)
{
    EXPECT_EQ(SlotOf(&Plug::I_SaveOptionXml::InitInstance), 0u);
    EXPECT_EQ(SlotOf(&Plug::I_SaveOptionXml::Release), 2u);
    EXPECT_EQ(SlotOf(&Plug::I_SaveOptionXml::Load), 4u);
    EXPECT_EQ(SlotOf(&Plug::I_SaveOptionXml::GetText), 6u);
    EXPECT_EQ(SlotOf(&Plug::I_SaveOptionXml::GetNumber), 12u);
}

TEST_F(OptionStoreTest, ReadsNestedElementsByKeyPath)
{
    ASSERT_TRUE(Store->Load(Write("config.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<product><version>2.4.1</version><name>Zusammenf\xc3\xbcgen \xe6\x97\xa5</name>"
        "<language> 3 </language><deep><er><est>x</est></er></deep></product>").c_str()));
    EXPECT_EQ(Text(u"product\\version"), u"2.4.1");
    EXPECT_EQ(Text(u"product\\name"), u"Zusammenf\u00fcgen \u65e5");
    EXPECT_EQ(Text(u"product\\deep\\er\\est"), u"x");
    EXPECT_EQ(Store->GetNumber(u"product\\language"), 3);
}

TEST_F(OptionStoreTest, MissingKeysGiveEmptyTextAndZero)
{
    ASSERT_TRUE(Store->Load(Write("config.xml", "<product><version>1.0</version></product>").c_str()));
    for (const char16_t *key : {u"product\\missing", u"other\\version", u"version", u"product\\version\\deeper",
                                u"product\\\\version", u"\\product\\version", u"product\\", u""}) {
        const char16_t *text = Store->GetText(key);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::u16string(text), u"") << std::string(key, key + std::char_traits<char16_t>::length(key));
        EXPECT_EQ(Store->GetNumber(key), 0);
    }
}

TEST_F(OptionStoreTest, NumbersMustBeWholeDecimalsInRange)
{
    const std::pair<const char *, int> cases[] = {
        {"2", 2}, {"-7", -7}, {"  12\n", 12}, {"2147483647", 2147483647},
        {"2147483648", 0}, {"3x", 0}, {"x3", 0}, {"1.5", 0}, {"", 0}, {"0x10", 0},
    };
    for (const auto &[text, expected] : cases) {
        ASSERT_TRUE(Store->Load(Write("n.xml", std::string("<product><language>") + text + "</language></product>").c_str()));
        EXPECT_EQ(Store->GetNumber(u"product\\language"), expected) << '"' << text << '"';
    }
}

TEST_F(OptionStoreTest, AMissingOrMalformedFileLeavesNothingToRead)
{
    const std::pair<const char *, std::string> badFiles[] = {
        {"missing", ""},
        {"malformed", "<product><version>1.0</version>"},
        {"empty", ""},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
    };
    for (const auto &[kind, content] : badFiles) {
        const std::u16string path = std::string(kind) == "missing" ? Utf16(Folder.file("nothing.xml"))
                                                                   : Write(std::string(kind) + ".xml", content);
        ASSERT_TRUE(Store->Load(Write("good.xml", "<product><version>1.0</version></product>").c_str()));
        EXPECT_FALSE(Store->Load(path.c_str())) << kind;
        EXPECT_EQ(Text(u"product\\version"), u"") << kind;
    }
    EXPECT_FALSE(Store->Load(nullptr));
}

TEST_F(OptionStoreTest, ReadsFilesUnderNonAsciiPaths)
{
    const std::string name = "Pr\xc3\xbc" "fung.xml";
    std::ofstream(Folder.file(name)) << "<product><version>9</version></product>";
    const std::u16string path = Utf16(Folder.path()) + u"/Pr\u00fcfung.xml";
    ASSERT_TRUE(Store->Load(path.c_str()));
    EXPECT_EQ(Text(u"product\\version"), u"9");
}

TEST_F(OptionStoreTest, StoresChangesAndSavesThemForTheNextLoad)
{
    EXPECT_TRUE(Store->SetText(u"product\\version", u"3.0 \u00e9"));
    EXPECT_TRUE(Store->SetNumber(u"product\\language", 2));
    EXPECT_TRUE(Store->SetText(u"product\\extra", u"gone soon"));
    EXPECT_FALSE(Store->SetText(u"elsewhere\\key", u"a second root")) << "a document has one root element";
    EXPECT_TRUE(Store->RemoveKey(u"product\\extra"));
    EXPECT_FALSE(Store->RemoveKey(u"product\\extra"));
    const std::u16string path = Utf16(Folder.file("saved.xml"));
    ASSERT_TRUE(Store->Save(path.c_str()));

    Store->Clear();
    EXPECT_FALSE(Store->HasKey(u"product\\version"));
    ASSERT_TRUE(Store->Load(path.c_str()));
    EXPECT_EQ(Text(u"product\\version"), u"3.0 \u00e9");
    EXPECT_EQ(Store->GetNumber(u"product\\language"), 2);
    EXPECT_TRUE(Store->HasKey(u"product\\language"));
    EXPECT_FALSE(Store->HasKey(u"product\\extra"));
}

} // namespace
