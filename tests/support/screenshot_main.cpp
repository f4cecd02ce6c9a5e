// Saves a picture of the X display's screen as PNG, for the smoke test of a program running
// under Xvfb: waits (at most the given seconds) until something other than the empty screen's
// colour shows, so the program's window has been drawn.
// Usage: vx_screenshot <file.png> [seconds]
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

// Whether the picture has more than one colour.
bool HasContent(const QImage& img)
{
    if (img.isNull())
        return false;
    const QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width(); x += 3)
            if (img.pixel(x, y) != first)
                return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vx_screenshot <file.png> [seconds]\n");
        return 2;
    }
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10;
    QScreen* screen = QGuiApplication::primaryScreen();
    QImage img;
    for (int i = 0; i < seconds * 10; ++i) {
        img = screen->grabWindow(0).toImage();
        if (HasContent(img))
            break;
        QThread::msleep(100);
    }
    if (!HasContent(img)) {
        std::fprintf(stderr, "nothing was drawn on the screen\n");
        return 1;
    }
    // Let the window finish its first paint.
    QThread::msleep(500);
    img = screen->grabWindow(0).toImage();
    return img.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
