#include "Tskinprocess.h"

#include "SSButton.h"
#include "Sspublic.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

// ---------------------------------------------------------------- TImage

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
}

void TImage::SetPicture(const QImage &image)
{
    picture = image;
    if (autoSize && !picture.isNull())
        resize(picture.size());
    RebuildShownPicture();
    update();
}

void TImage::SetAutoSize(bool on)
{
    autoSize = on;
    if (autoSize && !picture.isNull())
        resize(picture.size());
}

void TImage::SetStretch(bool on)
{
    stretch = on;
    update();
}

void TImage::SetTransparent(bool on)
{
    transparent = on;
    RebuildShownPicture();
    update();
}

void TImage::RebuildShownPicture()
{
    shownPicture = picture.convertToFormat(QImage::Format_ARGB32);
    if (!transparent || shownPicture.isNull())
        return;
    const QRgb cutOut = TColorToRgb(clFuchsia);
    for (int y = 0; y < shownPicture.height(); ++y) {
        auto *pixel = reinterpret_cast<QRgb *>(shownPicture.scanLine(y));
        for (int x = 0; x < shownPicture.width(); ++x)
            if ((pixel[x] & RGB_MASK) == (cutOut & RGB_MASK))
                pixel[x] = 0;
    }
}

void TImage::paintEvent(QPaintEvent *)
{
    if (shownPicture.isNull())
        return;
    QPainter painter(this);
    if (stretch)
        painter.drawImage(rect(), shownPicture);
    else
        painter.drawImage(0, 0, shownPicture);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    emit OnMouseDown(event->button(), event->position().toPoint());
}

// ---------------------------------------------------------------- TSkinProcess

TSkinProcess::TSkinProcess(QWidget *parent)
    : TImage(parent)
{
}

// The fill and the thumb are the parent's children, placed from the bar's
// position: when a layout moves the bar, they move with it.
void TSkinProcess::moveEvent(QMoveEvent *event)
{
    TImage::moveEvent(event);
    FollowMove();
}

void TSkinProcess::FollowMove()
{
    const QPoint by = pos() - partsPlacedAt;
    partsPlacedAt = pos();
    if (by.isNull())
        return;
    if (image2)
        image2->move(image2->pos() + by);
    if (image3)
        image3->move(image3->pos() + by);
}

// Fill and thumb sit on the parent, so the parent would otherwise keep them.
TSkinProcess::~TSkinProcess()
{
    delete image3;
    delete image2;
}

bool TSkinProcess::LoadImageA(QImage &picture, const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    const QImage decoded = QImage::fromData(input.readAll(), "BMP");
    if (decoded.isNull())
        return false;
    picture = decoded;
    return true;
}

void TSkinProcess::SetImage2(const QString &file)
{
    delete image2;
    image2 = new TImage(parentWidget());
    image2->SetAutoSize(true);
    QImage picture;
    LoadImageA(picture, file);
    image2->SetPicture(picture);
    // From now on a new width stretches the bitmap instead of resizing to it.
    image2->SetStretch(true);
    image2->SetAutoSize(false);
    image2->SetTransparent(true);
    ChangeControlScale(image2);
    image2->show();
}

void TSkinProcess::SetImage3(const QString &file)
{
    delete image3;
    image3 = new TssSkinButton(parentWidget());
    QImage strip;
    LoadImageA(strip, file);
    image3->SetSkin(strip);
    image3->SetMask(true);
    connect(image3, &TssCustomButton::OnMouseDown, this, &TSkinProcess::Image3OnMouseDown);
    connect(image3, &TssCustomButton::OnMouseMove, this, &TSkinProcess::Image3OnMouseMove);
    connect(image3, &TssCustomButton::OnMouseUp, this, &TSkinProcess::Image3OnMouseUp);
    image3->ChangeScale(scaleM, scaleD);
    if (image2)
        connect(image2, &TImage::OnMouseDown, this, &TSkinProcess::Image2OnMouseDown, Qt::UniqueConnection);
    image3->show();
}

void TSkinProcess::SetBaseLine(int y)
{
    FollowMove();
    baseLine = MulDiv(y, scaleM, scaleD);
    if (image2)
        image2->move(image2->x(), baseLine + this->y() - image2->height() / 2);
    if (image3)
        image3->move(image3->x(), this->y() + baseLine - image3->height() / 2);
}

void TSkinProcess::SetExtRange(int start, int length)
{
    FollowMove();
    extStart = start;
    extRange = length;
    if (image2) {
        image2->move(x() + start, image2->y());
        SetFillWidth(0);
    }
    if (image3)
        image3->move((image2 ? image2->x() : x() + start) - HalfThumbWidth(), image3->y());
}

void TSkinProcess::SetImage2Range(int start, int width)
{
    FollowMove();
    image2RangeMode = true;
    if (image2) {
        image2->move(x() + start, image2->y());
        SetFillWidth(width);
    }
    if (image3)
        image3->move(ControlImage3Left(image3->x()), image3->y());
}

int TSkinProcess::ControlImage3Left(int thumbLeft) const
{
    const int half = HalfThumbWidth();
    int low = x() + extStart - half;
    int high = x() + extStart + extRange - half;
    if (image2RangeMode && !freeMode && image2) {
        low = image2->x() - half;
        high = image2->x() + image2->width() - half;
    }
    return std::min(high, std::max(low, thumbLeft));
}

void TSkinProcess::Setprocess(int pos)
{
    FollowMove();
    // A 64-bit product: an absurd position must not overflow.
    const double filled = static_cast<double>(static_cast<qint64>(pos) * extRange) * 0.01;
    if (image3)
        image3->move(ControlImage3Left(static_cast<int>(filled + x() + extStart - HalfThumbWidth())), image3->y());
    if (!image2RangeMode && image2)
        SetFillWidth(static_cast<int>(filled));
}

int TSkinProcess::Getprocess() const
{
    // An empty track has no position to report.
    if (!image3 || extRange == 0)
        return 0;
    const double offset = image3->x() + HalfThumbWidth() - x() - extStart;
    return static_cast<int>(offset / extRange * 100);
}

void TSkinProcess::ChangeScale(int m, int d)
{
    setGeometry(MulDiv(x(), m, d), MulDiv(y(), m, d), MulDiv(width(), m, d), MulDiv(height(), m, d));
    scaleM = m;
    scaleD = d;
}

void TSkinProcess::ChangeControlScale(QWidget *control)
{
    if (!control || scaleM == scaleD)
        return;
    control->setGeometry(MulDiv(control->x(), scaleM, scaleD), MulDiv(control->y(), scaleM, scaleD),
                         MulDiv(control->width(), scaleM, scaleD), MulDiv(control->height(), scaleM, scaleD));
}

int TSkinProcess::HalfThumbWidth() const
{
    return image3 ? image3->width() / 2 : 0;
}

void TSkinProcess::SetFillWidth(int width)
{
    if (image2)
        image2->resize(std::max(0, width), image2->height());
}

void TSkinProcess::MoveThumbTo(int thumbLeft)
{
    image3->move(ControlImage3Left(thumbLeft), image3->y());
    if (!image2RangeMode && image2)
        SetFillWidth(image3->x() + HalfThumbWidth() - image2->x());
}

void TSkinProcess::Image3OnMouseDown(Qt::MouseButton, QPoint position)
{
    downX = position.x();
    dragging = true;
}

void TSkinProcess::Image3OnMouseMove(QPoint position)
{
    if (!dragging)
        return;
    MoveThumbTo(image3->x() + position.x() - downX);
    if (moveChangeNotify)
        emit OnProcessChange(Getprocess());
}

void TSkinProcess::Image3OnMouseUp(Qt::MouseButton, QPoint)
{
    dragging = false;
    emit OnProcessChange(Getprocess());
}

void TSkinProcess::MyOnMouseDown(Qt::MouseButton button, QPoint position)
{
    MoveThumbTo(position.x() + x() - HalfThumbWidth());
    emit OnMouseDown(button, position);
    emit OnProcessChange(Getprocess());
}

void TSkinProcess::Image2OnMouseDown(Qt::MouseButton button, QPoint position)
{
    MyOnMouseDown(button, QPoint(image2->x() + position.x() - x(), position.y()));
}

void TSkinProcess::mousePressEvent(QMouseEvent *event)
{
    if (image3)
        MyOnMouseDown(event->button(), event->position().toPoint());
    else
        TImage::mousePressEvent(event);
}
