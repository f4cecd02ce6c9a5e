#include "controls/widgets/ArtRegistry.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A two-frame strip: red left half, blue right half.
void RegisterStrip()
{
    vx::art::Register("TEST_STRIP", QSize(20, 10), [](QPainter& p, const QSize& s) {
        p.fillRect(0, 0, s.width() / 2, s.height(), Qt::red);
        p.fillRect(s.width() / 2, 0, s.width() / 2, s.height(), Qt::blue);
    }, 2);
}

} // namespace

TEST(ArtRegistry, StripFramesAreDrawnAtTheirLogicalSizeAtEveryRatio)
{
    RegisterStrip();
    EXPECT_EQ(vx::art::FrameSize("TEST_STRIP"), QSize(10, 10));
    EXPECT_EQ(vx::art::FrameCount("TEST_STRIP"), 2);
    for (qreal dpr : {1.0, 2.0}) {
        QImage img(QSize(30, 10) * dpr, QImage::Format_RGB32);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::black);
        {
            QPainter p(&img);
            vx::art::Draw(p, QPointF(0, 0), "TEST_STRIP", 1);
            vx::art::Draw(p, QPointF(10, 0), "TEST_STRIP", 0);
        }
        const auto at = [&](int x, int y) { return QColor(img.pixel(int(x * dpr), int(y * dpr))); };
        EXPECT_EQ(at(5, 5), QColor(Qt::blue)) << dpr;
        EXPECT_EQ(at(15, 5), QColor(Qt::red)) << dpr;
        EXPECT_EQ(at(25, 5), QColor(Qt::black)) << dpr; // one frame wide, not the whole strip
        EXPECT_EQ(vx::art::Pixmap("TEST_STRIP", dpr).size(), QSize(20, 10) * dpr);
    }
}

TEST(ArtRegistry, AnUnknownNameIsReportedAndDrawsNothing)
{
    QStringList asked;
    vx::art::SetUnknownNameHandler([&](const QString& n) { asked << n; });
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        vx::art::Draw(p, QPointF(0, 0), "NO_SUCH_PICTURE");
    }
    EXPECT_TRUE(vx::art::Pixmap("NO_SUCH_PICTURE").isNull());
    EXPECT_FALSE(vx::art::Size("NO_SUCH_PICTURE").isValid());
    EXPECT_EQ(asked, QStringList({"NO_SUCH_PICTURE", "NO_SUCH_PICTURE"}));
    EXPECT_EQ(QColor(img.pixel(4, 4)), QColor(Qt::black));
    vx::art::SetUnknownNameHandler([](const QString& name) {
        ADD_FAILURE() << "no picture is registered as \"" << name.toStdString() << '"';
    });
}
