// A skinned form takes its size, shape and background from its picture.
#include "SSForm.h"

#include <QDialog>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A light rectangle with fuchsia corner triangles of `corner` pixels.
QImage skinWithCutCorners(QSize size, int corner)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(0xF4, 0xF6, 0xFA));
    for (int y = 0; y < corner; ++y)
        for (int x = 0; x < corner - y; ++x) {
            image.setPixel(x, y, qRgb(0xFF, 0, 0xFF));
            image.setPixel(size.width() - 1 - x, y, qRgb(0xFF, 0, 0xFF));
        }
    return image;
}

TEST(SkinForm, TakesThePicturesSizeAndShape)
{
    QDialog form;
    auto *skin = new TssSkinForm(&form);
    QSignalSpy regionChanged(skin, &TssSkinForm::OnRegionChanged);
    const QImage picture = skinWithCutCorners(QSize(423, 241), 10);

    skin->SetPicture(picture);

    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(skin->geometry(), QRect(0, 0, 423, 241));
    EXPECT_EQ(form.size(), QSize(423, 241));
    EXPECT_EQ(form.mask(), BitmapRegion(picture, clFuchsia));
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.mask().contains(QPoint(10, 0)));
    EXPECT_EQ(regionChanged.count(), 1);
}

TEST(SkinForm, ScalingStretchesThePictureAndRebuildsTheShape)
{
    QDialog form;
    auto *skin = new TssSkinForm(&form);
    skin->SetPicture(skinWithCutCorners(QSize(423, 241), 10));

    skin->ChangeScale(120, 96);

    EXPECT_EQ(skin->Glyph().size(), QSize(529, 301));
    EXPECT_EQ(form.size(), QSize(529, 301));
    EXPECT_EQ(form.mask(), BitmapRegion(skin->Glyph(), clFuchsia));
    EXPECT_EQ(form.mask().boundingRect(), QRect(0, 0, 529, 301));
    // The stretched corner is cut out further than the original one was.
    EXPECT_FALSE(form.mask().contains(QPoint(11, 0)));
}

TEST(SkinForm, AnotherTransparentColourReshapesTheWindow)
{
    QDialog form;
    auto *skin = new TssSkinForm(&form);
    QImage picture = skinWithCutCorners(QSize(20, 10), 3);
    picture.setPixel(10, 5, qRgb(0, 0, 0));
    skin->SetPicture(picture);
    ASSERT_TRUE(form.mask().contains(QPoint(10, 5)));

    skin->SetColor(clBlack);

    EXPECT_FALSE(form.mask().contains(QPoint(10, 5)));
    EXPECT_TRUE(form.mask().contains(QPoint(0, 0)));
}

TEST(SkinForm, WithoutPictureTheFormKeepsItsShape)
{
    QDialog form;
    form.resize(300, 200);
    auto *skin = new TssSkinForm(&form);
    skin->ChangeScale(120, 96);
    EXPECT_TRUE(form.mask().isEmpty());
    EXPECT_EQ(form.size(), QSize(300, 200));
}

TEST(SkinForm, PaintsThePictureAsBackground)
{
    QDialog form;
    auto *skin = new TssSkinForm(&form);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(0x12, 0x34, 0x56));
    skin->SetPicture(picture);
    const QImage shown = skin->grab().toImage();
    EXPECT_EQ(shown.pixel(20, 15), qRgb(0x12, 0x34, 0x56));
}

} // namespace
