// The band map's owner-drawn arrow button, label, toggle button and scope, checked on their
// pixels and through the mouse.
#include "controls/widgets/BandmapControls.h"
#include "tests/support/WidgetInput.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage Render(QWidget& w, QColor background = Qt::magenta)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(background);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

QColor At(const QImage& img, int x, int y)
{
    return QColor(img.pixel(x, y));
}

// Columns of a row range that hold anything but black.
std::pair<int, int> LitColumns(const QImage& img)
{
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (QColor(img.pixel(x, y)) != QColor(Qt::black)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

TEST(ArrowButton, TriangleColourFollowsFocusAndPointsTheWayOfItsType)
{
    // A pixel well inside each triangle and one where only the opposite triangle would be.
    const struct {
        TArrowType Type;
        QPoint Inside;
        QPoint Outside;
    } rows[] = {
        {atLeft, {5, 6}, {10, 11}},
        {atUp, {6, 6}, {6, 1}},
        {atRight, {7, 6}, {1, 1}},
        {atDown, {6, 5}, {6, 11}},
    };
    for (const auto& r : rows) {
        TArrowButton b;
        b.SetArrowType(r.Type);
        EXPECT_EQ(At(Render(b), r.Inside.x(), r.Inside.y()), bandmap::clDim) << int(r.Type);
        b.SetIsFocused(true);
        const QImage img = Render(b);
        EXPECT_EQ(At(img, r.Inside.x(), r.Inside.y()), bandmap::clBright) << int(r.Type);
        EXPECT_EQ(At(img, r.Outside.x(), r.Outside.y()), QColor(Qt::black)) << int(r.Type);
        EXPECT_EQ(b.size(), QSize(13, 13));
    }
}

TEST(ArrowButton, FramedWhileThePointerIsOverItAndClickable)
{
    TArrowButton b;
    b.SetArrowType(atDown);
    b.SetIsFocused(true);
    EXPECT_EQ(At(Render(b), 0, 6), QColor(Qt::black));
    vxtest::MouseEnter(&b);
    EXPECT_EQ(At(Render(b), 0, 6), bandmap::clBright);
    EXPECT_EQ(At(Render(b), 12, 12), bandmap::clBright);
    vxtest::MouseLeave(&b);
    EXPECT_EQ(At(Render(b), 0, 6), QColor(Qt::black));

    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    vxtest::Click(&b);
    vxtest::MousePress(&b, {6, 6});
    vxtest::MouseRelease(&b, {40, 6}); // let go elsewhere: no click
    EXPECT_EQ(clicks, 1);
}

TEST(BandmapLabel, CaptionSitsByAlignment)
{
    TBandmapLabel l;
    l.resize(80, 16);
    l.SetCaption(QStringLiteral("3 kHz"));
    EXPECT_EQ(l.size(), QSize(80, 16));

    const auto [leftFirst, leftLast] = LitColumns(Render(l));
    EXPECT_LE(leftFirst, 1);
    l.SetAlignment(taRightJustify);
    const auto [rightFirst, rightLast] = LitColumns(Render(l));
    EXPECT_GE(rightLast, 77);
    EXPECT_EQ(rightLast - rightFirst, leftLast - leftFirst);
    l.SetAlignment(taCenter);
    const auto [centreFirst, centreLast] = LitColumns(Render(l));
    EXPECT_LE(std::abs(centreFirst - (80 - 1 - centreLast)), 2);

    l.SetFontColor(QColor(Qt::red));
    const QImage img = Render(l);
    bool red = false;
    for (int x = centreFirst; x <= centreLast; ++x)
        for (int y = 0; y < 16; ++y)
            red |= At(img, x, y).red() > 150 && At(img, x, y).green() < 60 && At(img, x, y).blue() < 60;
    EXPECT_TRUE(red);
}

TEST(SplitButton, DownStaysBrightAndTheMouseLookNeedsAClickHandler)
{
    TSplitButton b;
    b.resize(43, 19);
    b.SetCaption(QStringLiteral("SPLIT"));
    // No click handler: the pointer and the button change nothing.
    vxtest::MouseEnter(&b);
    vxtest::MousePress(&b, {10, 10});
    EXPECT_FALSE(b.MouseIsOver());
    EXPECT_FALSE(b.MouseIsDown());
    EXPECT_EQ(b.LineColor(), bandmap::clDim);
    vxtest::MouseRelease(&b, {10, 10});
    vxtest::MouseLeave(&b);

    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    vxtest::MouseEnter(&b);
    EXPECT_EQ(b.LineColor(), bandmap::clBright); // Blur lights it under the pointer
    b.SetBlur(false);
    EXPECT_EQ(b.LineColor(), bandmap::clDim);
    b.SetDown(true);
    EXPECT_EQ(b.LineColor(), bandmap::clBright);
    vxtest::MouseLeave(&b);
    EXPECT_EQ(b.LineColor(), bandmap::clBright);

    // The frame moves one pixel in while the button is held.
    EXPECT_EQ(At(Render(b), 0, 9), bandmap::clBright);
    vxtest::MousePress(&b, {10, 10});
    EXPECT_TRUE(b.MouseIsDown());
    EXPECT_EQ(At(Render(b), 0, 9), QColor(Qt::black));
    EXPECT_EQ(At(Render(b), 1, 9), bandmap::clBright);
    vxtest::MouseRelease(&b, {10, 10});
    EXPECT_FALSE(b.MouseIsDown());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b.Down()); // a click never changes Down by itself
}

TEST(SplitButton, TransparentLeavesTheBackgroundUnfilled)
{
    TSplitButton b;
    b.resize(82, 19);
    b.SetDown(true);
    EXPECT_EQ(At(Render(b, Qt::magenta), 0, 0), QColor(Qt::black));
    b.SetTransparent(true);
    const QImage img = Render(b, Qt::magenta);
    EXPECT_EQ(At(img, 0, 0), QColor(Qt::magenta)); // the rounded corner shows what lies below
    EXPECT_EQ(At(img, 0, 9), bandmap::clBright);
    EXPECT_EQ(At(img, 40, 9), QColor(Qt::black)); // inside the frame
}

TEST(BandmapScope, BarsPerRowWithinTheRowsAndTheWidth)
{
    TBandmapScope s;
    EXPECT_EQ(s.size(), QSize(32, 800));
    s.resize(100, 300);
    EXPECT_EQ(s.width(), 32); // the width is held

    s.SetScanPoint(10, 255);
    s.SetScanPoint(11, 128);
    s.SetScanPoint(12, 300); // beyond full scale: a full bar
    s.SetScanPoint(13, -4);
    s.SetScanPoint(-1, 255);
    s.SetScanPoint(2049, 255);
    EXPECT_EQ(TBandmapScope::ScanPoint(10), 32);
    EXPECT_EQ(TBandmapScope::ScanPoint(11), 16);
    EXPECT_EQ(TBandmapScope::ScanPoint(12), 32);
    EXPECT_EQ(TBandmapScope::ScanPoint(13), 0);
    s.SetScanPoint(2048, 255);
    EXPECT_EQ(TBandmapScope::ScanPoint(2048), 32);

    const QImage img = Render(s);
    EXPECT_EQ(At(img, 1, 11), bandmap::clScope);
    EXPECT_EQ(At(img, 16, 11), bandmap::clScope);
    EXPECT_EQ(At(img, 17, 11), QColor(Qt::black));
    EXPECT_EQ(At(img, 31, 10), bandmap::clScope);
    for (int x : {0, 8, 16, 24})
        EXPECT_EQ(At(img, x, 150), bandmap::clDim) << x;
    EXPECT_EQ(At(img, 5, 0), bandmap::clDim);
    EXPECT_EQ(At(img, 5, 299), bandmap::clDim);

    s.Clear();
    EXPECT_EQ(TBandmapScope::ScanPoint(10), 0);
    EXPECT_EQ(TBandmapScope::ScanPoint(2048), 0);
    EXPECT_EQ(At(Render(s), 16, 11), bandmap::clDim);
}
