// The LCD's segment bars: readings to segments per kind, the offset bargraph's cells and the
// fixed sizes.
#include "PanelTestUtils.h"
#include "panel/MeterLogic.h"
#include "panel/widgets/FTxBargraph.h"
#include "panel/widgets/FTxDisplay.h"

#include <QSet>

#include <gtest/gtest.h>
#include <vector>

namespace {

// Cells as text: '#' green, 'R' red, '-' dim.
QString Cells(const QString& text)
{
    QString s;
    for (uint32_t c : BargraphCells(text))
        s += c == BargraphCellGreen ? u'#' : (c == BargraphCellRed ? u'R' : u'-');
    return s;
}

} // namespace

TEST(Bargraph, ReadingsBecomeSegmentsAtTheTableEdges)
{
    const struct {
        TBargraphType Kind;
        int Value;
        int Bars;
    } cases[] = {
        {btSMeterA, 0, 0},    {btSMeterA, 4, 0},    {btSMeterA, 5, 1},     {btSMeterA, 12, 2},   {btSMeterA, 13, 3},
        {btSMeterA, 134, 18}, {btSMeterA, 135, 19}, {btSMeterA, 243, 29},  {btSMeterA, 244, 30}, {btSMeterA, 255, 30},
        {btSMeterB, 0, 0},    {btSMeterB, 1, 1},    {btSMeterB, 2, 1},     {btSMeterB, 3, 2},    {btSMeterB, 9, 2},
        {btSMeterB, 10, 3},   {btSMeterB, 17, 3},   {btSMeterB, 18, 4},    {btSMeterB, 225, 29}, {btSMeterB, 226, 30},
        {btSMeterB, 233, 30}, {btSMeterB, 255, 30}, {btSMeterB5K, 225, 29}, {btSMeterB5K, 255, 30},
        {btMeter, 0, 0},      {btMeter, 254, 29},   {btMeter, 255, 30},    {btBargraph, 200, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BargraphBars(c.Kind, uint8_t(c.Value)), c.Bars) << int(c.Kind) << " " << c.Value;
}

TEST(Bargraph, OffsetTextLightsItsCells)
{
    //                                  1234567890 1 2345678901
    EXPECT_EQ(Cells(QStringLiteral("000")), QStringLiteral("---------------------"));
    EXPECT_EQ(Cells(QStringLiteral("200")), QStringLiteral("---------------------"));
    EXPECT_EQ(Cells(QStringLiteral("111")), QStringLiteral("----------R----------"));
    EXPECT_EQ(Cells(QStringLiteral("101")), QStringLiteral("#--------------------"));
    EXPECT_EQ(Cells(QStringLiteral("121")), QStringLiteral("--------------------#"));
    EXPECT_EQ(Cells(QStringLiteral("122")), QStringLiteral("---------------------"));
    EXPECT_EQ(Cells(QStringLiteral("201")), QStringLiteral("##-------------------"));
    EXPECT_EQ(Cells(QStringLiteral("204")), QStringLiteral("------##-------------"));
    EXPECT_EQ(Cells(QStringLiteral("205")), QStringLiteral("--------##R----------"));
    EXPECT_EQ(Cells(QStringLiteral("206")), QStringLiteral("---------#R#---------"));
    EXPECT_EQ(Cells(QStringLiteral("207")), QStringLiteral("----------R##--------"));
    EXPECT_EQ(Cells(QStringLiteral("208")), QStringLiteral("-------------##------"));
    EXPECT_EQ(Cells(QStringLiteral("211")), QStringLiteral("-------------------##"));
    EXPECT_EQ(Cells(QStringLiteral("212")), QStringLiteral("---------------------"));
    EXPECT_EQ(Cells(QStringLiteral("305")), QStringLiteral("---------------------"));
    // Texts that are not a digit and two digits leave every cell dim instead of failing.
    for (const char* bad : {"", "x", "1", "11", "1x1", " 11", "+11", "-11", "1 1"})
        EXPECT_EQ(Cells(QString::fromLatin1(bad)), QStringLiteral("---------------------")) << bad;
}

TEST(BargraphWidget, KindFixesTheSize)
{
    TFTxBargraph bar;
    EXPECT_EQ(bar.size(), QSize(118, 7));
    EXPECT_EQ(bar.BargraphType(), btSMeterA);
    bar.SetBargraphType(btSMeterB5K);
    EXPECT_EQ(bar.size(), QSize(131, 3));
    bar.resize(40, 40);
    bar.setGeometry(0, 0, 50, 1);
    EXPECT_EQ(bar.size(), QSize(131, 3)) << "a size from outside is undone";
    bar.SetBargraphType(btBargraph);
    EXPECT_EQ(bar.size(), QSize(82, 6));
    bar.SetBargraphType(btSMeterB);
    EXPECT_EQ(bar.size(), QSize(118, 4));
}

TEST(BargraphWidget, DrawsSegmentsInTheirColours)
{
    TFTxBargraph bar;
    bar.SetBargraphType(btSMeterB5K);
    bar.SetMeterValue(255); // 30 of 33 segments
    QImage img = RenderWidget(bar);
    // 3-pixel segments every 4 pixels, the bottom row left black; past S9 in red.
    EXPECT_EQ(PixelName(img, 0, 0), BGRName(0xD1D1D1));
    EXPECT_EQ(PixelName(img, 2, 1), BGRName(0xD1D1D1));
    EXPECT_EQ(PixelName(img, 3, 0), BGRName(0x000000));
    EXPECT_EQ(PixelName(img, 0, 2), BGRName(0x000000));
    EXPECT_EQ(PixelName(img, 4 * 17, 0), BGRName(0xD1D1D1)); // segment 18
    EXPECT_EQ(PixelName(img, 4 * 18, 0), BGRName(0x0000FF)); // segment 19
    EXPECT_EQ(PixelName(img, 4 * 29, 0), BGRName(0x0000FF)); // segment 30
    EXPECT_EQ(PixelName(img, 4 * 30, 0), BGRName(lcd::clDim)); // 31..33 stay dim
    EXPECT_EQ(PixelName(img, 4 * 32 + 2, 0), BGRName(lcd::clDim));

    bar.SetBargraphType(btSMeterB);
    img = RenderWidget(bar);
    EXPECT_EQ(PixelName(img, 1, 0), BGRName(0xD1D1D1));
    EXPECT_EQ(PixelName(img, 2, 0), BGRName(0x000000)) << "2-pixel segments";

    // The full meter keeps the bright colour past S9.
    bar.SetBargraphType(btMeter);
    img = RenderWidget(bar);
    EXPECT_EQ(PixelName(img, 4 * 25, 0), BGRName(0xD1D1D1));
}

TEST(BargraphWidget, EmptyOffsetBargraphDrawsNothing)
{
    // Before the radio's first answer the row is dark; "000" (the engine's initial text) shows
    // the dim cells; back to empty, dark again.
    TFTxBargraph bar;
    bar.SetBargraphType(btBargraph);
    auto distinct = [&] {
        const QImage img = RenderWidget(bar);
        QSet<QString> colors;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                colors.insert(PixelName(img, x, y));
        return colors;
    };
    EXPECT_EQ(distinct(), QSet<QString>{BGRName(0x000000)});
    bar.SetBargraph(QStringLiteral("000"));
    EXPECT_EQ(distinct(), (QSet<QString>{BGRName(0x000000), BGRName(lcd::clDim)}));
    bar.SetBargraph(QString());
    EXPECT_EQ(distinct(), QSet<QString>{BGRName(0x000000)});

    // A fresh LCD shows no dim row where the bargraph sits.
    lcd::TFTxDisplay display;
    const QImage img = RenderWidget(display);
    EXPECT_TRUE(SaveArtifact(img, QStringLiteral("lcd-ft2000-fresh.png")));
    const QRect r = display.BargraphMeter()->geometry();
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            ASSERT_EQ(PixelName(img, x, y), BGRName(0x000000)) << x << "," << y;
}

TEST(BargraphWidget, FullMeterReportsItsCountExceptAtTheTop)
{
    TFTxBargraph bar;
    bar.SetBargraphType(btMeter);
    std::vector<int> events;
    bar.OnBars = [&](uint8_t v) { events.push_back(v); };
    bar.SetMeterValue(254);
    EXPECT_EQ(bar.Bars(), 29);
    bar.SetMeterValue(255);
    EXPECT_EQ(bar.Bars(), 30);
    bar.SetMeterValue(255);
    EXPECT_EQ(events, std::vector<int>{29});

    // The S-meter kinds raise nothing.
    TFTxBargraph sub;
    sub.SetBargraphType(btSMeterB);
    sub.OnBars = [&](uint8_t v) { events.push_back(v); };
    sub.SetMeterValue(100);
    EXPECT_EQ(events.size(), 1u);
}
