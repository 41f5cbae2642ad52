// The window shape built from a bitmap: one rectangle per run of pixels that
// are not the transparent colour.
#include "Sspublic.h"

#include <QBuffer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QRgb F = qRgb(0xFF, 0x00, 0xFF); // fuchsia, cut out
const QRgb B = qRgb(0x20, 0x40, 0x60); // body, kept

QImage picture(const std::vector<std::vector<QRgb>> &rows)
{
    QImage image(int(rows.front().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x]);
    return image;
}

QList<QRect> rectangles(const QRegion &region)
{
    return QList<QRect>(region.begin(), region.end());
}

struct RegionCase {
    const char *name;
    std::vector<std::vector<QRgb>> rows;
    QList<QRect> expected;
};

class RegionCases : public testing::TestWithParam<RegionCase> {};

TEST_P(RegionCases, EachRunBecomesOneRectangle)
{
    const RegionCase &c = GetParam();
    EXPECT_EQ(rectangles(BitmapRegion(picture(c.rows), clFuchsia)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, RegionCases, testing::Values(
    RegionCase{"OnlyTheCentre", {{F, F, F}, {F, B, F}, {F, F, F}}, {QRect(1, 1, 1, 1)}},
    RegionCase{"NothingTransparent", {{B, B, B, B}, {B, B, B, B}}, {QRect(0, 0, 4, 2)}},
    RegionCase{"RunsReachingTheLastColumn", {{F, B, B}, {B, F, B}}, {QRect(1, 0, 2, 1), QRect(0, 1, 1, 1), QRect(2, 1, 1, 1)}},
    RegionCase{"AllTransparent", {{F, F}, {F, F}}, {}},
    RegionCase{"RoundedCorners", {{F, B, B, F}, {B, B, B, B}, {F, B, B, F}},
               {QRect(1, 0, 2, 1), QRect(0, 1, 4, 1), QRect(1, 2, 2, 1)}}),
    [](const testing::TestParamInfo<RegionCase> &info) { return std::string(info.param.name); });

TEST(Region, ColourIsComparedAsBlueGreenRed)
{
    // 0x00BBGGRR: pure red is 0x0000FF, pure blue 0xFF0000.
    const QRgb red = qRgb(0xFF, 0, 0);
    const QRgb blue = qRgb(0, 0, 0xFF);
    const QImage image = picture({{red, blue}});
    EXPECT_EQ(BitmapRegion(image, 0x0000FF), QRegion(1, 0, 1, 1));
    EXPECT_EQ(BitmapRegion(image, 0xFF0000), QRegion(0, 0, 1, 1));
}

// A 24-bit DIB of a 3 x 2 picture, stored bottom-up (height > 0) or top-down.
QByteArray dibRows(const std::vector<std::vector<QRgb>> &rows, bool bottomUp)
{
    const int width = int(rows.front().size());
    const int stride = Dib24View::stride(width);
    QByteArray bytes(stride * int(rows.size()), '\x55'); // padding must be ignored
    for (int y = 0; y < int(rows.size()); ++y) {
        const int stored = bottomUp ? int(rows.size()) - 1 - y : y;
        for (int x = 0; x < width; ++x) {
            char *pixel = bytes.data() + stored * stride + 3 * x;
            pixel[0] = char(qBlue(rows[y][x]));
            pixel[1] = char(qGreen(rows[y][x]));
            pixel[2] = char(qRed(rows[y][x]));
        }
    }
    return bytes;
}

TEST(Region, BottomUpAndTopDownRowsGiveTheSameRegion)
{
    const std::vector<std::vector<QRgb>> rows = {{F, B, F}, {B, B, F}};
    const QByteArray bottomUp = dibRows(rows, true);
    const QByteArray topDown = dibRows(rows, false);
    const QRegion fromBottomUp =
        BitmapRegion(Dib24View{reinterpret_cast<const unsigned char *>(bottomUp.constData()), 3, 2}, clFuchsia);
    const QRegion fromTopDown =
        BitmapRegion(Dib24View{reinterpret_cast<const unsigned char *>(topDown.constData()), 3, -2}, clFuchsia);
    EXPECT_EQ(fromBottomUp, fromTopDown);
    EXPECT_EQ(rectangles(fromTopDown), (QList<QRect>{QRect(1, 0, 1, 1), QRect(0, 1, 2, 1)}));
}

// A BMP file with a 24-bit picture whose rows are stored in the given order.
QByteArray bmpFile(const std::vector<std::vector<QRgb>> &rows, bool bottomUp)
{
    const QByteArray pixels = dibRows(rows, bottomUp);
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const int height = int(rows.size());
    out << quint8('B') << quint8('M') << quint32(54 + pixels.size()) << quint32(0) << quint32(54);
    out << quint32(40) << qint32(rows.front().size()) << qint32(bottomUp ? height : -height) << quint16(1)
        << quint16(24) << quint32(0) << quint32(pixels.size()) << qint32(2835) << qint32(2835) << quint32(0)
        << quint32(0);
    out.writeRawData(pixels.constData(), int(pixels.size()));
    return file;
}

TEST(Region, BitmapFilesStoredEitherWayShapeAlike)
{
    const std::vector<std::vector<QRgb>> rows = {{F, B, B, F}, {B, B, F, F}, {F, F, F, B}};
    const QImage bottomUp = QImage::fromData(bmpFile(rows, true), "BMP");
    const QImage topDown = QImage::fromData(bmpFile(rows, false), "BMP");
    ASSERT_FALSE(bottomUp.isNull());
    ASSERT_FALSE(topDown.isNull());
    EXPECT_EQ(BitmapRegion(bottomUp, clFuchsia), BitmapRegion(topDown, clFuchsia));
    EXPECT_EQ(BitmapRegion(topDown, clFuchsia), BitmapRegion(picture(rows), clFuchsia));
}

TEST(Region, SetBitmapWindowMasksAndResetWindowUnmasks)
{
    QWidget window;
    window.resize(3, 3);
    SetBitmapWindow(&window, picture({{F, F, F}, {F, B, F}, {F, F, F}}), clFuchsia);
    EXPECT_EQ(window.mask(), QRegion(1, 1, 1, 1));
    ResetWindow(&window);
    EXPECT_TRUE(window.mask().isEmpty());
}

struct MulDivCase {
    int value, m, d, expected;
};

TEST(Scaling, MulDivRoundsToNearest)
{
    for (const MulDivCase &c : {MulDivCase{423, 120, 96, 529}, MulDivCase{241, 120, 96, 301},
                                MulDivCase{68, 120, 96, 85}, MulDivCase{6, 120, 96, 8}, MulDivCase{3, 1, 2, 2},
                                MulDivCase{-3, 1, 2, -2}, MulDivCase{529, 96, 120, 423}})
        EXPECT_EQ(MulDiv(c.value, c.m, c.d), c.expected) << c.value << " * " << c.m << " / " << c.d;
}

} // namespace
