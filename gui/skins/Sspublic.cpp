#include "Sspublic.h"

#include <QWidget>
#include <cstdlib>

const unsigned char *Dib24View::row(int y) const
{
    const int storedRow = height > 0 ? height - 1 - y : y;
    return bits + static_cast<std::ptrdiff_t>(storedRow) * stride(width);
}

Dib24 Dib24::fromImage(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Dib24 dib;
    dib.width = rgb.width();
    dib.height = rgb.height();
    const int stride = Dib24View::stride(dib.width);
    dib.bytes = QByteArray(stride * dib.height, '\0');
    for (int y = 0; y < dib.height; ++y) {
        const uchar *source = rgb.constScanLine(y);
        uchar *target = reinterpret_cast<uchar *>(dib.bytes.data()) + y * stride;
        for (int x = 0; x < dib.width; ++x) {
            target[3 * x] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x];
        }
    }
    return dib;
}

QRegion BitmapRegion(const Dib24View &dib, TColor colour)
{
    QRegion region;
    const int rows = dib.rowCount();
    for (int y = 0; y < rows; ++y) {
        const unsigned char *pixel = dib.row(y);
        bool outside = true;
        int runStart = 0;
        int runEnd = 0;
        for (int x = 0; x < dib.width; ++x, pixel += 3) {
            const TColor value = pixel[0] * 65536u + pixel[1] * 256u + pixel[2];
            if (value != colour) {
                if (outside)
                    runStart = x;
                runEnd = x;
                outside = false;
            } else {
                if (!outside)
                    region += QRect(runStart, y, runEnd + 1 - runStart, 1);
                outside = true;
            }
        }
        if (!outside)
            region += QRect(runStart, y, runEnd + 1 - runStart, 1);
    }
    return region;
}

QRegion BitmapRegion(const QImage &bitmap, TColor colour)
{
    const Dib24 dib = Dib24::fromImage(bitmap);
    return BitmapRegion(dib.view(), colour);
}

void SetBitmapWindow(QWidget *window, const QImage &bitmap, TColor colour)
{
    if (!window)
        return;
    window->setMask(BitmapRegion(bitmap, colour));
    window->update();
}

void ResetWindow(QWidget *window)
{
    if (!window)
        return;
    window->clearMask();
    window->update();
}

TColor ColorToTColor(QRgb rgb)
{
    return static_cast<TColor>(qBlue(rgb)) << 16 | static_cast<TColor>(qGreen(rgb)) << 8 | qRed(rgb);
}

QRgb TColorToRgb(TColor colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int MulDiv(int value, int m, int d)
{
    if (d == 0)
        return value;
    const long long product = static_cast<long long>(value) * m;
    const long long half = std::llabs(static_cast<long long>(d)) / 2;
    const bool negative = (product < 0) != (d < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(d));
    return static_cast<int>(negative ? -magnitude : magnitude);
}
