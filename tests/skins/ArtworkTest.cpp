// The compiled-in skin pictures: the sizes the windows are laid out for, state
// strips that divide into equal frames, and corners cut out with fuchsia.
#include "SSButton.h"
#include "SkinArtwork.h"
#include "Sspublic.h"
#include "Tskinprocess.h"

#include <gtest/gtest.h>

namespace {

const QRgb fuchsia = qRgb(0xFF, 0x00, 0xFF);

struct WindowCase {
    const char *file;
    QSize size;
};

class WindowBackgrounds : public testing::TestWithParam<WindowCase> {};

TEST_P(WindowBackgrounds, HaveTheirSizeAndRoundedCorners)
{
    const QImage picture = SkinArtwork::Picture(GetParam().file);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), GetParam().size);
    const QRect whole = picture.rect();
    for (QPoint corner : {whole.topLeft(), whole.topRight(), whole.bottomLeft(), whole.bottomRight()})
        EXPECT_EQ(picture.pixel(corner), fuchsia);
    const QRegion shape = BitmapRegion(picture, clFuchsia);
    EXPECT_EQ(shape.boundingRect(), whole);
    EXPECT_TRUE(shape.contains(whole.center()));
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowBackgrounds, testing::Values(
    WindowCase{"main.png", QSize(720, 540)}, WindowCase{"addfile.png", QSize(420, 170)},
    WindowCase{"method.png", QSize(460, 430)}, WindowCase{"convert.png", QSize(440, 150)},
    WindowCase{"options.png", QSize(440, 340)}, WindowCase{"about.png", QSize(423, 241)}));

struct StripCase {
    const char *file;
    int divNum;
    QSize button;
};

class ButtonStrips : public testing::TestWithParam<StripCase> {};

TEST_P(ButtonStrips, MakeButtonsOfTheirFrameSize)
{
    const StripCase &c = GetParam();
    const QImage skin = SkinArtwork::Picture(c.file);
    ASSERT_FALSE(skin.isNull());
    EXPECT_EQ(skin.width() % c.divNum, 0);
    TssSkinButton button;
    button.SetDivNum(c.divNum);
    button.SetSkin(skin);
    EXPECT_EQ(button.size(), c.button);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ButtonStrips, testing::Values(
    StripCase{"about_ok.png", 3, QSize(68, 20)}, StripCase{"btn_min.png", 4, QSize(28, 24)},
    StripCase{"btn_close.png", 4, QSize(28, 24)}, StripCase{"btn_addfiles.png", 4, QSize(112, 34)},
    StripCase{"btn_method.png", 4, QSize(112, 34)}, StripCase{"btn_options.png", 4, QSize(112, 34)},
    StripCase{"btn_help.png", 4, QSize(90, 34)}, StripCase{"btn_remove.png", 4, QSize(98, 30)},
    StripCase{"btn_clear.png", 4, QSize(98, 30)}, StripCase{"btn_moveup.png", 4, QSize(98, 30)},
    StripCase{"btn_movedown.png", 4, QSize(98, 30)}, StripCase{"btn_browse.png", 4, QSize(74, 28)},
    StripCase{"btn_open.png", 4, QSize(62, 28)}, StripCase{"btn_merge.png", 4, QSize(116, 62)},
    StripCase{"dlg_ok.png", 4, QSize(90, 30)}, StripCase{"dlg_cancel.png", 4, QSize(90, 30)},
    StripCase{"dlg_help.png", 4, QSize(90, 30)}, StripCase{"dlg_stop.png", 4, QSize(90, 30)}));

TEST(Artwork, TextButtonsHaveCutCornersAndSolidFaces)
{
    const QImage ok = SkinArtwork::Picture("dlg_ok.png");
    EXPECT_EQ(ok.pixel(0, 0), fuchsia);
    EXPECT_NE(ok.pixel(45, 2), fuchsia);
}

TEST(Artwork, TabImagesAreTwoFacesOfTheTabSize)
{
    for (const char *file : {"tab_properties.png", "tab_other.png"})
        for (int index : {0, 1})
            EXPECT_EQ(SkinArtwork::ListImage(file, index, 2).size(), QSize(186, 26)) << file << index;
    EXPECT_TRUE(SkinArtwork::ListImage("tab_other.png", 2, 2).isNull());
}

TEST(Artwork, ProgressBitmapLiesInTheApplicationFolder)
{
    QImage fill;
    ASSERT_TRUE(TSkinProcess::LoadImageA(fill, QStringLiteral(QUELLAN_PROGRESS_BITMAP)));
    EXPECT_GT(fill.width(), 0);
    EXPECT_GT(fill.height(), 0);
}

} // namespace
