// What the skinned controls add for a finished application: captions drawn
// over caption-less faces in the state's colour (a bound action gives its
// text), long captions made to fit, the keyboard pressing a button, and a
// sharp copy of every picture (painted by SharpPaintingTest at 2x).
#include "SSButton.h"
#include "SSForm.h"
#include "SkinArtwork.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage plain(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// How many pixels of the button's picture have this colour.
int PixelsOf(const QImage &shown, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            count += shown.pixel(x, y) == colour ? 1 : 0;
    return count;
}

TSkinCaption Inks(QRgb normal, QRgb disabled)
{
    TSkinCaption look;
    look.Ink[0] = look.Ink[1] = look.Ink[2] = QColor(normal);
    look.Ink[3] = QColor(disabled);
    return look;
}

TEST(SkinCaption, IsDrawnInTheColourOfTheState)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->SetDivNum(4);
    button->SetSkin(plain(QSize(400, 30), qRgb(255, 255, 255)));
    button->SetCaptionLook(Inks(qRgb(200, 0, 0), qRgb(0, 0, 200)));
    EXPECT_EQ(PixelsOf(button->grab().toImage(), qRgb(200, 0, 0)), 0) << "no caption, no words";

    button->SetCaption(QStringLiteral("Merge"));
    EXPECT_EQ(button->accessibleName(), "Merge");
    EXPECT_GT(PixelsOf(button->grab().toImage(), qRgb(200, 0, 0)), 10);
    button->SetEnabled(false);
    const QImage disabled = button->grab().toImage();
    EXPECT_EQ(PixelsOf(disabled, qRgb(200, 0, 0)), 0);
    EXPECT_GT(PixelsOf(disabled, qRgb(0, 0, 200)), 10);
}

TEST(SkinCaption, StaysInsideItsArea)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->SetDivNum(1);
    button->SetSkin(plain(QSize(120, 34), qRgb(255, 255, 255)));
    TSkinCaption look = Inks(qRgb(0, 0, 0), qRgb(0, 0, 0));
    look.Area = QRect(40, 0, 80, 34);
    button->SetCaptionLook(look);
    // Far too long for 80 pixels: smaller, then a wider button, never over the icon's place.
    button->SetCaption(QStringLiteral("A caption much longer than any button could hold"));
    const QImage shown = button->grab().toImage();
    EXPECT_EQ(PixelsOf(shown.copy(0, 0, 40, 34), qRgb(255, 255, 255)), 40 * 34);
    EXPECT_LT(PixelsOf(shown.copy(40, 0, 80, 34), qRgb(255, 255, 255)), 80 * 34);
}

TEST(SkinCaption, ABoundActionGivesItsText)
{
    QWidget window;
    QAction action(QStringLiteral("Add &Files"));
    auto *button = new TssSkinButton(&window);
    button->SetSkin(plain(QSize(90, 30), qRgb(255, 255, 255)));
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), "Add Files");
    action.setText(QStringLiteral("Dateien"));
    EXPECT_EQ(button->Caption(), "Dateien");
    EXPECT_EQ(button->accessibleName(), "Dateien");
}

TEST(SkinButtonKeys, SpaceAndEnterPressTheButtonThatHasTheFocus)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->SetSkin(plain(QSize(90, 30), qRgb(255, 255, 255)));
    EXPECT_EQ(button->focusPolicy(), Qt::TabFocus) << "reached by Tab, not taken by a mouse click";
    QSignalSpy clicks(button, &TssCustomButton::OnClick);
    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
    EXPECT_EQ(clicks.count(), 3);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(button, &other);
    button->SetEnabled(false);
    QKeyEvent disabled(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(button, &disabled);
    EXPECT_EQ(clicks.count(), 3);
}

TEST(SkinButtonKeys, TheKeyboardClosesADialogWithTheButtonsResult)
{
    QDialog dialog;
    auto *ok = new TssSkinButton(&dialog);
    ok->SetSkin(plain(QSize(90, 30), qRgb(255, 255, 255)));
    ok->SetModalResult(mrOk);
    dialog.show();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(ok, &press);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), mrOk);
}

TEST(SkinButtonKeys, TheFocusShowsAsARing)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->SetSkin(plain(QSize(90, 30), qRgb(255, 255, 255)));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->clearFocus();
    const QImage unfocused = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    const QImage focused = button->grab().toImage();
    EXPECT_NE(focused.pixel(1, 15), unfocused.pixel(1, 15)) << "the ring at the edge";
    EXPECT_EQ(focused.pixel(45, 15), unfocused.pixel(45, 15)) << "the face stays as it is";
}

// Every picture has a sharp copy of exactly twice its size.
TEST(SharpArtwork, EveryPictureHasACopyOfTwiceItsSize)
{
    for (const char *name : {"main.png", "addfile.png", "method.png", "convert.png", "options.png", "options_panel.png",
                             "about.png", "btn_min.png", "btn_close.png", "btn_addfiles.png", "btn_method.png",
                             "btn_options.png", "btn_help.png", "btn_remove.png", "btn_clear.png", "btn_moveup.png",
                             "btn_movedown.png", "btn_browse.png", "btn_open.png", "btn_merge.png", "dlg_ok.png",
                             "dlg_cancel.png", "dlg_help.png", "dlg_stop.png", "about_ok.png", "tab_properties.png",
                             "tab_other.png", "icon_question.png", "icon_information.png", "icon_warning.png",
                             "icon_error.png"}) {
        SCOPED_TRACE(name);
        const QImage picture = SkinArtwork::Picture(name);
        const QImage sharp = SkinArtwork::SharpPicture(name);
        ASSERT_FALSE(picture.isNull());
        ASSERT_FALSE(sharp.isNull());
        EXPECT_EQ(sharp.size(), picture.size() * 2);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(picture.size()));
    }
    EXPECT_TRUE(SkinArtwork::SharpPicture("no-such.png").isNull());
    EXPECT_EQ(SkinArtwork::SharpListImage("tab_other.png", 1, 2).size(), QSize(372, 52));
}

} // namespace
