#pragma once

#include "Sspublic.h"

#include <QImage>
#include <QWidget>

// Paints a form's whole background from one bitmap and gives the form the
// bitmap's size and shape: pixels of TransparentColor are cut out of the window.
// The form loses its system frame; the user moves it by dragging the background.
// A sharper copy of the picture, when given, is painted on screens with more
// pixels per point; the plain picture still decides size and shape.
// The form keeps the picture's size unless its layout needs more room (a
// longer caption in another language): then the picture grows at its grow
// line, a column and a row of plain pixels, and the form with it.
class TssSkinForm : public QWidget {
    Q_OBJECT

public:
    explicit TssSkinForm(QWidget *form);

    const QImage &Glyph() const { return glyph; }
    void SetPicture(const QImage &picture, const QImage &sharpPicture = QImage());

    TColor TransparentColor() const { return transparentColor; }
    void SetColor(TColor colour);

    // The column and row (design pixels) repeated when the form grows; the
    // picture's middle unless set.
    void SetGrowLine(QPoint line);
    QPoint GrowLine() const;
    // Gives the form the picture's size, or more where its layout needs more.
    // Runs by itself whenever the form is shown or its layout changes.
    void FitToLayout();

    // Stretches the skin by m / d (a screen whose pixel density differs from
    // the design's) and rebuilds the window shape from the stretched picture.
    void ChangeScale(int m, int d);

signals:
    void OnRegionChanged(TssSkinForm *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void PictureChanged();
    bool ScalePicture();
    void ReSetWndRgn();
    QSize LayoutNeeds() const;

    QWidget *form = nullptr;
    QImage picture;      // as designed
    QImage sharpPicture;
    QImage glyph;        // as painted: grown to the form's size, then scaled
    QImage sharpGlyph;
    QPoint growLine{-1, -1};
    QSize grownSize;
    TColor transparentColor = clFuchsia;
    int scaleM = 0;
    int scaleD = 0;
    // Where the background was grabbed when the window system cannot move the
    // window itself and the form follows the mouse instead.
    QPoint dragOffset;
    bool draggingByHand = false;
};
