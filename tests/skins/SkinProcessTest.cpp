// The bitmap progress bar: fill width and thumb position from a percentage,
// and back from a dragged thumb.
#include "SSButton.h"
#include "Tskinprocess.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Bitmap files the bar reads: a fill of 8 x 16 and a thumb strip of three
// 12 x 12 frames with fuchsia corners.
class BarFiles {
public:
    BarFiles()
    {
        QImage fill(8, 16, QImage::Format_RGB32);
        fill.fill(qRgb(0x2F, 0x6F, 0xED));
        fill.save(fillPath(), "BMP");
        QImage thumb(36, 12, QImage::Format_RGB32);
        thumb.fill(qRgb(0x30, 0x30, 0x30));
        thumb.setPixel(0, 0, qRgb(0xFF, 0, 0xFF));
        thumb.save(thumbPath(), "BMP");
    }
    QString fillPath() const { return folder.filePath("progress.bmp"); }
    QString thumbPath() const { return folder.filePath("thumb.bmp"); }

private:
    QTemporaryDir folder;
};

// The merge dialog's set-up: a bar at (10, 20) with a 281-pixel track.
class ProgressBar : public testing::Test {
protected:
    ProgressBar()
    {
        bar = new TSkinProcess(&window);
        bar->setGeometry(10, 20, 281, 19);
        bar->SetImage2(files.fillPath());
        bar->SetBaseLine(bar->height() / 2 + 1);
        bar->SetExtRange(0, bar->width());
        bar->Setprocess(0);
    }

    int fillWidth() const { return bar->Image2()->width(); }

    BarFiles files;
    QWidget window;
    TSkinProcess *bar;
};

TEST_F(ProgressBar, FillStartsAtTheTrackCentredOnTheBaseLine)
{
    EXPECT_EQ(bar->Image2()->parentWidget(), &window);
    EXPECT_EQ(bar->Image2()->geometry(), QRect(10, 20 + 10 - 8, 0, 16));
}

TEST_F(ProgressBar, FillWidthFollowsThePercentage)
{
    const std::pair<int, int> cases[] = {{0, 0}, {37, 103}, {50, 140}, {100, 281}, {150, 421}};
    for (const auto &[percent, width] : cases) {
        bar->Setprocess(percent);
        EXPECT_EQ(fillWidth(), width) << percent << "%";
    }
}

TEST_F(ProgressBar, WithoutThumbThereIsNoPositionToRead)
{
    bar->Setprocess(60);
    EXPECT_EQ(bar->Getprocess(), 0);
}

TEST_F(ProgressBar, AFixedRangeStopsFollowingThePercentage)
{
    bar->SetImage2Range(40, 100);
    bar->Setprocess(90);
    EXPECT_EQ(bar->Image2()->geometry().left(), 50);
    EXPECT_EQ(fillWidth(), 100);
}

TEST(ProgressBarFiles, AMissingBitmapLeavesAnEmptyFill)
{
    QWidget window;
    auto *bar = new TSkinProcess(&window);
    bar->setGeometry(0, 0, 100, 10);
    QImage picture;
    EXPECT_FALSE(TSkinProcess::LoadImageA(picture, QStringLiteral("/nonexistent/progress.bmp")));
    bar->SetImage2(QStringLiteral("/nonexistent/progress.bmp"));
    bar->SetExtRange(0, 100);
    bar->Setprocess(50);
    EXPECT_TRUE(bar->Image2()->Picture().isNull());
    EXPECT_EQ(bar->Image2()->width(), 50);
}

// A slider: the same bar with a 12-pixel thumb.
class Slider : public ProgressBar {
protected:
    Slider() { bar->SetImage3(files.thumbPath()); }

    int thumbLeft() const { return bar->Image3()->x(); }
    void press(QWidget *target, int x)
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, 3), target->mapToGlobal(QPointF(x, 3)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void moveThumb(int x)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, 3), QPointF(x, 3), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar->Image3(), &event);
    }
    void releaseThumb(int x)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(x, 3), QPointF(x, 3), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar->Image3(), &event);
    }
};

TEST_F(Slider, ThumbCentreMarksThePositionAndStaysOnTheTrack)
{
    ASSERT_EQ(bar->Image3()->size(), QSize(12, 12));
    const std::tuple<int, int, int> cases[] = {
        // percent, thumb left, position read back
        {0, 4, 0},
        {50, 144, 49},
        {100, 285, 100},
        {150, 285, 100},
    };
    for (const auto &[percent, left, readBack] : cases) {
        bar->Setprocess(percent);
        EXPECT_EQ(thumbLeft(), left) << percent << "%";
        EXPECT_EQ(bar->Getprocess(), readBack) << percent << "%";
    }
}

TEST_F(Slider, AnEmptyTrackReadsAsZero)
{
    bar->SetExtRange(0, 0);
    bar->Setprocess(50);
    EXPECT_EQ(bar->Getprocess(), 0);
}

TEST_F(Slider, AFixedRangeHoldsTheThumbUnlessFree)
{
    bar->SetImage2Range(50, 100); // fill from 60 to 160
    bar->Setprocess(0);
    EXPECT_EQ(thumbLeft(), 60 - 6);
    bar->Setprocess(100);
    EXPECT_EQ(thumbLeft(), 160 - 6);

    bar->SetFreeMode(true);
    bar->Setprocess(0);
    EXPECT_EQ(thumbLeft(), 10 - 6);
    bar->Setprocess(100);
    EXPECT_EQ(thumbLeft(), 291 - 6);
}

TEST_F(Slider, DraggingReportsOnceAtTheEndUnlessAskedForEveryMove)
{
    QSignalSpy reports(bar, &TSkinProcess::OnProcessChange);
    bar->Setprocess(0);

    press(bar->Image3(), 3);
    moveThumb(3 + 100);
    EXPECT_EQ(thumbLeft(), 104);
    EXPECT_EQ(fillWidth(), 104 + 6 - 10);
    moveThumb(3 + 20);
    EXPECT_EQ(reports.count(), 0);
    releaseThumb(3 + 20);
    ASSERT_EQ(reports.count(), 1);
    EXPECT_EQ(reports.takeFirst().at(0).toInt(), bar->Getprocess());

    bar->SetMoveChangeNotify(true);
    press(bar->Image3(), 3);
    moveThumb(13);
    moveThumb(23);
    releaseThumb(23);
    EXPECT_EQ(reports.count(), 3);
}

TEST_F(Slider, AClickOnTheBarCentresTheThumbThere)
{
    QSignalSpy reports(bar, &TSkinProcess::OnProcessChange);
    press(bar, 140);
    EXPECT_EQ(thumbLeft() + 6, 10 + 140);
    EXPECT_EQ(fillWidth(), 140);
    ASSERT_EQ(reports.count(), 1);
    EXPECT_EQ(reports.takeFirst().at(0).toInt(), 49);
}

TEST(ProgressBarScale, FillAndBaseLineFollowTheBarsScale)
{
    BarFiles files;
    QWidget window;
    auto *bar = new TSkinProcess(&window);
    bar->setGeometry(8, 16, 240, 16);
    bar->ChangeScale(120, 96);
    EXPECT_EQ(bar->geometry(), QRect(10, 20, 300, 20));

    bar->SetImage2(files.fillPath());
    EXPECT_EQ(bar->Image2()->size(), QSize(10, 20));
    bar->SetBaseLine(10);
    EXPECT_EQ(bar->BaseLine(), 13);
}

} // namespace
