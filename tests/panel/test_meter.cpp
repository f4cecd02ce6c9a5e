// The main meter: bar counts, the needle, the faces per model and the on/off click.
#include "PanelTestUtils.h"
#include "panel/MeterLogic.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/MeterPictures.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

void Click(QWidget& w)
{
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
    QCoreApplication::sendEvent(&w, &release);
}

bool RowsBlack(const QImage& img, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (img.pixel(x, y) != QColor(Qt::black).rgb())
                return false;
    return true;
}

} // namespace

TEST(MeterLogic, BarCountsAtTheTableEdges)
{
    const std::pair<int, int> smeter[] = {{0, 0}, {4, 0}, {5, 1}, {62, 9}, {63, 10}, {144, 19}, {145, 20},
                                          {243, 29}, {244, 30}, {252, 30}, {253, 31}, {255, 31}};
    for (const auto& [v, bars] : smeter)
        EXPECT_EQ(SMeterBars(uint8_t(v)), bars) << v;

    EXPECT_EQ(MeterBars(0, mtSWR), 0);
    EXPECT_EQ(MeterBars(4, mtSWR), 0);   // 0.48
    EXPECT_EQ(MeterBars(5, mtSWR), 1);   // 0.61
    EXPECT_EQ(MeterBars(128, mtALC), 16); // 15.5: the half goes to the even neighbour
    EXPECT_EQ(MeterBars(255, mtSWR), 31);
    EXPECT_EQ(MeterBars(255, mtVDD), 38); // 38.3: past the 31 segments
    EXPECT_EQ(MeterBars(100, mtVDD), 15); // 15.01
}

TEST(MeterLogic, NeedleSweepsFromUpperLeftToUpperRight)
{
    EXPECT_EQ(NeedleLine(0, 155, 85), QLine(53, 79, 12, 34));
    EXPECT_EQ(NeedleLine(255, 155, 85), QLine(105, 81, 151, 38));
    EXPECT_EQ(NeedleLine(128, 155, 85), QLine(79, 74, 82, 21));
    EXPECT_EQ(NeedleLine(0, 180, 68), QLine(61, 63, 14, 27));
    EXPECT_EQ(NeedleLine(255, 180, 68), QLine(122, 64, 175, 30));
}

TEST(MeterWidget, StartsDigitalOnTheFT2000)
{
    TFTxMeter2 meter;
    EXPECT_EQ(meter.size(), QSize(155, 85));
    EXPECT_TRUE(meter.DigitalMeter());
    EXPECT_TRUE(meter.ShowMeter());
    EXPECT_EQ(meter.MeterSwitch(), mtSWR);
    EXPECT_EQ(meter.Bitmap1(), QStringLiteral("FT950_METER_1_SMETER"));
    EXPECT_EQ(meter.Bitmap2(), QStringLiteral("FT950_METER_6_SWR"));
    EXPECT_EQ(meter.Bitmap3(), QStringLiteral("FT950_METER_6_SWR_2"));
    EXPECT_EQ(meter.Bitmap4(), QStringLiteral("FT2000_METER"));
}

TEST(MeterWidget, EveryPictureExistsAtItsSize)
{
    const std::pair<const char*, QSize> pictures[] = {
        {"FT950_METER_1_SMETER", {155, 16}}, {"FT950_METER_5_PO", {155, 9}},     {"FT950_METER_3_COMP", {155, 9}},
        {"FT950_METER_3_COMP_2", {17, 6}},   {"FT950_METER_4_ALC", {155, 9}},    {"FT950_METER_5_PO_FT2000", {155, 9}},
        {"FTDX5000_METER_PO", {155, 9}},     {"FT950_METER_6_SWR", {155, 9}},    {"FT950_METER_6_SWR_2", {17, 6}},
        {"FT950_METER_7_ID_FT2000", {155, 9}}, {"FT950_METER_7_ID", {155, 9}},   {"FT950_METER_7_ID_2", {17, 6}},
        {"FT950_METER_8_VDD", {155, 9}},     {"FT2000_METER", {155, 85}},        {"FTDX5000_METER", {180, 68}},
    };
    for (const auto& [name, size] : pictures)
        EXPECT_EQ(MeterPicture(QString::fromLatin1(name)).size(), size) << name;
    EXPECT_TRUE(MeterPicture(QStringLiteral("NO_SUCH_METER")).isNull());
}

TEST(MeterWidget, BarsFollowTheReadingsAndReportTheirCounts)
{
    TFTxMeter2 meter;
    std::vector<int> bars1, bars2;
    meter.OnBars1 = [&](uint8_t v) { bars1.push_back(v); };
    meter.OnBars2 = [&](uint8_t v) { bars2.push_back(v); };
    meter.SetSMeterValue(252);
    meter.SetSMeterValue(253);
    meter.SetSMeterValue(254); // same count: no event
    EXPECT_EQ(bars1, (std::vector<int>{30, 31}));
    meter.SetMeterValue(255);
    EXPECT_EQ(meter.Bars2(), 31);
    meter.SetMeterSwitch(mtVDD);
    meter.SetMeterValue(0);
    meter.SetMeterValue(255);
    EXPECT_EQ(bars2, (std::vector<int>{31, 0, 38}));
    EXPECT_EQ(meter.NeedleValue(), 255);

    // All 31 segments lit, not more.
    const QImage img = RenderWidget(meter);
    EXPECT_EQ(PixelName(img, 17 + 4 * 30, 52), BGRName(0xD1D1D1));
    // S-meter bar: bright up to segment 19, red from 20 while receiving.
    EXPECT_EQ(PixelName(img, 17 + 4 * 18, 19), BGRName(0xD1D1D1));
    EXPECT_EQ(PixelName(img, 17 + 4 * 19, 19), BGRName(0x0000FF));
}

TEST(MeterWidget, TransmitChangeZeroesTheReadings)
{
    TFTxMeter2 meter;
    meter.SetSMeterValue(200);
    meter.SetMeterValue(100);
    meter.SetTransmitting(true);
    EXPECT_EQ(meter.SMeterValue(), 0);
    EXPECT_EQ(meter.MeterValue(), 0);
    EXPECT_EQ(meter.Bars1(), 0);
    meter.SetSMeterValue(200);
    const QImage tx = RenderWidget(meter);
    EXPECT_EQ(PixelName(tx, 17 + 4 * 21, 19), BGRName(0xD1D1D1)) << "no red while transmitting";

    meter.SetMeterSwitch(mtVDD);
    meter.SetMeterValue(150);
    meter.SetTransmitting(false);
    EXPECT_EQ(meter.MeterValue(), 150) << "the supply voltage stays";
    EXPECT_EQ(meter.SMeterValue(), 0);
}

TEST(MeterWidget, ModelsChooseSizeFaceAndOffset)
{
    TFTxMeter2 meter;
    meter.SetSMeterValue(100);
    meter.SetTransceiver(FTDX5000);
    EXPECT_EQ(meter.size(), QSize(180, 68));
    EXPECT_EQ(meter.Offset(), 12);
    EXPECT_EQ(meter.Bitmap4(), QStringLiteral("FTDX5000_METER"));
    EXPECT_EQ(meter.SMeterValue(), 0);
    meter.SetSMeterValue(255);
    QImage img = RenderWidget(meter);
    EXPECT_EQ(PixelName(img, 12 + 17, 19), BGRName(0xD1D1D1)) << "digital drawing moved 12 pixels right";
    EXPECT_EQ(PixelName(img, 17 - 1, 19), BGRName(0x000000));

    meter.SetDigitalMeter(false);
    EXPECT_EQ(meter.Offset(), 0);
    img = RenderWidget(meter);
    const QLine needle = NeedleLine(255, 180, 68);
    EXPECT_EQ(PixelName(img, needle.x1(), needle.y1()), BGRName(0x0000FF)) << "needle drawn in red";
    EXPECT_EQ(meter.NeedleValue(), 255);
    meter.SetTransmitting(true);
    EXPECT_EQ(meter.NeedleValue(), 0);

    meter.SetTransceiver(FT950);
    EXPECT_EQ(meter.size(), QSize(155, 66));
    EXPECT_TRUE(meter.DigitalMeter());
    meter.SetDigitalMeter(false);
    EXPECT_TRUE(meter.DigitalMeter()) << "the FT-950 has only the digital face";

    meter.SetTransceiver(FT2000);
    EXPECT_EQ(meter.size(), QSize(155, 85));
    EXPECT_EQ(meter.Bitmap4(), QStringLiteral("FT2000_METER"));
}

TEST(MeterWidget, SwitchLoadsTheScalesOfTheModel)
{
    TFTxMeter2 meter;
    meter.SetMeterSwitch(mtPO);
    EXPECT_EQ(meter.Bitmap2(), QStringLiteral("FT950_METER_5_PO_FT2000"));
    meter.SetMeterSwitch(mtID);
    EXPECT_EQ(meter.Bitmap2(), QStringLiteral("FT950_METER_7_ID_FT2000"));
    EXPECT_EQ(meter.Bitmap3(), QStringLiteral("FT950_METER_7_ID_2"));
    meter.SetTransceiver(FT2000D);
    meter.SetMeterSwitch(mtPO);
    EXPECT_EQ(meter.Bitmap2(), QStringLiteral("FTDX5000_METER_PO"));

    meter.SetTransceiver(FT950);
    meter.SetMeterSwitch(mtID);
    EXPECT_EQ(meter.Bitmap2(), QStringLiteral("FT950_METER_7_ID"));
    meter.SetMeterSwitch(mtPO);
    EXPECT_EQ(meter.Bitmap2(), QStringLiteral("FT950_METER_7_ID")) << "the FT-950 loads no PO scale";
    QImage img = RenderWidget(meter);
    EXPECT_TRUE(RowsBlack(img, 0, 56, 154, 65)) << "no scale under the meter bar";

    meter.SetTransmitting(true);
    EXPECT_EQ(meter.Bitmap1(), QStringLiteral("FT950_METER_5_PO"));
    img = RenderWidget(meter);
    EXPECT_TRUE(RowsBlack(img, 0, 0, 154, 16)) << "the PO scale moves under the S-meter bar";
    EXPECT_FALSE(RowsBlack(img, 17, 23, 154, 31));
    meter.SetTransmitting(false);
    EXPECT_EQ(meter.Bitmap1(), QStringLiteral("FT950_METER_1_SMETER"));
}

TEST(MeterWidget, ClickSwitchesTheMeterOffAndOn)
{
    TFTxMeter2 meter;
    std::vector<bool> shown;
    meter.OnShow = [&](bool v) { shown.push_back(v); };
    const QImage on = RenderWidget(meter);
    Click(meter);
    EXPECT_FALSE(meter.ShowMeter());
    const QImage off = RenderWidget(meter);
    Click(meter);
    EXPECT_TRUE(meter.ShowMeter());
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));

    // "Meter is off" appears over the scales; the bars stay.
    EXPECT_TRUE(RowsBlack(on, 28, 26, 110, 36));
    EXPECT_FALSE(RowsBlack(off, 28, 26, 110, 36));
    EXPECT_EQ(PixelName(off, 17, 19), PixelName(on, 17, 19));
}
