#pragma once
// Skin pictures made larger without changing their look: a window or button
// that needs more room than its picture repeats a column (and a row) of
// plain pixels, so edges, corners and icons keep their shapes.

#include <QImage>
#include <QPoint>
#include <QSize>

// `picture` widened to `size` by repeating its column `line.x()` and
// heightened by repeating its row `line.y()`. Both are in design pixels: a
// picture with more pixels per point (its device pixel ratio) repeats the
// matching columns and rows. A size smaller than the picture leaves it as it is.
QImage GrowPicture(const QImage &picture, QPoint line, QSize size);

// A strip of `frames` equally wide frames whose every frame is `extra` design
// pixels wider: half of it repeats the frame's column `left`, the rest its
// column `right`, so a picture between the two stays in the middle.
QImage GrowStrip(const QImage &strip, int frames, int left, int right, int extra);
