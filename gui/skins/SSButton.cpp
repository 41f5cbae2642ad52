#include "SSButton.h"

#include "SkinGrowth.h"
#include "SkinPalette.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

// ---------------------------------------------------------------- accessibility

namespace {

class SkinButtonAccessible : public QAccessibleWidget
{
public:
    explicit SkinButtonAccessible(QWidget *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            static_cast<TssCustomButton *>(widget())->Press();
    }
};

QAccessibleInterface *SkinButtonAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TssCustomButton") && object && object->isWidgetType())
        return new SkinButtonAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

// Screen readers see skinned buttons as buttons they can press; the first
// button made tells the accessibility framework so, for as long as this code
// stays loaded (a plug-in library takes its factory back when it unloads).
class AccessibilityInstallation
{
public:
    AccessibilityInstallation() { QAccessible::installFactory(&SkinButtonAccessibleFactory); }
    ~AccessibilityInstallation() { QAccessible::removeFactory(&SkinButtonAccessibleFactory); }
};

void InstallSkinAccessibility()
{
    static const AccessibilityInstallation installation;
}

} // namespace

// ---------------------------------------------------------------- TssCustomButton

TssCustomButton::TssCustomButton(QWidget *parent)
    : QWidget(parent)
{
    // Mouse moves are reported (OnMouseMove) even with no button pressed.
    setMouseTracking(true);
    // The keyboard reaches the button; a mouse click does not move the focus.
    setFocusPolicy(Qt::TabFocus);
    InstallSkinAccessibility();
}

void TssCustomButton::SetMask(bool on)
{
    maskOn = on;
    MaskChanged();
}

void TssCustomButton::SetMaskColor(TColor colour)
{
    maskColor = colour;
    MaskChanged();
}

void TssCustomButton::SetEnabled(bool on)
{
    setEnabled(on);
    update();
}

void TssCustomButton::SetAction(QAction *newAction)
{
    if (action)
        disconnect(action, nullptr, this, nullptr);
    action = newAction;
    if (!action)
        return;
    connect(action, &QAction::changed, this, &TssCustomButton::SyncWithAction);
    SyncWithAction();
}

void TssCustomButton::SyncWithAction()
{
    setEnabled(action->isEnabled());
    // Showing a button that has no parent yet would open it as a window.
    if (parentWidget() || !action->isVisible())
        setVisible(action->isVisible());
    ActionTextChanged(action->iconText());
    setToolTip(action->toolTip());
    update();
}

void TssCustomButton::ActionTextChanged(const QString &text)
{
    setAccessibleName(text);
}

void TssCustomButton::Press()
{
    if (!isEnabled())
        return;
    QPointer<TssCustomButton> self(this);
    clicking = true;
    down = false;
    Click();
    if (self)
        clicking = false;
}

void TssCustomButton::MouseDown(Qt::MouseButton button, QPoint position)
{
    if (button == Qt::LeftButton) {
        down = true;
        update();
    }
    emit OnMouseDown(button, position);
}

void TssCustomButton::MouseUp(Qt::MouseButton button, QPoint position)
{
    QPointer<TssCustomButton> self(this);
    if (button == Qt::LeftButton && down) {
        clicking = true;
        down = false;
        update();
        Click();
        // The click may have closed and destroyed the button's window.
        if (!self)
            return;
        clicking = false;
    }
    emit OnMouseUp(button, position);
}

void TssCustomButton::MouseMove(QPoint position)
{
    emit OnMouseMove(position);
    if (position.x() < 0 || position.y() < 0 || position.x() > width() || position.y() > height()) {
        // Leaving while pressed cancels the click, even if the mouse comes back.
        mouseOn = false;
        down = false;
        update();
    }
}

void TssCustomButton::MouseEnter()
{
    mouseOn = true;
    update();
    emit OnMouseEnter(this);
}

void TssCustomButton::MouseLeave()
{
    mouseOn = false;
    update();
    emit OnMouseExit(this);
}

void TssCustomButton::Click()
{
    if (!clicking || !isEnabled())
        return;
    QPointer<QDialog> dialog = parentWidget() ? qobject_cast<QDialog *>(window()) : nullptr;
    if (dialog)
        dialog->setResult(modalResult);

    const bool clickConnected = isSignalConnected(QMetaMethod::fromSignal(&TssCustomButton::OnClick));
    if (action && clickConnected)
        emit OnClick();
    else if (action)
        action->trigger();
    else
        emit OnClick();

    HandModalResultToDialog();
}

// The dialog closes only after the click handlers ran, so a handler that finds
// the input wrong can keep it open by setting the result back to mrNone.
void TssCustomButton::HandModalResultToDialog()
{
    auto *dialog = parentWidget() ? qobject_cast<QDialog *>(window()) : nullptr;
    if (dialog && dialog->isVisible() && dialog->result() != mrNone)
        dialog->done(dialog->result());
}

void TssCustomButton::paintEvent(QPaintEvent *)
{
    // As many pixels as the screen has, so sharp pictures and captions stay sharp.
    const qreal ratio = devicePixelRatioF();
    QImage offscreen(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    offscreen.setDevicePixelRatio(ratio);
    offscreen.fill(Qt::transparent);
    {
        QPainter painter(&offscreen);
        try {
            if (!isEnabled())
                PaintButtonDisabled(painter);
            else if (down)
                PaintButtonMouseDown(painter);
            else if (mouseOn)
                PaintButtonMouseOn(painter);
            else
                PaintButtonNormal(painter);
            if (hasFocus())
                PaintFocus(painter);
        } catch (...) {
            // A broken picture must not take the window down; show what was drawn.
        }
    }
    QPainter(this).drawImage(0, 0, offscreen);
}

// A dark ring with a light line inside: it shows on light and on accent faces.
void TssCustomButton::PaintFocus(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(SkinPalette::AccentPressed, 2));
    painter.drawRoundedRect(outer, 4, 4);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
    painter.drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    painter.restore();
}

void TssCustomButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            Press();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void TssCustomButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TssCustomButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TssCustomButton::mousePressEvent(QMouseEvent *event)
{
    MouseDown(event->button(), event->position().toPoint());
}

void TssCustomButton::mouseReleaseEvent(QMouseEvent *event)
{
    MouseUp(event->button(), event->position().toPoint());
}

void TssCustomButton::mouseMoveEvent(QMouseEvent *event)
{
    MouseMove(event->position().toPoint());
}

void TssCustomButton::enterEvent(QEnterEvent *)
{
    MouseEnter();
}

void TssCustomButton::leaveEvent(QEvent *)
{
    MouseLeave();
}

void TssCustomButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------- TssSkinButton

TssSkinButton::TssSkinButton(QWidget *parent)
    : TssCustomButton(parent)
{
    // The placeholder of a button without a skin shows its name.
    connect(this, &QObject::objectNameChanged, this, qOverload<>(&QWidget::update));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    AdjustSize();
}

QSize TssSkinButton::sizeHint() const
{
    if (scaledSkin.width() > 0 && scaledSkin.height() > 0)
        return {scaledSkin.width() / divNum, scaledSkin.height()};
    return {50, 30};
}

void TssSkinButton::SetSkin(const QImage &strip, const QImage &sharpStrip)
{
    skin = strip;
    sharpSkin = sharpStrip;
    SkinChanged();
}

void TssSkinButton::SetCaption(const QString &text)
{
    caption = text;
    setAccessibleName(text);
    SkinChanged();
}

void TssSkinButton::SetCaptionLook(const TSkinCaption &look)
{
    captionLook = look;
    SkinChanged();
}

void TssSkinButton::ActionTextChanged(const QString &text)
{
    SetCaption(text);
}

void TssSkinButton::SkinChanged()
{
    ScaleSkin();
    GrowForCaption();
    AdjustSize();
    MaskChanged();
    update();
}

void TssSkinButton::SetDivNum(int frames)
{
    if (frames < 1 || frames > 4)
        return;
    divNum = frames;
    ScaleSkin();
    GrowForCaption();
    AdjustSize();
    MaskChanged();
    update();
}

void TssSkinButton::ChangeScale(int m, int d)
{
    move(MulDiv(x(), m, d), MulDiv(y(), m, d));
    resize(MulDiv(width(), m, d), MulDiv(height(), m, d));
    scaleM = m;
    scaleD = d;
    const bool stretched = ScaleSkin();
    GrowForCaption();
    if (stretched) {
        AdjustSize();
        MaskChanged();
        update();
    }
}

bool TssSkinButton::ScaleSkin()
{
    if (skin.isNull() || scaleM == scaleD) {
        scaledSkin = skin;
        return false;
    }
    // Whole frames are scaled, so the stretched strip still divides evenly.
    const int width = MulDiv(skin.width() / divNum, scaleM, scaleD) * divNum;
    const int height = MulDiv(skin.height() / divNum, scaleM, scaleD) * divNum;
    scaledSkin = skin.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return true;
}

int TssSkinButton::Scaled(int value) const
{
    return scaleM != scaleD && scaleD != 0 ? MulDiv(value, scaleM, scaleD) : value;
}

// Where the caption goes on a frame of the strip as drawn (the look is laid
// out for the design size; a stretched button stretches it).
QRect TssSkinButton::DesignCaptionArea() const
{
    if (captionLook.Area.isEmpty())
        return QRect(0, 0, FrameWidth() - grownBy, scaledSkin.height());
    const QRect &area = captionLook.Area;
    return QRect(Scaled(area.x()), Scaled(area.y()), Scaled(area.width()), Scaled(area.height()));
}

QFont TssSkinButton::CaptionFont(int pixelSize) const
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(captionLook.Bold);
    font.setPixelSize(pixelSize);
    return font;
}

// How much wider the caption's area must be for the caption to show whole
// at the smallest size it is drawn at.
int TssSkinButton::CaptionOverflow() const
{
    if (caption.isEmpty() || scaledSkin.isNull())
        return 0;
    const int needed = QFontMetrics(CaptionFont(Scaled(SmallestCaptionPixels))).horizontalAdvance(caption) + CaptionPadding;
    return std::max(0, needed - DesignCaptionArea().width());
}

// A caption that would be cut short widens every frame, at two columns a
// quarter into its area from either side, where the faces are plain.
void TssSkinButton::GrowForCaption()
{
    grownBy = 0;
    const int overflow = CaptionOverflow();
    grownSharpSkin = sharpSkin;
    if (overflow <= 0)
        return;
    const QRect area = DesignCaptionArea();
    const int left = area.left() + area.width() / 4;
    const int right = area.left() + area.width() * 3 / 4;
    scaledSkin = GrowStrip(scaledSkin, divNum, left, right, overflow);
    // The sharp strip counts in design pixels, whatever the stretch.
    const bool scaled = scaleM != scaleD && scaleD != 0 && scaleM != 0;
    const auto design = [&](int value) { return scaled ? MulDiv(value, scaleD, scaleM) : value; };
    grownSharpSkin = GrowStrip(sharpSkin, divNum, design(left), design(right), design(overflow));
    grownBy = overflow;
}

void TssSkinButton::AdjustSize()
{
    resize(sizeHint());
    updateGeometry();
}

QImage TssSkinButton::Frame(int index) const
{
    return scaledSkin.copy(index * FrameWidth(), 0, FrameWidth(), scaledSkin.height());
}

void TssSkinButton::MaskChanged()
{
    if (Mask() && !scaledSkin.isNull()) {
        const QImage firstFrame = scaledSkin.copy(0, 0, width(), height());
        SetBitmapWindow(this, firstFrame, MaskColor());
    } else {
        ResetWindow(this);
    }
}

// The sharp strip is painted where it adds pixels: on a screen with more
// pixels per point, or on a button stretched beyond its design size.
bool TssSkinButton::PaintsSharp(const QPainter &painter) const
{
    if (grownSharpSkin.isNull() || grownSharpSkin.width() / divNum <= 0)
        return false;
    return painter.device()->devicePixelRatioF() > 1 || (scaleM != scaleD && scaleD != 0);
}

void TssSkinButton::PaintFrame(QPainter &painter, int index)
{
    if (skin.isNull()) {
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, width(), 20), Qt::AlignCenter, objectName());
        return;
    }
    if (FrameWidth() <= 0 || scaledSkin.height() <= 0) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    const QRect target(0, 0, FrameWidth(), scaledSkin.height());
    painter.drawImage(target, scaledSkin, QRect(index * FrameWidth(), 0, FrameWidth(), scaledSkin.height()));
    if (PaintsSharp(painter)) {
        // Over the plain frame, which fills every pixel the button is cut to.
        const int sharpFrame = grownSharpSkin.width() / divNum;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, grownSharpSkin, QRect(index * sharpFrame, 0, sharpFrame, grownSharpSkin.height()));
        painter.restore();
    }
    PaintCaption(painter, index);
}

// The caption as it fits its area: smaller down to the smallest size, then
// cut short (which a button widened for its caption never needs).
QString TssSkinButton::FittedCaption(QFont &font) const
{
    const int room = DesignCaptionArea().width() + grownBy - CaptionPadding;
    int pixelSize = Scaled(captionLook.PixelSize);
    font = CaptionFont(pixelSize);
    while (pixelSize > SmallestCaptionPixels && QFontMetrics(font).horizontalAdvance(caption) > room)
        font.setPixelSize(--pixelSize);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(caption) <= room ? caption : metrics.elidedText(caption, Qt::ElideRight, room);
}

QString TssSkinButton::ShownCaption() const
{
    QFont font;
    return caption.isEmpty() ? QString() : FittedCaption(font);
}

void TssSkinButton::PaintCaption(QPainter &painter, int index)
{
    if (caption.isEmpty())
        return;
    QRect area = DesignCaptionArea().adjusted(0, 0, grownBy, 0);
    if (index == 2)
        area.translate(0, 1); // pressed: the words sink with the face
    QFont font;
    const QString shown = FittedCaption(font);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(captionLook.Ink[std::clamp(index, 0, 3)]);
    painter.drawText(area, Qt::AlignCenter, shown);
    painter.restore();
}

void TssSkinButton::PaintButtonNormal(QPainter &painter)
{
    PaintFrame(painter, 0);
}

void TssSkinButton::PaintButtonMouseOn(QPainter &painter)
{
    PaintFrame(painter, divNum >= 2 ? 1 : 0);
}

void TssSkinButton::PaintButtonMouseDown(QPainter &painter)
{
    PaintFrame(painter, divNum >= 3 ? 2 : 0);
}

// Without a frame of its own a disabled button shows the normal face, but its
// caption still reads as disabled.
void TssSkinButton::PaintButtonDisabled(QPainter &painter)
{
    PaintFrame(painter, divNum == 4 ? 3 : 0);
}

// ---------------------------------------------------------------- TssLinkButton

TssLinkButton::TssLinkButton(QWidget *parent)
    : TssSkinButton(parent)
{
}

void TssLinkButton::SetLinkButton(TssLinkButton *other)
{
    // Any chain that comes back here would make hovering recurse forever, not
    // only a pair of buttons pointing at each other.
    for (TssLinkButton *step = other; step; step = step->ButtonToLink()) {
        if (step == this) {
            QMessageBox::critical(this, QString(), QStringLiteral("ButtonToLink 属性不能循环指定！ "), QMessageBox::Ok);
            linkedButton = nullptr;
            return;
        }
    }
    linkedButton = other;
}

void TssLinkButton::MouseMove(QPoint position)
{
    TssSkinButton::MouseMove(position);
    if (linkedButton)
        linkedButton->MouseMove(QPoint(linkedButton->x() + 10, linkedButton->y() + 10));
}

void TssLinkButton::MouseEnter()
{
    TssSkinButton::MouseEnter();
    if (linkedButton)
        linkedButton->MouseEnter();
}

void TssLinkButton::MouseLeave()
{
    TssSkinButton::MouseLeave();
    if (linkedButton)
        linkedButton->MouseLeave();
}
