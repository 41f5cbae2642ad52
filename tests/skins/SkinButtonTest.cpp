// Skinned buttons: size from the strip, one frame per state, and a click only
// when the mouse goes down and up on the button without leaving it.
#include "SSButton.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QRgb frameColours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(90, 90, 90)};

// A strip of `frames` solid frames of `frameSize`, coloured by frame index.
QImage strip(QSize frameSize, int frames)
{
    QImage image(frameSize.width() * frames, frameSize.height(), QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, frameColours[x / frameSize.width()]);
    return image;
}

QRgb shownColour(TssSkinButton &button)
{
    return button.grab().toImage().pixel(button.width() / 2, button.height() / 2);
}

void send(QWidget *widget, QEvent::Type type, QPoint position, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(position), widget->mapToGlobal(QPointF(position)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

struct SizeCase {
    QSize strip;
    int divNum;
    QSize button;
};

TEST(SkinButton, TakesOneFramesSizeFromTheStrip)
{
    for (const SizeCase &c : {SizeCase{QSize(204, 20), 3, QSize(68, 20)}, SizeCase{QSize(204, 20), 4, QSize(51, 20)},
                              SizeCase{QSize(204, 20), 1, QSize(204, 20)}, SizeCase{QSize(205, 20), 2, QSize(102, 20)},
                              SizeCase{QSize(0, 0), 3, QSize(50, 30)}}) {
        TssSkinButton button;
        button.SetDivNum(c.divNum);
        QImage skin;
        if (!c.strip.isEmpty()) {
            skin = QImage(c.strip, QImage::Format_RGB32);
            skin.fill(Qt::gray);
        }
        button.SetSkin(skin);
        EXPECT_EQ(button.size(), c.button) << c.strip.width() << " / " << c.divNum;
    }
}

TEST(SkinButton, DivNumOutsideOneToFourIsIgnored)
{
    TssSkinButton button;
    button.SetSkin(strip(QSize(68, 20), 3));
    for (int refused : {0, 5, -1}) {
        button.SetDivNum(refused);
        EXPECT_EQ(button.DivNum(), 3);
        EXPECT_EQ(button.width(), 68);
    }
}

struct StateCase {
    int divNum;
    int normal, hover, pressed, disabled; // frame shown in each state
};

TEST(SkinButton, ShowsTheFrameOfItsState)
{
    for (const StateCase &c : {StateCase{4, 0, 1, 2, 3}, StateCase{3, 0, 1, 2, 0}, StateCase{2, 0, 1, 0, 0},
                               StateCase{1, 0, 0, 0, 0}}) {
        QWidget window;
        auto *button = new TssSkinButton(&window);
        button->SetDivNum(c.divNum);
        button->SetSkin(strip(QSize(30, 12), c.divNum));
        SCOPED_TRACE(c.divNum);

        EXPECT_EQ(shownColour(*button), frameColours[c.normal]);
        enter(button);
        EXPECT_EQ(shownColour(*button), frameColours[c.hover]);
        send(button, QEvent::MouseButtonPress, QPoint(5, 5));
        EXPECT_EQ(shownColour(*button), frameColours[c.pressed]);
        send(button, QEvent::MouseButtonRelease, QPoint(5, 5));
        leave(button);
        button->SetEnabled(false);
        EXPECT_EQ(shownColour(*button), frameColours[c.disabled]);
    }
}

class ClickRules : public testing::Test {
protected:
    ClickRules()
    {
        button = new TssSkinButton(&window);
        button->SetSkin(strip(QSize(40, 20), 3));
    }

    QWidget window;
    TssSkinButton *button;
};

TEST_F(ClickRules, PressAndReleaseOnTheButtonClicks)
{
    QSignalSpy clicks(button, &TssCustomButton::OnClick);
    send(button, QEvent::MouseButtonPress, QPoint(5, 5));
    send(button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ClickRules, LeavingWhilePressedCancelsEvenWhenComingBack)
{
    QSignalSpy clicks(button, &TssCustomButton::OnClick);
    for (QPoint outside : {QPoint(-1, 5), QPoint(5, -1), QPoint(41, 5), QPoint(5, 21)}) {
        send(button, QEvent::MouseButtonPress, QPoint(5, 5));
        send(button, QEvent::MouseMove, outside);
        EXPECT_FALSE(button->IsDown());
        send(button, QEvent::MouseMove, QPoint(5, 5));
        EXPECT_FALSE(button->IsDown()) << "coming back does not press it again";
        send(button, QEvent::MouseButtonRelease, QPoint(5, 5));
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ClickRules, OnlyTheLeftButtonClicks)
{
    QSignalSpy clicks(button, &TssCustomButton::OnClick);
    send(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton);
    send(button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton);
    EXPECT_EQ(clicks.count(), 0);
}

void click(TssCustomButton *button)
{
    send(button, QEvent::MouseButtonPress, QPoint(2, 2));
    send(button, QEvent::MouseButtonRelease, QPoint(2, 2));
}

TEST(SkinButtonAction, ExecutesItsActionAndFollowsItsState)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    QAction action(QStringLiteral("Merge"));
    QSignalSpy triggered(&action, &QAction::triggered);
    button->SetAction(&action);

    click(button);
    EXPECT_EQ(triggered.count(), 1);

    action.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    action.setEnabled(true);
    action.setVisible(false);
    EXPECT_TRUE(button->isHidden());
}

TEST(SkinButtonAction, AConnectedOnClickTakesThePlaceOfTheAction)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    QAction action;
    QSignalSpy triggered(&action, &QAction::triggered);
    button->SetAction(&action);
    int handled = 0;
    QObject::connect(button, &TssCustomButton::OnClick, [&handled] { ++handled; });

    click(button);

    EXPECT_EQ(handled, 1);
    EXPECT_EQ(triggered.count(), 0);
}

TEST(SkinButtonModalResult, ClosesTheDialogWithItsResult)
{
    QDialog dialog;
    auto *button = new TssSkinButton(&dialog);
    button->SetModalResult(mrCancel);
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&result](int r) { result = r; });
    QTimer::singleShot(0, button, [button] { click(button); });

    EXPECT_EQ(dialog.exec(), mrCancel);
    EXPECT_EQ(result, mrCancel);
}

TEST(SkinButtonModalResult, AHandlerCanKeepTheDialogOpen)
{
    QDialog dialog;
    auto *button = new TssSkinButton(&dialog);
    button->SetModalResult(mrOk);
    QObject::connect(button, &TssCustomButton::OnClick, &dialog, [&dialog] { dialog.setResult(mrNone); });
    dialog.show();

    click(button);

    EXPECT_TRUE(dialog.isVisible());
}

TEST(SkinButtonMask, CutsTheButtonToItsFirstFrame)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    QImage skin = strip(QSize(20, 10), 3);
    skin.setPixel(0, 0, qRgb(0xFF, 0, 0xFF));  // corner of frame 0
    skin.setPixel(20, 9, qRgb(0xFF, 0, 0xFF)); // corner of frame 1: not the shape
    button->SetSkin(skin);
    button->SetMask(true);

    EXPECT_EQ(button->mask(), QRegion(0, 0, 20, 10) - QRegion(0, 0, 1, 1));
    button->SetMask(false);
    EXPECT_TRUE(button->mask().isEmpty());
}

TEST(SkinButtonScale, StretchesWholeFrames)
{
    TssSkinButton button;
    button.SetSkin(strip(QSize(68, 20), 3));
    button.ChangeScale(120, 96);
    EXPECT_EQ(button.ScaledSkin().width(), 255);
    EXPECT_EQ(button.width(), 85);
    EXPECT_EQ(button.ScaledSkin().width() % 3, 0);
}

// Answers the error box that the next call raises.
void closeNextMessageBox()
{
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
}

TEST(LinkButton, HoverFollowsTheLinkedButton)
{
    QWidget window;
    auto *first = new TssLinkButton(&window);
    auto *second = new TssLinkButton(&window);
    first->SetLinkButton(second);
    enter(first);
    EXPECT_TRUE(second->IsMouseOn());
    leave(first);
    EXPECT_FALSE(second->IsMouseOn());
}

TEST(LinkButton, RefusesLinksThatLeadBack)
{
    QWidget window;
    auto *a = new TssLinkButton(&window);
    auto *b = new TssLinkButton(&window);
    auto *c = new TssLinkButton(&window);
    a->SetLinkButton(b);
    b->SetLinkButton(c);

    closeNextMessageBox();
    c->SetLinkButton(a);
    EXPECT_EQ(c->ButtonToLink(), nullptr);

    closeNextMessageBox();
    a->SetLinkButton(a);
    EXPECT_EQ(a->ButtonToLink(), nullptr);

    enter(b); // would recurse forever with a loop
    EXPECT_TRUE(c->IsMouseOn());
}

} // namespace
