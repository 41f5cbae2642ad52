#include "SSForm.h"

#include "SkinGrowth.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

TssSkinForm::TssSkinForm(QWidget *form)
    : QWidget(form), form(form)
{
    if (form) {
        form->setWindowFlags(form->windowFlags() | Qt::FramelessWindowHint);
        form->installEventFilter(this);
    }
    resize(200, 100);
    lower();
}

void TssSkinForm::SetPicture(const QImage &newPicture, const QImage &newSharpPicture)
{
    picture = newPicture;
    sharpPicture = newSharpPicture;
    grownSize = picture.size();
    PictureChanged();
}

void TssSkinForm::SetGrowLine(QPoint line)
{
    growLine = line;
    PictureChanged();
}

QPoint TssSkinForm::GrowLine() const
{
    return growLine.x() >= 0 ? growLine : QPoint(picture.width() / 2, picture.height() / 2);
}

// What the form's layout needs at least: its minimum size, and the height its
// wrapped texts take at the width the form will have.
QSize TssSkinForm::LayoutNeeds() const
{
    QLayout *layout = form ? form->layout() : nullptr;
    if (!layout)
        return {};
    QSize needs = layout->totalMinimumSize();
    if (layout->hasHeightForWidth())
        needs.setHeight(std::max(needs.height(), layout->totalHeightForWidth(std::max(needs.width(), picture.width()))));
    return needs;
}

void TssSkinForm::FitToLayout()
{
    if (picture.isNull())
        return;
    const QSize size = picture.size().expandedTo(LayoutNeeds());
    if (size == grownSize)
        return;
    grownSize = size;
    PictureChanged();
}

bool TssSkinForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == form && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show))
        FitToLayout();
    return QWidget::eventFilter(watched, event);
}

void TssSkinForm::SetColor(TColor colour)
{
    transparentColor = colour;
    ReSetWndRgn();
    update();
}

void TssSkinForm::ChangeScale(int m, int d)
{
    move(MulDiv(x(), m, d), MulDiv(y(), m, d));
    resize(MulDiv(width(), m, d), MulDiv(height(), m, d));
    scaleM = m;
    scaleD = d;
    if (ScalePicture()) {
        ReSetWndRgn();
        update();
    }
}

void TssSkinForm::PictureChanged()
{
    glyph = GrowPicture(picture, GrowLine(), grownSize);
    sharpGlyph = GrowPicture(sharpPicture, GrowLine(), grownSize);
    ScalePicture();
    ReSetWndRgn();
    update();
}

bool TssSkinForm::ScalePicture()
{
    if (glyph.isNull() || scaleM == scaleD)
        return false;
    const QSize scaled(MulDiv(glyph.width(), scaleM, scaleD), MulDiv(glyph.height(), scaleM, scaleD));
    // A plain stretch: smoothing would blend the transparent colour into the
    // edge pixels and leave a fringe around the cut-out shape.
    glyph = glyph.scaled(scaled, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return true;
}

void TssSkinForm::ReSetWndRgn()
{
    if (glyph.isNull())
        return;
    if (form) {
        ResetWindow(form);
        SetBitmapWindow(form, glyph, transparentColor);
    }
    if (glyph.width() > 0 && glyph.height() > 0)
        resize(glyph.size());
    move(0, 0);
    if (form)
        form->setFixedSize(size());
    emit OnRegionChanged(this);
}

void TssSkinForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!glyph.isNull()) {
        painter.drawImage(0, 0, glyph);
        // The sharp picture goes over the plain one, which fills every pixel
        // of the shape: where the sharp one is see-through at an edge, the
        // plain one shows instead of the form's own background.
        const bool morePixels = devicePixelRatioF() > 1 || sharpGlyph.deviceIndependentSize() != QSizeF(glyph.size());
        if (!sharpGlyph.isNull() && morePixels) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRect(QPoint(0, 0), glyph.size()), sharpGlyph);
        }
        return;
    }
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TssSkinForm::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !form)
        return;
    QWindow *window = form->windowHandle();
    if (window && window->startSystemMove())
        return;
    // No window manager to hand the move to (a bare X server, for one).
    draggingByHand = true;
    dragOffset = event->globalPosition().toPoint() - form->frameGeometry().topLeft();
}

void TssSkinForm::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (draggingByHand && form)
        form->move(event->globalPosition().toPoint() - dragOffset);
}

void TssSkinForm::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    draggingByHand = false;
}
