// The application shell: its context, web links, configuration, error boxes
// and one whole run of the application object with a real main window.
#include "ApplicationTitle.h"
#include "Configuration.h"
#include "MergerForm_Unit1.h"
#include "MessageBox.h"
#include "MuiContext.h"
#include "TempDir.h"
#include "VtableSlot.h"
#include "Vellumor.h"
#include "WebLinks.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>

using testing_support::SlotOf;

namespace {

QApplication &Application()
{
    static int argc = 1;
    static char name[] = "shell_test";
    static char *argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals may be gone by the time statics die.
    static QApplication *application = new QApplication(argc, argv);
    return *application;
}

// One answered message box, as the user would have seen it.
struct SeenBox
{
    int Count = 0;
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

class AnsweredBoxes
{
public:
    AnsweredBoxes()
    {
        SetMessageBoxResponder([this](QMessageBox &box) {
            ++Seen.Count;
            Seen.Title = box.windowTitle();
            Seen.Text = box.text();
            Seen.Icon = box.icon();
            return QMessageBox::Ok;
        });
    }
    ~AnsweredBoxes() { SetMessageBoxResponder({}); }

    SeenBox Seen;
};

TEST(VellumorInterface, KeepsItsSlotOrder)
{
    EXPECT_EQ(SlotOf(&Plug::I_Vellumor::InitInstance), 0u);
    EXPECT_EQ(SlotOf(&Plug::I_Vellumor::AddRef), 1u);
    EXPECT_EQ(SlotOf(&Plug::I_Vellumor::Release), 2u);
    EXPECT_EQ(SlotOf(&Plug::I_Vellumor::IsReady), 3u);
    EXPECT_EQ(SlotOf(&Plug::I_Vellumor::Run), 4u);
}

TEST(MuiContextFolders, FollowTheProgramAndTheTitle)
{
    struct Case
    {
        QString ProgramPath;
        QString Title;
        QString ProgramFolder;
        QString ApplicationFolder;
    };
    const Case cases[] = {
        {"/opt/quellan/Korvel", "Quellan PDF Merger", "/opt/quellan/", "/opt/quellan/sys/soft/Quellan PDF Merger/"},
        {"/home/r\u00e9mi/\u5de5\u5177/Korvel", "Fusion \u00e9t\u00e9 \u65e5\u672c",
         "/home/r\u00e9mi/\u5de5\u5177/", "/home/r\u00e9mi/\u5de5\u5177/sys/soft/Fusion \u00e9t\u00e9 \u65e5\u672c/"},
        {"/Korvel", "T", "/", "/sys/soft/T/"},
    };
    for (const Case &c : cases) {
        const MuiContext context = MakeMuiContext(c.ProgramPath, c.Title);
        EXPECT_EQ(context.ProgramFolder, c.ProgramFolder);
        EXPECT_EQ(context.ApplicationFolder, c.ApplicationFolder);
        EXPECT_EQ(context.ProductTitle, c.Title);
        EXPECT_EQ(context.CompanyName, "Quellan Studio");
    }
}

TEST(WebLinks, OneRegionalSitePerLanguageAndTheInternationalOneOtherwise)
{
    const std::pair<int, QString> cases[] = {
        {0, "https://www.quellan-studio.com"}, {1, "https://jp.quellan-studio.com"},
        {2, "https://de.quellan-studio.com"},  {3, "https://fr.quellan-studio.com"},
        {4, "https://www.quellan-studio.com"}, {-1, "https://www.quellan-studio.com"},
        {1000000, "https://www.quellan-studio.com"},
    };
    for (const auto &[index, home] : cases) {
        CSTRWEBLINK links;
        BuildWebLinks(index, links);
        EXPECT_EQ(links.HomePageLink, home) << index;
        EXPECT_EQ(links.SupportLink, home + "/support.html") << index;
    }
}

class ConfigurationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Context = MakeMuiContext(QString::fromStdString(Folder.file("Korvel")), "Quellan PDF Merger");
        std::filesystem::create_directories(Context.ApplicationFolder.toStdString());
    }
    void TearDown() override
    {
        if (Library)
            dlclose(Library);
    }

    void LoadOptionStore()
    {
        Library = dlopen(SAVE_OPTION_XML_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(Library, nullptr) << dlerror();
    }
    void WriteVersion(const std::string &version) const
    {
        std::ofstream((Context.ApplicationFolder + "config.xml").toStdString())
            << "<product><version>" << version << "</version></product>";
    }
    void WriteLanguage(const std::string &language) const
    {
        std::ofstream((Context.ProgramFolder + "config-ext.xml").toStdString())
            << "<product><language>" << language << "</language></product>";
    }

    testing_support::TempDir Folder;
    MuiContext Context;
    void *Library = nullptr;
};

TEST_F(ConfigurationTest, ReadsTheVersionAndPicksTheLinksOfTheLanguage)
{
    LoadOptionStore();
    WriteVersion("1.4.2");
    WriteLanguage("2");
    LoadConfiguration(Context);
    EXPECT_EQ(Context.Version, "1.4.2");
    EXPECT_EQ(Context.HomePageLink, "https://de.quellan-studio.com");
    EXPECT_EQ(Context.SupportLink, "https://de.quellan-studio.com/support.html");
}

TEST_F(ConfigurationTest, WithoutTheLanguageFileTheLinksAreThoseOfIndexZero)
{
    LoadOptionStore();
    WriteVersion("1.4.2");
    LoadConfiguration(Context);
    EXPECT_EQ(Context.Version, "1.4.2");
    EXPECT_EQ(Context.HomePageLink, "https://www.quellan-studio.com");
}

TEST_F(ConfigurationTest, AnUnknownLanguageIndexGivesTheInternationalLinks)
{
    LoadOptionStore();
    WriteLanguage("7");
    LoadConfiguration(Context);
    EXPECT_EQ(Context.Version, "");
    EXPECT_EQ(Context.SupportLink, "https://www.quellan-studio.com/support.html");
}

TEST_F(ConfigurationTest, WithoutTheOptionStoreTheVersionIsEmptyAndTheIndexZero)
{
    WriteVersion("1.4.2");
    WriteLanguage("3");
    LoadConfiguration(Context);
    EXPECT_EQ(Context.Version, "");
    EXPECT_EQ(Context.HomePageLink, "https://www.quellan-studio.com");
}

TEST(ErrorBoxes, ShowTheExceptionTextCaptionedWithTheApplicationTitle)
{
    Application();
    SetApplicationTitle("Quellan PDF Merger");
    const std::pair<std::function<void()>, QString> cases[] = {
        {[] { throw std::runtime_error("Disk full: caf\xc3\xa9.pdf"); }, "Disk full: caf\u00e9.pdf"},
        {[] { throw 42; }, ""},
    };
    for (const auto &[work, text] : cases) {
        AnsweredBoxes boxes;
        ShowingExceptions(work);
        EXPECT_EQ(boxes.Seen.Count, 1);
        EXPECT_EQ(boxes.Seen.Text, text);
        EXPECT_EQ(boxes.Seen.Title, "Quellan PDF Merger");
        EXPECT_EQ(boxes.Seen.Icon, QMessageBox::Critical);
    }
    AnsweredBoxes boxes;
    ShowingExceptions([] {});
    EXPECT_EQ(boxes.Seen.Count, 0);
}

// Plays the user: closes the main window as soon as it is shown, noting what it showed.
class ClosingUser : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *form = qobject_cast<TMergerForm *>(watched);
        if (form && event->type() == QEvent::Show) {
            ++Shown;
            WindowTitle = form->windowTitle();
            LabelText = form->findChild<QLabel *>("lblTitle")->text();
            SeenContext = CurrentMuiContext() != nullptr && MergerForm == form;
            QMetaObject::invokeMethod(form, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }

    int Shown = 0;
    QString WindowTitle;
    QString LabelText;
    bool SeenContext = false;
};

TEST(VellumorRun, ShowsTheMainWindowAndReturnsWhenItCloses)
{
    QApplication &application = Application();
    ClosingUser user;
    application.installEventFilter(&user);

    auto *module = static_cast<Plug::I_Vellumor *>(Vellumor::Create());
    EXPECT_TRUE(module->InitInstance());
    EXPECT_TRUE(module->IsReady());
    EXPECT_TRUE(module->Run(nullptr, "Quellan PDF Merger \xe2\x80\x93 \xc3\xa9"));
    module->Release();
    application.removeEventFilter(&user);

    EXPECT_EQ(user.Shown, 1);
    EXPECT_EQ(user.WindowTitle, "Quellan PDF Merger \u2013 \u00e9");
    EXPECT_EQ(user.LabelText, "Quellan PDF Merger \u2013 \u00e9");
    EXPECT_TRUE(user.SeenContext);
    EXPECT_EQ(ApplicationTitle(), "Quellan PDF Merger \u2013 \u00e9");
    // No window and no context outlive the run.
    EXPECT_EQ(CurrentMuiContext(), nullptr);
    EXPECT_EQ(MergerForm, nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

} // namespace
