// The method dialog: the choice of pages, order and interleaving it turns
// into a record's texts, its reactions while open, and what OK refuses.
#include "MethodForm_Unit1.h"
#include "SSButton.h"
#include "WorkspaceSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace workspace_testing;

namespace {

TItemInfo Record(int pages)
{
    TItemInfo item;
    item.FileName = QStringLiteral("file.pdf");
    item.FilePath = QStringLiteral("/tmp/file.pdf");
    item.TotalPages = pages;
    item.PageRange = pages == 1 ? QStringLiteral("1") : QStringLiteral("1-%1").arg(pages);
    item.MergeRange = item.PageRange;
    return item;
}

bool SameRecord(const TItemInfo &a, const TItemInfo &b)
{
    return a.FileName == b.FileName && a.FilePath == b.FilePath && a.TotalPages == b.TotalPages
        && a.RangeType == b.RangeType && a.PageSort == b.PageSort && a.AlternateType == b.AlternateType
        && a.MixPages == b.MixPages && a.SizeKB == b.SizeKB && a.PageRange == b.PageRange
        && a.MergeRange == b.MergeRange;
}

class MethodFormTest : public testing::Test
{
protected:
    void Open(TItemInfo &item)
    {
        Dialog = std::make_unique<TMethodForm>(nullptr, item);
        Dialog->open();
    }
    template <typename Widget>
    Widget *Find(const char *name) const
    {
        Widget *widget = Dialog->findChild<Widget *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QRadioButton *Radio(const char *name) const { return Find<QRadioButton>(name); }
    QLineEdit *Pages() const { return Find<QLineEdit>("edtPages"); }
    QLineEdit *MixCount() const { return Find<QLineEdit>("maskEditPage"); }
    TUpDown *UpDown() const { return Find<TUpDown>("UpDownPage"); }
    void Type(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    void PressOk() { Click(Find<TssSkinButton>("SBtnOk")); }

    MethodFormTest() { MergeAlternately = false; }

    RunningApplication Application;
    ScriptedUser User;
    std::unique_ptr<TMethodForm> Dialog;
};

TEST_F(MethodFormTest, EachChoiceGivesItsAscendingAndMergeExpressions)
{
    struct Case
    {
        int Pages;
        const char *Range;
        QString PartText;
        bool Reverse;
        int RangeType;
        QString PageRange;
        QString MergeRange;
    };
    const Case cases[] = {
        {7, "rbAll", {}, false, 0, "1-7", "1-7"},
        {7, "rbAll", {}, true, 0, "1-7", "7,6,5,4,3,2,1"},
        {7, "rbOdd", {}, false, 1, "1,3,5,7", "1,3,5,7"},
        {7, "rbOdd", {}, true, 1, "1,3,5,7", "7,5,3,1"},
        {7, "rbEven", {}, false, 2, "2,4,6", "2,4,6"},
        {7, "rbEven", {}, true, 2, "2,4,6", "6,4,2"},
        {7, "rbPart", "2-4, 7", false, 3, "2-4,7", "2-4,7"},
        {7, "rbPart", "2-4, 7", true, 3, "2-4,7", "7,4,3,2"},
        {10, "rbOdd", {}, true, 1, "1,3,5,7,9", "9,7,5,3,1"},
        {10, "rbEven", {}, true, 2, "2,4,6,8,10", "10,8,6,4,2"},
        {10, "rbPart", "3,0,12,5-6", true, 3, "3,5-6", "6,5,3"},
        {1, "rbAll", {}, false, 0, "1", "1"},
        {1, "rbAll", {}, true, 0, "1", "1"},
        {1, "rbOdd", {}, true, 1, "1", "1"},
        {2, "rbEven", {}, true, 2, "2", "2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.Pages << " pages, " << c.Range << " " << c.PartText.toStdString()
                                        << (c.Reverse ? " reversed" : ""));
        TItemInfo item = Record(c.Pages);
        Open(item);
        Radio(c.Range)->click();
        if (!c.PartText.isEmpty())
            Type(Pages(), c.PartText);
        Radio(c.Reverse ? "rbReverse" : "rbSequence")->click();
        PressOk();

        EXPECT_EQ(Dialog->result(), mrOk);
        EXPECT_EQ(item.RangeType, c.RangeType);
        EXPECT_EQ(item.PageSort, c.Reverse ? 1 : 0);
        EXPECT_EQ(item.PageRange, c.PageRange);
        EXPECT_EQ(item.MergeRange, c.MergeRange);
        if (!c.PartText.isEmpty()) {
            EXPECT_EQ(Pages()->text(), c.PageRange); // the rewritten text is shown
        }
        EXPECT_TRUE(User.Seen.isEmpty());
    }
}

TEST_F(MethodFormTest, AOnePageFileCannotChooseEven)
{
    TItemInfo item = Record(1);
    Open(item);
    EXPECT_FALSE(Radio("rbEven")->isEnabled());
    EXPECT_TRUE(Radio("rbAll")->isChecked());
    EXPECT_FALSE(Pages()->isEnabled());
}

TEST_F(MethodFormTest, TheInvalidMarkShowsTheLastCheckOfThePartText)
{
    TItemInfo item = Record(10);
    Open(item);
    auto *invalid = Find<QLabel>("lblInvalid");
    EXPECT_FALSE(invalid->isVisible());
    Radio("rbPart")->click();
    EXPECT_TRUE(Pages()->isEnabled());
    Type(Pages(), "3,0");
    EXPECT_TRUE(invalid->isVisible());
    Type(Pages(), "3,5-6");
    EXPECT_FALSE(invalid->isVisible());
    Type(Pages(), "3,0,12,5-6");
    EXPECT_TRUE(invalid->isVisible());
    Radio("rbAll")->click();
    EXPECT_FALSE(Pages()->isEnabled());
}

TEST_F(MethodFormTest, APartTextThatSelectsNothingKeepsTheDialogOpenAndTheRecordAsItWas)
{
    for (const QString &text : {QStringLiteral("11-12"), QString()}) {
        SCOPED_TRACE(text.toStdString());
        User.Seen.clear();
        TItemInfo item = Record(10);
        const TItemInfo before = item;
        MergeAlternately = false;
        Open(item);
        Radio("rbPart")->click();
        Type(Pages(), text);
        Find<QCheckBox>("cbAlternate")->click();
        PressOk();

        ASSERT_EQ(User.Seen.size(), 1);
        EXPECT_EQ(User.Seen[0].Text, "Please choose page range to merge.");
        EXPECT_EQ(User.Seen[0].Caption, "Quellan PDF Merger");
        EXPECT_TRUE(Dialog->isVisible());
        EXPECT_TRUE(SameRecord(item, before));
        EXPECT_FALSE(MergeAlternately);
    }
}

TEST_F(MethodFormTest, TheMixCountStaysWithinTheSelectedPagesAndNeverBelowOne)
{
    struct Case
    {
        const char *What;
        const char *Range;
        QString PartText;
        QString Typed;
        int UpDownMaximum;
        int MixPages;
    };
    const Case cases[] = {
        {"9 with Odd of 10", "rbOdd", {}, "9", 5, 5},
        {"3 with All of 10", "rbAll", {}, "3", 10, 3},
        {"empty field", "rbAll", {}, "", 10, 1},
        {"zero", "rbAll", {}, "0", 10, 1},
        {"8 with Part 2-4", "rbPart", "2-4", "8", 3, 3},
        {"20 with Even of 10", "rbEven", {}, "20", 5, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.What);
        TItemInfo item = Record(10);
        item.MixPages = 4;
        MergeAlternately = false;
        Open(item);
        Find<QCheckBox>("cbAlternate")->click();
        Radio(c.Range)->click();
        if (!c.PartText.isEmpty())
            Type(Pages(), c.PartText);
        EXPECT_EQ(UpDown()->Maximum(), c.UpDownMaximum);
        Type(MixCount(), c.Typed);
        PressOk();

        EXPECT_EQ(Dialog->result(), mrOk);
        EXPECT_TRUE(MergeAlternately);
        EXPECT_EQ(item.AlternateType, 0);
        EXPECT_EQ(item.MixPages, c.MixPages);
    }
}

TEST_F(MethodFormTest, TheUpDownStepsTheCountWithinItsRange)
{
    TItemInfo item = Record(6);
    Open(item);
    Find<QCheckBox>("cbAlternate")->click();
    Radio("rbOdd")->click();
    auto arrows = UpDown()->findChildren<QToolButton *>();
    ASSERT_EQ(arrows.size(), 2);
    QToolButton *up = arrows[0]->arrowType() == Qt::UpArrow ? arrows[0] : arrows[1];
    QToolButton *down = up == arrows[0] ? arrows[1] : arrows[0];
    for (int click = 0; click < 5; ++click)
        up->click();
    EXPECT_EQ(MixCount()->text(), "3");
    for (int click = 0; click < 5; ++click)
        down->click();
    EXPECT_EQ(MixCount()->text(), "1");
}

TEST_F(MethodFormTest, TheAlternatingControlsFollowTheCheckBoxAndTheMixChoice)
{
    TItemInfo item = Record(10);
    Open(item);
    auto *alternate = Find<QCheckBox>("cbAlternate");
    auto *mix = Radio("rbMixPages");
    auto *repeat = Radio("rbRepeat");
    EXPECT_FALSE(alternate->isChecked());
    EXPECT_FALSE(mix->isEnabled());
    EXPECT_FALSE(repeat->isEnabled());
    EXPECT_FALSE(MixCount()->isEnabled());
    EXPECT_FALSE(UpDown()->isEnabled());

    alternate->click();
    EXPECT_TRUE(mix->isEnabled());
    EXPECT_TRUE(repeat->isEnabled());
    EXPECT_TRUE(MixCount()->isEnabled());
    EXPECT_TRUE(UpDown()->isEnabled());

    repeat->click();
    EXPECT_FALSE(MixCount()->isEnabled());
    EXPECT_FALSE(UpDown()->isEnabled());
    PressOk();
    EXPECT_EQ(item.AlternateType, 1);
    EXPECT_EQ(item.MixPages, 1);
    EXPECT_TRUE(MergeAlternately);
}

TEST_F(MethodFormTest, ShowsTheRecordAsItIs)
{
    TItemInfo item = Record(10);
    item.RangeType = 3;
    item.PageRange = QStringLiteral("2-4,8");
    item.PageSort = 1;
    item.AlternateType = 1;
    item.MixPages = 3;
    MergeAlternately = true;
    Open(item);
    EXPECT_TRUE(Radio("rbPart")->isChecked());
    EXPECT_TRUE(Pages()->isEnabled());
    EXPECT_EQ(Pages()->text(), "2-4,8");
    EXPECT_TRUE(Radio("rbReverse")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbAlternate")->isChecked());
    EXPECT_TRUE(Radio("rbRepeat")->isChecked());
    EXPECT_EQ(MixCount()->text(), "3");
    EXPECT_FALSE(MixCount()->isEnabled());
    EXPECT_EQ(UpDown()->Maximum(), 4);
}

TEST_F(MethodFormTest, UncheckingAlternatingTurnsItOffForEveryFile)
{
    TItemInfo item = Record(4);
    item.AlternateType = 1;
    item.MixPages = 2;
    MergeAlternately = true;
    Open(item);
    Find<QCheckBox>("cbAlternate")->click();
    PressOk();
    EXPECT_FALSE(MergeAlternately);
    // Without alternating the record keeps its alternating settings.
    EXPECT_EQ(item.AlternateType, 1);
    EXPECT_EQ(item.MixPages, 2);
}

TEST_F(MethodFormTest, CancelAndCloseChangeNothing)
{
    for (const char *button : {"SBtnCancel", "SBtnClose"}) {
        SCOPED_TRACE(button);
        TItemInfo item = Record(8);
        const TItemInfo before = item;
        MergeAlternately = false;
        Open(item);
        Radio("rbEven")->click();
        Radio("rbReverse")->click();
        Find<QCheckBox>("cbAlternate")->click();
        Click(Find<TssSkinButton>(button));
        EXPECT_FALSE(Dialog->isVisible());
        EXPECT_EQ(Dialog->result(), mrCancel);
        EXPECT_TRUE(SameRecord(item, before));
        EXPECT_FALSE(MergeAlternately);
    }
}

// The user guide's section on choosing pages.
TEST_F(MethodFormTest, HelpOpensTheGuideAtChoosingPages)
{
    RecordingDesktop desktop;
    TItemInfo item = Record(3);
    Open(item);
    Click(Find<TssSkinButton>("SBtnHelp"));
    ASSERT_EQ(desktop.Opened.size(), 1);
    QUrl guide = QUrl::fromLocalFile(Application.Context.ApplicationFolder + "help/index.html");
    guide.setFragment("pages");
    EXPECT_EQ(desktop.Opened[0], guide);
}

} // namespace
