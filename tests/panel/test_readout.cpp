// The frequency readout: digits, glyphs, clarifier and memory display, per-digit tuning, and
// an offscreen render of every display type.
#include "ControlTestUtils.h"
#include "panel/ReadoutLogic.h"
#include "panel/widgets/FTPanelFrequency.h"

#include <QPainter>
#include <QSet>
#include <vector>
#include <gtest/gtest.h>

namespace {

// One row of readouts of one model family (the digit positions are shared, so a family at a time).
QImage ReadoutRow(bool ft2000, qreal dpr)
{
    ctl::Scene scene(QSize(430, 95));
    // As on the panel: every readout exists before the types are set, since a new readout
    // writes the FT-2000 positions.
    TFTPanelFrequency* a = new TFTPanelFrequency;
    TFTPanelFrequency* b = new TFTPanelFrequency;
    TFTPanelFrequency* clar = new TFTPanelFrequency;
    TFTPanelFrequency* mem = new TFTPanelFrequency;
    a->SetDisplayType(ft2000 ? dtFT2K_A : dtFT5K_A);
    b->SetDisplayType(ft2000 ? dtFT2K_B : dtFT5K_B);
    clar->SetDisplayType(ft2000 ? dtFT2K_Clarifier : dtFT5K_Clarifier);
    mem->SetDisplayType(ft2000 ? dtFT2K_Clarifier : dtFT5K_Clarifier);
    scene.Add(a, {8, 8}, QString::fromLatin1(ft2000 ? "FT2K_A, tuning" : "FT5K_A"));
    scene.Add(b, {196, 11}, QString::fromLatin1(ft2000 ? "FT2K_B" : "FT5K_B, 10 Hz"));
    scene.Add(clar, {345, 8}, QString::fromLatin1(ft2000 ? "FT2K_Clarifier" : "FT5K_Clarifier"));
    scene.Add(mem, {345, 55}, QString::fromLatin1(ft2000 ? "memory 07" : "QMB C-3"));
    if (ft2000) {
        a->SetFrequency(14250000);
        a->SetIsTuning(true);
        a->SetResolution(10);
        b->SetFrequency(7012345);
        clar->SetClarifierOffset(-120);
        clar->SetClarifierRX(true);
        clar->SetClarifierTX(true);
        mem->SetVFOMemoryMode(vmMemoryMode);
        mem->SetMemoryChannel(7);
    } else {
        a->SetFrequency(500000);
        ctl::Hover(*a, QPoint(a->DigitPositions().A[4] + 3, 10)); // the 1 kHz digit under the pointer
        b->SetFrequency(28074000);
        b->SetResolution(10);
        clar->SetClarifierOffset(2500);
        clar->SetClarifierRX(true);
        mem->SetVFOMemoryMode(vmQMB);
        mem->SetMemoryChannel(3);
    }
    return scene.Render(dpr);
}

} // namespace

TEST(ReadoutLogic, FrequencyDigitsSuppressLeadingZerosInTheMegahertzPlacesOnly)
{
    const int B = GlyphBlank;
    const struct {
        int32_t Hz;
        TReadoutDigits Digits;
    } rows[] = {
        {7000000, {B, 7, 0, 0, 0, 0, 0, 0}},   {14250000, {1, 4, 2, 5, 0, 0, 0, 0}},
        {500000, {B, B, 5, 0, 0, 0, 0, 0}},    {10000000, {1, 0, 0, 0, 0, 0, 0, 0}},
        {123456789, {9, 9, 9, 9, 9, 9, 9, 9}}, {-5, {B, B, 0, 0, 0, 0, 0, 0}},
        {0, {B, B, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FrequencyToDigits(r.Hz), r.Digits) << r.Hz;
    EXPECT_EQ(ClarifierToDigits(-120), (TReadoutDigits{0, 1, 2, 0, B, B, B, B}));
    EXPECT_EQ(ClarifierToDigits(12345), (TReadoutDigits{9, 9, 9, 9, B, B, B, B}));
    EXPECT_EQ(ClampClarifierOffset(-12345), -9999);
}

TEST(ReadoutLogic, MemoryChannelsUseOnlyGlyphsOfTheTable)
{
    const int B = GlyphBlank;
    const struct {
        int Channel;
        TVFOMemoryMode Mode;
        TReadoutDigits Digits;
    } rows[] = {
        {7, vmMemoryMode, {B, B, 0, 7, B, B, B, B}},  {3, vmQMB, {B, GlyphC, GlyphMinus, 3, B, B, B, B}},
        {6, vmQMB, {B, B, 0, 6, B, B, B, B}},         {99, vmMemoryMode, {B, B, 9, 9, B, B, B, B}},
        {117, vmMemoryMode, {B, 1, 1, 7, B, B, B, B}}, {255, vmMemoryMode, {B, 2, 5, 5, B, B, B, B}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(MemoryChannelDigits(r.Channel, r.Mode), r.Digits) << r.Channel;
    // Glyphs: C lights a, d, e, f; a value outside the table lights nothing.
    EXPECT_EQ(GlyphSegments(GlyphC), 0b0111001);
    EXPECT_EQ(GlyphSegments(7), 0b0100111);
    EXPECT_EQ(GlyphSegments(8), 0b1111111);
    for (int outside : {-4, 10, 11, 255})
        EXPECT_EQ(GlyphSegments(outside), 0) << outside;
}

TEST(ReadoutLogic, HitTestFindsTheDigitAndItsStep)
{
    const TDigitPositionTables ft2000 = *FamilyDigitPositions(dtFT2K_A);
    const struct {
        TDisplayType Type;
        int X;
        int Digit;
        int32_t Step;
    } rows[] = {
        {dtFT2K_A, 0, 1, 0},       {dtFT2K_A, 30, 2, 0},      {dtFT2K_A, 49, 2, 0},    {dtFT2K_A, 50, 3, 100000},
        {dtFT2K_A, 100, 5, 1000},  {dtFT2K_A, 159, 8, 1},     {dtFT2K_A, 10000, 1, 0}, {dtFT2K_B, 70, 5, 1000},
        {dtFT2K_B, 116, 8, 1},     {dtFT2K_Clarifier, 30, 1, 1000}, {dtFT2K_Clarifier, 68, 4, 1},
        {dtFT2K_Clarifier, 0, 0, 0}, {dtFT2K_Clarifier, 200, 13, 0},
    };
    for (const auto& r : rows) {
        const uint8_t digit = ReadoutDigitAt(r.Type, r.X, ft2000);
        EXPECT_EQ(digit, r.Digit) << r.Type << " x " << r.X;
        EXPECT_EQ(ReadoutDigitStep(r.Type, digit), r.Step) << r.Type << " x " << r.X;
    }
    EXPECT_EQ(ReadoutTuneType(21, 42), tuneUp);
    EXPECT_EQ(ReadoutTuneType(22, 42), tuneDown);
    const std::pair<int, int> resolution[] = {{1, 8}, {10, 7}, {100, 6}, {1000, 5}, {10000, 4}, {5, 0}, {0, 0}};
    for (const auto& [hz, digit] : resolution)
        EXPECT_EQ(ResolutionDigit(hz), digit) << hz;
}

namespace {

class ReadoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        readout.OnTuning = [this](int32_t v) { tuned.push_back(v); };
        readout.OnClarifierChange = [this](int32_t v) { clarifier.push_back(v); };
    }
    void TearDown() override { vx::Clock::useSystem(); }

    TFTPanelFrequency readout;
    std::vector<int32_t> tuned;
    std::vector<int32_t> clarifier;
};

const QPoint KHzUpper(100, 5);  // the 1 kHz digit of an FT-2000 main readout
const QPoint KHzLower(100, 35);

} // namespace

TEST_F(ReadoutTest, ClickingADigitTunesByItsPlace)
{
    ASSERT_EQ(readout.Frequency(), 7000000);
    ctl::Click(readout, KHzUpper);
    EXPECT_EQ(tuned, std::vector<int32_t>{7001000});
    // Steps build on each other until the radio reports.
    ctl::Click(readout, KHzLower);
    ctl::Click(readout, KHzLower);
    EXPECT_EQ(tuned, (std::vector<int32_t>{7001000, 7000000, 6999000}));
    readout.SetFrequency(7010000);
    ctl::Click(readout, {150, 5}); // 10 Hz
    EXPECT_EQ(tuned.back(), 7010010);

    tuned.clear();
    ctl::Click(readout, {5, 5});  // 10 MHz
    ctl::Click(readout, {30, 5}); // 1 MHz
    EXPECT_TRUE(tuned.empty());

    readout.SetLock(true);
    ctl::Click(readout, KHzUpper);
    EXPECT_TRUE(tuned.empty());
    readout.SetLock(false);

    // In a memory mode nothing is sent, though the tuning frequency still moves.
    readout.SetVFOMemoryMode(vmMemoryMode);
    ctl::Click(readout, KHzUpper);
    EXPECT_TRUE(tuned.empty());
    EXPECT_EQ(readout.TuningFrequency(), 7011010);
}

TEST_F(ReadoutTest, HoldingRepeatsEveryTwoHundredMillisecondsUntilReleaseOrLeave)
{
    ctl::Press(readout, KHzUpper);
    vx::Clock::advance(400);
    EXPECT_EQ(tuned, (std::vector<int32_t>{7001000, 7002000}));
    EXPECT_EQ(readout.MouseOverDigit(), 5);
    ctl::Release(readout, KHzUpper); // and the click
    EXPECT_EQ(tuned.back(), 7003000);
    EXPECT_EQ(readout.MouseOverDigit(), 0);
    vx::Clock::advance(1000);
    EXPECT_EQ(tuned.size(), 3u);

    ctl::Press(readout, KHzLower);
    ctl::Leave(readout);
    vx::Clock::advance(1000);
    EXPECT_EQ(tuned.size(), 3u);
    // A release outside the readout is no click.
    ctl::Release(readout, {100, 80});
    EXPECT_EQ(tuned.size(), 3u);
}

TEST_F(ReadoutTest, ClarifierDigitsSendSignedSteps)
{
    readout.SetDisplayType(dtFT2K_Clarifier);
    EXPECT_EQ(readout.size(), QSize(73, 18));
    EXPECT_EQ(readout.FrequencyDigits(), (TReadoutDigits{0, 0, 0, 0, -1, -1, -1, -1}));
    ctl::Click(readout, {30, 2});
    ctl::Click(readout, {68, 15});
    EXPECT_EQ(clarifier, (std::vector<int32_t>{1000, -1}));
    EXPECT_TRUE(tuned.empty());
    readout.SetVFOMemoryMode(vmMemoryTune);
    ctl::Click(readout, {30, 2});
    EXPECT_EQ(clarifier.size(), 2u);
}

TEST(Readout, LayoutAndSharedDigitPositionsFollowTheDisplayType)
{
    const struct {
        TDisplayType Type;
        QSize Size;
    } sizes[] = {{dtFT2K_A, {176, 42}},        {dtFT2K_B, {131, 36}}, {dtFT2K_Clarifier, {73, 18}},
                 {dtFT5K_A, {167, 42}},        {dtFT5K_B, {98, 29}},  {dtFT5K_Clarifier, {53, 13}}};
    TFTPanelFrequency readout;
    EXPECT_EQ(readout.size(), QSize(176, 42));
    for (const auto& s : sizes) {
        readout.SetDisplayType(s.Type);
        EXPECT_EQ(readout.size(), s.Size) << s.Type;
    }
    // The last family type set (FT DX 5000 B) wrote the tables; the clarifier left them.
    EXPECT_EQ(TFTPanelFrequency::DigitPositions(), *FamilyDigitPositions(dtFT5K_A));
    EXPECT_EQ(TFTPanelFrequency::DigitPositions().A[1], 21);
    TFTPanelFrequency another;
    EXPECT_EQ(TFTPanelFrequency::DigitPositions().B[2], 38); // a new readout writes the FT-2000 values
}

TEST(Readout, DrawsLitDigitsDimSegmentsAndMarks)
{
    TFTPanelFrequency readout;
    // Digit 2 shows 7 (b lit, g dim); digit 1 is blank.
    const QPoint bOfDigit2(22 + 13, 6 + 8), gOfDigit2(22 + 8, 6 + 15), bOfDigit1(2 + 13, 6 + 8);
    QImage img = RenderWidget(readout);
    EXPECT_EQ(PixelName(img, bOfDigit2.x(), bOfDigit2.y()), BGRName(0xFCDB83));
    EXPECT_EQ(PixelName(img, gOfDigit2.x(), gOfDigit2.y()), BGRName(0x212121));
    EXPECT_EQ(PixelName(img, bOfDigit1.x(), bOfDigit1.y()), BGRName(0x212121));
    EXPECT_EQ(PixelName(img, 95, 2), BGRName(0xA44444));  // digit 5's bar
    EXPECT_EQ(PixelName(img, 125, 2), BGRName(0xFF9966)); // the resolution digit 6 (100 Hz)
    readout.SetIsTuning(true);
    readout.SetResolution(1000);
    img = RenderWidget(readout);
    EXPECT_EQ(PixelName(img, bOfDigit2.x(), bOfDigit2.y()), BGRName(0xFDE7AC));
    EXPECT_EQ(PixelName(img, 95, 2), BGRName(0xFF9966));
    EXPECT_EQ(PixelName(img, 125, 2), BGRName(0xA44444));
    readout.SetResolution(5);
    EXPECT_EQ(readout.ResolutionDigit(), 0);

    TFTPanelFrequency clar;
    clar.SetDisplayType(dtFT2K_Clarifier);
    clar.SetClarifierOffset(-120);
    clar.SetClarifierRX(true);
    EXPECT_EQ(clar.FrequencyDigits(), (TReadoutDigits{0, 1, 2, 0, -1, -1, -1, -1}));
    img = RenderWidget(clar);
    EXPECT_EQ(PixelName(img, 20, 12), BGRName(0x33CC99)); // minus
    EXPECT_EQ(PixelName(img, 20, 6), BGRName(0x000000));  // no plus
    EXPECT_EQ(PixelName(img, 2, 12), BGRName(0x33CC99));  // RX
    EXPECT_EQ(PixelName(img, 3, 2), BGRName(0x000000));   // no TX
    EXPECT_EQ(PixelName(img, 35, 15), BGRName(0x33CC99)); // the point
    clar.SetClarifierOffset(12345);
    EXPECT_EQ(clar.ClarifierOffset(), 9999);

    // Memory modes show the channel without marks or point.
    clar.SetVFOMemoryMode(vmQMB);
    clar.SetMemoryChannel(3);
    EXPECT_EQ(clar.ShownDigits(), (TReadoutDigits{-1, GlyphC, GlyphMinus, 3, -1, -1, -1, -1}));
    img = RenderWidget(clar);
    EXPECT_EQ(PixelName(img, 2, 12), BGRName(0x000000));
    EXPECT_EQ(PixelName(img, 35, 15), BGRName(0x000000));
    for (uint8_t channel : {117, 255}) {
        clar.SetVFOMemoryMode(vmMemoryMode);
        clar.SetMemoryChannel(channel);
        RenderWidget(clar);
    }
    EXPECT_EQ(clar.ShownDigits(), (TReadoutDigits{-1, 2, 5, 5, -1, -1, -1, -1}));
}

TEST(Readout, EachDigitKeepsACellOfItsOwn)
{
    // 7.074.000: the 10 MHz place is blank, the 1 MHz place shows 7.
    for (const TDisplayType type : {dtFT2K_A, dtFT5K_A, dtFT5K_B}) {
        SCOPED_TRACE(int(type));
        TFTPanelFrequency readout;
        readout.SetDisplayType(type);
        readout.SetFrequency(7074000);
        const QImage img = RenderWidget(readout);
        const TDigitPositionTables& positions = TFTPanelFrequency::DigitPositions();
        QPolygonF points;
        for (const TSegmentPolygon& segment : SegmentShape(type))
            for (const QPoint& pt : segment)
                points << pt;
        const QRectF shape = points.boundingRect();
        const int inkWidth = int(shape.width()); // a filled polygon ends where its edge lies
        const int top = ReadoutLayout(type).TopMargin;
        const QRgb lit = BGRColor(0xFCDB83).rgb(), dim = BGRColor(0x212121).rgb(), back = qRgb(0, 0, 0);
        const auto colours = [&](int left, int right) {
            QSet<QRgb> seen;
            for (int x = left; x < right; ++x)
                for (int y = top; y <= top + shape.bottom(); ++y)
                    seen.insert(img.pixel(x, y));
            return seen;
        };
        const auto cellOf = [&](int digit) { return DigitOrigin(type, digit, positions).x(); };
        // Unlit segments only in the 10 MHz cell; the 7 in the 1 MHz cell: b lit, g not.
        EXPECT_FALSE(colours(cellOf(1), cellOf(1) + inkWidth).contains(lit));
        const QPoint seven(cellOf(2), top);
        const TSegmentShape& s = SegmentShape(type);
        const auto centre = [](const TSegmentPolygon& poly) {
            return QPolygon(QList<QPoint>(poly.begin(), poly.end())).boundingRect().center();
        };
        EXPECT_EQ(img.pixel(seven + centre(s[1])), lit);
        EXPECT_EQ(img.pixel(seven + centre(s[6])), dim);

        // The columns holding ink fall apart into the eight digits, each exactly in its own box,
        // and the two decimal points standing alone between them.
        QList<std::pair<int, int>> runs; // first column, width
        for (int x = 0; x < img.width(); ++x) {
            const QSet<QRgb> c = colours(x, x + 1);
            if (c == QSet<QRgb>{back})
                continue;
            if (!runs.isEmpty() && runs.back().first + runs.back().second == x)
                ++runs.back().second;
            else
                runs.append({x, 1});
        }
        ASSERT_EQ(runs.size(), 10);
        const int digitRun[8] = {0, 1, 3, 4, 5, 7, 8, 9};
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(runs[digitRun[i]], std::make_pair(cellOf(i + 1), inkWidth)) << "digit " << i + 1;
            if (i > 0 && digitRun[i - 1] == digitRun[i] - 1) { // neighbours without a point between
                EXPECT_GE(runs[digitRun[i]].first - cellOf(i) - inkWidth, 2) << "digits " << i << ", " << i + 1;
            }
        }
        for (const int point : {2, 6})
            EXPECT_LE(runs[point].second, 3);
    }
}

TEST(Readout, FrequencyIsKeptWithinTheEightDigits)
{
    TFTPanelFrequency readout;
    readout.SetFrequency(123456789);
    EXPECT_EQ(readout.Frequency(), 99999999);
    EXPECT_EQ(readout.FrequencyDigits(), (TReadoutDigits{9, 9, 9, 9, 9, 9, 9, 9}));
    readout.SetFrequency(-5);
    EXPECT_EQ(readout.Frequency(), 0);
    EXPECT_EQ(readout.TuningFrequency(), 0);
    EXPECT_EQ(readout.FrequencyDigits(), FrequencyToDigits(0));
}

TEST(ReadoutRender, SavesEveryDisplayType)
{
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage ft2000 = ReadoutRow(true, dpr);
        const QImage ftdx5000 = ReadoutRow(false, dpr);
        QImage img(QSize(ft2000.width(), ft2000.height() * 2), QImage::Format_RGB32);
        img.setDevicePixelRatio(dpr);
        QPainter p(&img);
        p.drawImage(QPointF(0, 0), ft2000);
        p.drawImage(QPointF(0, ft2000.height() / dpr), ftdx5000);
        p.end();
        EXPECT_TRUE(SaveArtifact(img, dpr == 1.0 ? QStringLiteral("control-readout.png") : QStringLiteral("control-readout@2x.png")));
    }
}
