// Skins grow without changing their look when a longer text needs room: the
// picture repeats a plain column and row, a form grows to what its layout
// needs, a button to what its caption needs.
#include "SSButton.h"
#include "SSForm.h"
#include "SkinGrowth.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Every pixel its own colour: x in red, y in green.
QImage Numbered(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 10, y * 10, 0));
    return image;
}

TEST(SkinGrowth, RepeatsTheGrowLinesAndKeepsEverythingElse)
{
    const QImage picture = Numbered(QSize(5, 4));
    const QImage grown = GrowPicture(picture, QPoint(2, 1), QSize(8, 6));
    ASSERT_EQ(grown.size(), QSize(8, 6));
    // Which source column and row each pixel of the grown picture shows.
    const int columns[] = {0, 1, 2, 2, 2, 2, 3, 4};
    const int rows[] = {0, 1, 1, 1, 2, 3};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(grown.pixel(x, y), picture.pixel(columns[x], rows[y])) << x << ", " << y;
    EXPECT_EQ(GrowPicture(picture, QPoint(2, 1), QSize(3, 3)), picture) << "never smaller";
}

TEST(SkinGrowth, ASharpPictureGrowsByTheSameDesignPixels)
{
    QImage sharp = Numbered(QSize(10, 8));
    sharp.setDevicePixelRatio(2);
    const QImage grown = GrowPicture(sharp, QPoint(2, 1), QSize(8, 6));
    EXPECT_EQ(grown.size(), QSize(16, 12));
    EXPECT_EQ(grown.devicePixelRatio(), 2);
    EXPECT_EQ(grown.pixel(15, 11), sharp.pixel(9, 7)) << "the far corner stays a corner";
}

TEST(SkinGrowth, AStripGrowsEveryFrameAroundItsMiddle)
{
    QImage strip = Numbered(QSize(20, 2)); // two frames of 10
    const QImage grown = GrowStrip(strip, 2, 2, 7, 4);
    ASSERT_EQ(grown.size(), QSize(28, 2));
    for (int frame = 0; frame < 2; ++frame) {
        const int from = frame * 10;
        const int to = frame * 14;
        EXPECT_EQ(grown.pixel(to + 0, 0), strip.pixel(from + 0, 0));
        EXPECT_EQ(grown.pixel(to + 4, 0), strip.pixel(from + 2, 0)) << "two more of column 2";
        EXPECT_EQ(grown.pixel(to + 5, 0), strip.pixel(from + 3, 0));
        EXPECT_EQ(grown.pixel(to + 11, 0), strip.pixel(from + 7, 0)) << "two more of column 7";
        EXPECT_EQ(grown.pixel(to + 13, 0), strip.pixel(from + 9, 0));
    }
}

// A light picture with fuchsia top corners.
QImage CutCorners(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(0xF4, 0xF6, 0xFA));
    image.setPixel(0, 0, qRgb(0xFF, 0, 0xFF));
    image.setPixel(size.width() - 1, 0, qRgb(0xFF, 0, 0xFF));
    return image;
}

TEST(SkinGrowth, AFormGrowsToWhatItsLayoutNeeds)
{
    QDialog form;
    auto *skin = new TssSkinForm(&form);
    skin->SetPicture(CutCorners(QSize(200, 100)));
    auto *label = new QLabel(QStringLiteral("short"), &form);
    auto *layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    form.show();
    EXPECT_EQ(form.size(), QSize(200, 100)) << "room enough: the picture's size";

    label->setMinimumSize(300, 150); // a longer text
    skin->FitToLayout();
    EXPECT_EQ(form.size(), QSize(300, 150));
    EXPECT_EQ(skin->Glyph().size(), QSize(300, 150));
    EXPECT_EQ(form.mask(), BitmapRegion(skin->Glyph(), clFuchsia));
    EXPECT_FALSE(form.mask().contains(QPoint(299, 0))) << "the corner moved with the edge";
    EXPECT_TRUE(form.mask().contains(QPoint(199, 0)));
}

TEST(SkinGrowth, AButtonWidensForACaptionThatWouldBeCutShort)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->SetDivNum(1);
    button->SetSkin(CutCorners(QSize(90, 30)));
    button->SetMask(true);
    button->SetCaption(QStringLiteral("OK"));
    EXPECT_EQ(button->sizeHint(), QSize(90, 30));

    const QString longCaption = QStringLiteral("A caption far longer than ninety pixels");
    button->SetCaption(longCaption);
    EXPECT_GT(button->sizeHint().width(), 90);
    EXPECT_EQ(button->sizeHint().height(), 30);
    EXPECT_EQ(button->size(), button->sizeHint());
    EXPECT_EQ(button->ShownCaption(), longCaption);
    EXPECT_FALSE(button->mask().contains(QPoint(button->width() - 1, 0))) << "its corners stay cut";
}

} // namespace
