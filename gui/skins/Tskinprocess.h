#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class TssSkinButton;

// A picture control: shows a bitmap at its own size or stretched to the
// control, optionally leaving out the skins' transparent colour, fuchsia.
class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    const QImage &Picture() const { return picture; }
    void SetPicture(const QImage &image);

    void SetAutoSize(bool on);
    void SetStretch(bool on);
    void SetTransparent(bool on);

signals:
    void OnMouseDown(Qt::MouseButton button, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void RebuildShownPicture();

    QImage picture;
    QImage shownPicture;
    bool autoSize = false;
    bool stretch = false;
    bool transparent = false;
};

// A bar made of bitmaps: a fill picture (Image2) grows from the left of a
// track and an optional thumb (Image3) marks the position, a percentage.
// Fill and thumb live on the bar's parent, beside the bar, in the parent's
// coordinates.
class TSkinProcess : public TImage {
    Q_OBJECT

public:
    explicit TSkinProcess(QWidget *parent = nullptr);
    ~TSkinProcess() override;

    TImage *Image2() const { return image2; }
    TssSkinButton *Image3() const { return image3; }

    void SetImage2(const QString &file);
    void SetImage3(const QString &file);
    void SetBaseLine(int y);
    void SetExtRange(int start, int length);
    void SetImage2Range(int start, int width);
    void SetFreeMode(bool on) { freeMode = on; }
    void SetMoveChangeNotify(bool on) { moveChangeNotify = on; }

    void Setprocess(int pos);
    int Getprocess() const;

    int ControlImage3Left(int x) const;

    // Reads a bitmap file into the picture; an unreadable file leaves it empty.
    static bool LoadImageA(QImage &picture, const QString &file);

    void ChangeScale(int m, int d);
    void ChangeControlScale(QWidget *control);

    int BaseLine() const { return baseLine; }
    int ExtStart() const { return extStart; }
    int ExtRange() const { return extRange; }
    bool IsDragging() const { return dragging; }

signals:
    void OnProcessChange(int pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void FollowMove();
    void Image2OnMouseDown(Qt::MouseButton button, QPoint position);
    void Image3OnMouseDown(Qt::MouseButton button, QPoint position);
    void Image3OnMouseMove(QPoint position);
    void Image3OnMouseUp(Qt::MouseButton button, QPoint position);
    void MyOnMouseDown(Qt::MouseButton button, QPoint position);
    void MoveThumbTo(int thumbLeft);
    int HalfThumbWidth() const;
    void SetFillWidth(int width);

    QPointer<TImage> image2;
    QPointer<TssSkinButton> image3;
    bool dragging = false;
    int downX = 0;
    int baseLine = 0;
    int extStart = 0;
    int extRange = 0;
    bool freeMode = false;
    bool image2RangeMode = false;
    bool moveChangeNotify = false;
    int scaleM = 1;
    int scaleD = 1;
    QPoint partsPlacedAt; // where the bar stood when its fill and thumb were last placed
};
