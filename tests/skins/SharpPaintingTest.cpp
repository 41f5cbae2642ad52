// Skinned windows and buttons on a screen of twice the pixels (the test runs
// with QT_SCALE_FACTOR=2): they show their sharp pictures pixel for pixel,
// where a stretched design-size picture would show steps of two pixels.
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {

// What a form shows on a screen of twice the pixels: the sharp picture, pixel
// for pixel, where it is opaque (run with QT_SCALE_FACTOR=2).
TEST(SharpPainting, AFormAtTwiceThePixelsShowsTheSharpPicture)
{
    QDialog form;
    auto *skin = new TssSkinForm(&form);
    const QImage sharp = SkinArtwork::SharpPicture("method.png").convertToFormat(QImage::Format_ARGB32);
    skin->SetPicture(SkinArtwork::Picture("method.png"), sharp);
    form.show();
    if (skin->devicePixelRatioF() != 2.0)
        GTEST_SKIP() << "needs a screen of twice the pixels (QT_SCALE_FACTOR=2)";
    EXPECT_EQ(form.size(), QSize(460, 430)) << "the size stays the design's";
    const QImage shown = skin->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), sharp.size());
    int opaque = 0;
    int same = 0;
    for (int y = 0; y < sharp.height(); ++y) {
        for (int x = 0; x < sharp.width(); ++x) {
            if (qAlpha(sharp.pixel(x, y)) != 255)
                continue;
            ++opaque;
            same += (shown.pixel(x, y) & 0xFFFFFF) == (sharp.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
        }
    }
    EXPECT_GT(opaque, sharp.width() * sharp.height() / 2);
    EXPECT_EQ(same, opaque);
}

TEST(SharpPainting, AButtonAtTwiceThePixelsShowsTheSharpStrip)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->SetDivNum(4);
    button->SetSkin(SkinArtwork::Picture("dlg_cancel.png"), SkinArtwork::SharpPicture("dlg_cancel.png"));
    window.show();
    if (button->devicePixelRatioF() != 2.0)
        GTEST_SKIP() << "needs a screen of twice the pixels (QT_SCALE_FACTOR=2)";
    const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage frame = SkinArtwork::SharpPicture("dlg_cancel.png").copy(0, 0, 180, 60).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), frame.size());
    // The middle row runs through the face's edges, where a stretched plain
    // picture would show steps of two pixels.
    for (int x = 0; x < frame.width(); ++x) {
        if (qAlpha(frame.pixel(x, 30)) == 255) {
            EXPECT_EQ(shown.pixel(x, 30) & 0xFFFFFF, frame.pixel(x, 30) & 0xFFFFFF) << x;
        }
    }
}

} // namespace
