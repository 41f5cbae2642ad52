#include "SkinGrowth.h"

#include <QPainter>

#include <algorithm>

namespace {

// Copies the picture's pixels as they are, the alpha channel too, without smoothing.
void CopyPart(QPainter &painter, const QRect &target, const QImage &source, const QRect &part)
{
    if (!target.isEmpty() && !part.isEmpty())
        painter.drawImage(target, source, part);
}

// Widens `image` by `extra` pixels, repeating its column `column`.
QImage Widen(const QImage &image, int column, int extra)
{
    if (extra <= 0 || image.isNull())
        return image;
    column = std::clamp(column, 0, image.width() - 1);
    const int height = image.height();
    QImage wide(image.width() + extra, height, image.format());
    QPainter painter(&wide);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    CopyPart(painter, QRect(0, 0, column + 1, height), image, QRect(0, 0, column + 1, height));
    CopyPart(painter, QRect(column + 1, 0, extra, height), image, QRect(column, 0, 1, height));
    const int rest = image.width() - column - 1;
    CopyPart(painter, QRect(column + 1 + extra, 0, rest, height), image, QRect(column + 1, 0, rest, height));
    return wide;
}

QImage Heighten(const QImage &image, int row, int extra)
{
    if (extra <= 0 || image.isNull())
        return image;
    const QTransform turn = QTransform().rotate(90);
    return Widen(image.transformed(turn), image.height() - 1 - std::clamp(row, 0, image.height() - 1), extra)
        .transformed(turn.inverted());
}

// The picture as plain pixels: painting on an image with a device pixel
// ratio would count in design pixels instead.
QImage PlainPixels(const QImage &picture)
{
    QImage pixels = picture;
    pixels.setDevicePixelRatio(1);
    const QImage::Format format = pixels.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 && format != QImage::Format_ARGB32_Premultiplied)
        pixels = pixels.convertToFormat(QImage::Format_ARGB32); // one QPainter can draw on
    return pixels;
}

} // namespace

QImage GrowPicture(const QImage &picture, QPoint line, QSize size)
{
    if (picture.isNull())
        return picture;
    const qreal ratio = picture.devicePixelRatio();
    const int extraWidth = qRound(size.width() * ratio) - picture.width();
    const int extraHeight = qRound(size.height() * ratio) - picture.height();
    if (extraWidth <= 0 && extraHeight <= 0)
        return picture;
    QImage grown = PlainPixels(picture);
    grown = Widen(grown, qRound(line.x() * ratio), extraWidth);
    grown = Heighten(grown, qRound(line.y() * ratio), extraHeight);
    grown.setDevicePixelRatio(ratio);
    return grown;
}

QImage GrowStrip(const QImage &strip, int frames, int left, int right, int extra)
{
    if (strip.isNull() || frames < 1 || extra <= 0)
        return strip;
    const qreal ratio = strip.devicePixelRatio();
    const QImage pixels = PlainPixels(strip);
    const int frameWidth = pixels.width() / frames;
    const int leftExtra = qRound(extra / 2 * ratio);
    const int rightExtra = qRound((extra - extra / 2) * ratio);
    QImage grown(frames * (frameWidth + leftExtra + rightExtra), pixels.height(), pixels.format());
    QPainter painter(&grown);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int index = 0; index < frames; ++index) {
        QImage frame = pixels.copy(index * frameWidth, 0, frameWidth, pixels.height());
        // The right column first: widening at the left would move it.
        frame = Widen(frame, qRound(right * ratio), rightExtra);
        frame = Widen(frame, qRound(left * ratio), leftExtra);
        painter.drawImage(index * frame.width(), 0, frame);
    }
    painter.end();
    grown.setDevicePixelRatio(ratio);
    return grown;
}
