// Saves what an X window shows as a PNG: `skinshot WINDOW_ID FILE`.
// The screenshot script uses it to photograph the application's windows as
// the X server draws them, shape and all.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinshot WINDOW_ID FILE\n");
        return 2;
    }
    bool isNumber = false;
    const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&isNumber, 0);
    if (!isNumber) {
        std::fprintf(stderr, "skinshot: not a window id: %s\n", argv[1]);
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "skinshot: cannot capture window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
