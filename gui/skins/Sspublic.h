#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>

class QWidget;

// A colour as the skins store it: 0x00BBGGRR, red in the low byte.
using TColor = std::uint32_t;

inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clBlack = 0x000000;

// The pixels of a 24-bit device-independent bitmap: rows padded to four bytes,
// each pixel stored blue, green, red. A positive height means the rows are
// stored bottom-up, a negative one top-down, as in a BMP file header.
struct Dib24View {
    const unsigned char *bits = nullptr;
    int width = 0;
    int height = 0;

    static int stride(int width) { return (width * 3 + 3) & ~3; }
    int rowCount() const { return height < 0 ? -height : height; }
    // Row y = 0 is the top row whatever the storage order.
    const unsigned char *row(int y) const;
};

// The DIB that a picture is read as: a 24-bit top-down copy of the image.
struct Dib24 {
    QByteArray bytes;
    int width = 0;
    int height = 0;

    static Dib24 fromImage(const QImage &image);
    Dib24View view() const { return {reinterpret_cast<const unsigned char *>(bytes.constData()), width, -height}; }
};

// The run-length region of a bitmap: every horizontal run of pixels that differ
// from `colour` becomes one rectangle one pixel high.
QRegion BitmapRegion(const Dib24View &dib, TColor colour);
QRegion BitmapRegion(const QImage &bitmap, TColor colour);

// Shapes the window from the bitmap, cutting out the pixels of `colour`.
void SetBitmapWindow(QWidget *window, const QImage &bitmap, TColor colour);

// Makes the window rectangular again and redraws it.
void ResetWindow(QWidget *window);

TColor ColorToTColor(QRgb rgb);
QRgb TColorToRgb(TColor colour);

// Rounds value * m / d to the nearest integer, halves away from zero.
int MulDiv(int value, int m, int d);
