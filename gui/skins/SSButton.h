#pragma once

#include "Sspublic.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QAction;
class QPainter;

// How a caption sits on a button's face: where within one frame (an empty
// area is the whole frame), how large, and its colour in each state (normal,
// mouse over, pressed, disabled). A caption too wide for its area is drawn
// smaller, down to 9 pixels; one still too wide widens the button instead
// (its faces grow at two plain columns of the area).
struct TSkinCaption {
    QRect Area;
    int PixelSize = 13;
    bool Bold = false;
    QColor Ink[4] = {Qt::black, Qt::black, Qt::black, Qt::gray};
};

// The smallest caption a skinned button draws, and the room it leaves beside it.
inline constexpr int SmallestCaptionPixels = 9;
inline constexpr int CaptionPadding = 4;

// The values a skinned button hands to its dialog when clicked; the dialog
// closes with a non-zero one and QDialog::exec() returns it.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// A button that paints itself, state by state, into an off-screen bitmap.
// A click counts only when the left button goes down and up on the button
// without the mouse leaving it in between. The keyboard reaches it with Tab
// (a ring shows the focus) and clicks it with Space or Enter.
class TssCustomButton : public QWidget {
    Q_OBJECT

public:
    explicit TssCustomButton(QWidget *parent = nullptr);

    bool Mask() const { return maskOn; }
    void SetMask(bool on);
    TColor MaskColor() const { return maskColor; }
    void SetMaskColor(TColor colour);

    int ModalResult() const { return modalResult; }
    void SetModalResult(int result) { modalResult = result; }

    // The button follows the action's enabled and visible state and, when
    // clicked, executes it (unless OnClick is connected, which then wins).
    QAction *Action() const { return action; }
    void SetAction(QAction *newAction);

    void SetEnabled(bool on);

    bool IsMouseOn() const { return mouseOn; }
    bool IsDown() const { return down; }

    // A click as the keyboard or a screen reader gives it.
    void Press();

signals:
    void OnClick();
    void OnMouseEnter(TssCustomButton *sender);
    void OnMouseExit(TssCustomButton *sender);
    void OnMouseDown(Qt::MouseButton button, QPoint position);
    void OnMouseMove(QPoint position);
    void OnMouseUp(Qt::MouseButton button, QPoint position);

protected:
    virtual void MaskChanged() = 0;
    virtual void PaintButtonNormal(QPainter &painter) = 0;
    virtual void PaintButtonMouseOn(QPainter &painter) = 0;
    virtual void PaintButtonMouseDown(QPainter &painter) = 0;
    virtual void PaintButtonDisabled(QPainter &painter) = 0;
    virtual void AdjustSize() {}
    virtual void PaintFocus(QPainter &painter);
    // The bound action's text changed; the button shows it to screen readers.
    virtual void ActionTextChanged(const QString &text);

    virtual void MouseDown(Qt::MouseButton button, QPoint position);
    virtual void MouseUp(Qt::MouseButton button, QPoint position);
    virtual void MouseMove(QPoint position);
    virtual void MouseEnter();
    virtual void MouseLeave();
    void Click();

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void SyncWithAction();
    void HandModalResultToDialog();

    bool maskOn = false;
    TColor maskColor = clFuchsia;
    int modalResult = mrNone;
    bool mouseOn = false;
    bool down = false;
    bool clicking = false;
    QPointer<QAction> action;
};

// A button drawn from a horizontal strip of DivNum equally wide frames:
// 0 normal, 1 mouse over, 2 pressed, 3 disabled.
class TssSkinButton : public TssCustomButton {
    Q_OBJECT

public:
    explicit TssSkinButton(QWidget *parent = nullptr);

    const QImage &Skin() const { return skin; }
    // `sharpStrip`, when given, is the same strip drawn with more pixels (its
    // device pixel ratio says how many); screens that have them paint it.
    void SetSkin(const QImage &strip, const QImage &sharpStrip = QImage());

    // The words over every frame (the button's action gives its text).
    QString Caption() const { return caption; }
    void SetCaption(const QString &text);
    // The caption as the faces show it: whole, or cut short when it cannot fit.
    QString ShownCaption() const;
    const TSkinCaption &CaptionLook() const { return captionLook; }
    void SetCaptionLook(const TSkinCaption &look);

    int DivNum() const { return divNum; }
    void SetDivNum(int frames);

    const QImage &ScaledSkin() const { return scaledSkin; }

    // Stretches the strip by m / d and resizes and reshapes the button to match.
    void ChangeScale(int m, int d);

    // A frame of the strip, widened where the caption needs it: the size a
    // layout gives the button, and keeps.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void MaskChanged() override;
    void PaintButtonNormal(QPainter &painter) override;
    void PaintButtonMouseOn(QPainter &painter) override;
    void PaintButtonMouseDown(QPainter &painter) override;
    void PaintButtonDisabled(QPainter &painter) override;
    void AdjustSize() override;

private:
    void ActionTextChanged(const QString &text) override;
    void SkinChanged();
    bool ScaleSkin();
    void GrowForCaption();
    QRect DesignCaptionArea() const;
    QFont CaptionFont(int pixelSize) const;
    QString FittedCaption(QFont &font) const;
    int CaptionOverflow() const;
    int Scaled(int value) const;
    int FrameWidth() const { return scaledSkin.width() / divNum; }
    QImage Frame(int index) const;
    void PaintFrame(QPainter &painter, int index);
    void PaintCaption(QPainter &painter, int index);
    bool PaintsSharp(const QPainter &painter) const;

    QImage skin;
    QImage sharpSkin;
    QString caption;
    TSkinCaption captionLook;
    int divNum = 3;
    QImage scaledSkin;      // scaled, then widened for the caption
    QImage grownSharpSkin;  // the sharp strip widened alike
    int grownBy = 0;        // design pixels the caption added to each frame
    int scaleM = 0;
    int scaleD = 0;
};

// A skinned button whose hover state also drives another one.
class TssLinkButton : public TssSkinButton {
    Q_OBJECT

public:
    explicit TssLinkButton(QWidget *parent = nullptr);

    TssLinkButton *ButtonToLink() const { return linkedButton; }
    // Refuses, with an error box, a link that would lead back to this button.
    void SetLinkButton(TssLinkButton *other);

protected:
    void MouseMove(QPoint position) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    QPointer<TssLinkButton> linkedButton;
};
