// The band map's drawing, read back from its image and the label rectangles it leaves: scale
// labels and ticks by resolution, spot labels stacked per 100 Hz group, the last-spots box,
// the VFO markers with split, the band plan bars; and the renders a person looks at.
#include "DXViewsFixture.h"

#include "core/DataFiles.h"
#include "dx/DXWantedSpots.h"
#include "dx/widgets/Bandmap.h"
#include "dx/widgets/BandmapPaint.h"
#include "panel/PanelColors.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/support/WidgetInput.h"

#include <QFile>
#include <memory>

using namespace bandmapdraw;

namespace {

const QColor Black(0, 0, 0);

class BandmapDrawing : public DXViewsFixture {
protected:
    void SetUp() override
    {
        DXViewsFixture::SetUp();
        map = std::make_unique<TBandmap>();
        map->show();
        map->SetDXSpots(engine);
    }
    void TearDown() override
    {
        map.reset();
        DXViewsFixture::TearDown();
    }

    // Tunes VFO A of a fresh band map (marker at the bottom) to hz with its marker at height
    // y: the base frequency arrives first (outside the view, so the scale scrolls to put it at
    // the marker), then hz moves the marker up.
    void TuneA(int32_t hz, int y)
    {
        ASSERT_EQ(map->PositionY(), 760);
        map->SetFrequencyA(hz - (760 - y) * map->StepHzPerY());
        map->SetFrequencyA(hz);
        ASSERT_EQ(map->PositionY(), y);
    }
    // Lets the paced spot paint run.
    void Settle() { vx::Clock::advance(TBandmap::SpotPaintInterval); }

    const TBandmapSpotData* Label(int32_t id) const
    {
        for (const TBandmapSpotData& d : map->SpotDataList())
            if (d.SpotID == id)
                return &d;
        return nullptr;
    }
    int Half() const { return map->LineHeight() / 2; }
    int TextHeight() const { return QFontMetrics(Font()).height(); }
    int Advance(const QString& s) const { return QFontMetrics(Font()).horizontalAdvance(s); }

    std::unique_ptr<TBandmap> map;
};

} // namespace

TEST_F(BandmapDrawing, ScaleLabelsAndTicksByResolution)
{
    struct Row {
        int zoomOut;      // steps from R 200
        int32_t label;    // a label frequency in view
        const char* text; // as written, with its blanks
        int32_t shortTick;
        int32_t noTick;
    };
    const Row rows[] = {
        {0, 7012000, " 7,012 ", 7012100, 7013020},  // R 200: every 1000 Hz, ticks every 100 Hz
        {2, 7012500, " 7,012,5 ", 7012550, 7012505}, // R 50: every 500 Hz with the 100 Hz digit
        {-9, 7010000, " 7,010 ", 7011000, 7010200}, // R 2000: every 10 kHz
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        map = std::make_unique<TBandmap>();
        map->show();
        map->SetFrequencyA(7012000);
        for (int i = 0; i < std::abs(r.zoomOut); ++i)
            map->ChangeResolution(r.zoomOut < 0);
        const QImage& img = map->Bitmap();
        const int y = map->FrequencyToY(r.label);
        ASSERT_GT(y, 10);
        ASSERT_LT(y, 760);
        EXPECT_TRUE(TextAt(img, Font(), 56 - Advance(QString::fromLatin1(r.text)), y - TextHeight() / 2,
                           QString::fromLatin1(r.text), clScaleBlue));
        EXPECT_EQ(At(img, 83, y), clScaleBlue);
        EXPECT_EQ(At(img, 82, y), Black);
        const int ys = map->FrequencyToY(r.shortTick);
        EXPECT_EQ(At(img, 89, ys), clScaleBlue);
        EXPECT_EQ(At(img, 88, ys), Black);
        const int yn = map->FrequencyToY(r.noTick);
        EXPECT_EQ(At(img, 89, yn), Black);
        EXPECT_EQ(At(img, 92, yn), clScaleBlue); // the scale line itself
        EXPECT_EQ(At(img, 102, yn), clScaleBlue);
    }
}

TEST_F(BandmapDrawing, SpotLabelsStackPerHundredHertzGroup)
{
    map->SetBandA(bd20);
    TuneA(14032000, 410);
    const int32_t base = map->BaseFrequency();
    const int32_t top = map->YToFrequency(10);
    const int32_t oldest = Spot("OR2M", 14032000);
    const int32_t middle = Spot("TZ4AM", 14032030);
    const int32_t newest = Spot("K1NF", 14032060);
    const int32_t above = Spot("VE6KIX", 14032100);
    const int32_t above2 = Spot("5Z4VJ", 14032200);
    const int32_t below = Spot("EA5JMO", 14031900);
    const int32_t far = Spot("CX2SA", 14030000);
    const int32_t atBase = Spot("IK1EZX", base);
    const int32_t atTop = Spot("PD9FLX", top);
    const int32_t outside = Spot("RI0SP", top + 100);
    Settle();

    const int line = map->LineHeight();
    ASSERT_GE(line, 12);
    // Three spots of one group on one line, newest first, 6 pixels apart.
    const TBandmapSpotData* n = Label(newest);
    const TBandmapSpotData* m = Label(middle);
    const TBandmapSpotData* o = Label(oldest);
    ASSERT_TRUE(n && m && o);
    EXPECT_EQ(n->ToY, 410);
    EXPECT_EQ(n->SpotRect.top(), 410 - Half());
    EXPECT_EQ(m->SpotRect.top(), n->SpotRect.top());
    EXPECT_EQ(o->SpotRect.top(), n->SpotRect.top());
    EXPECT_EQ(n->SpotRect.left(), 146);
    EXPECT_EQ(m->SpotRect.left(), n->SpotRect.right() + 1 + 6);
    EXPECT_EQ(o->SpotRect.left(), m->SpotRect.right() + 1 + 6);
    EXPECT_EQ(n->SpotRect.width(), Advance(n->SpotInfo));
    int16_t bearing = -1;
    for (const TBandmapData& d : engine->BandmapDataList())
        if (d.SpotID == newest)
            bearing = d.Bearing;
    EXPECT_EQ(n->SpotInfo, QStringLiteral("K1NF  (0 min %1°)").arg(bearing));
    EXPECT_TRUE(TextAt(map->Bitmap(), Font(), n->SpotRect.left(), n->SpotRect.top(), n->SpotInfo, clScaleBlue));

    // Neighbouring groups 5 pixels apart are pushed a line apart: up above, down below.
    EXPECT_EQ(Label(above)->Y, 405);
    EXPECT_EQ(Label(above)->ToY, 410 - line);
    EXPECT_EQ(Label(above2)->Y, 400);
    EXPECT_EQ(Label(above2)->ToY, 410 - 2 * line);
    EXPECT_EQ(Label(below)->Y, 415);
    EXPECT_EQ(Label(below)->ToY, 410 + line);
    EXPECT_EQ(Label(far)->ToY, Label(far)->Y) << "a group far enough away stays at its frequency";
    // The edges of the view are inside, one step past it is not.
    EXPECT_NE(Label(atBase), nullptr);
    EXPECT_NE(Label(atTop), nullptr);
    EXPECT_EQ(Label(outside), nullptr);
    EXPECT_EQ(map->SpotDataList().size(), 9u);

    // No two labels overlap.
    for (const TBandmapSpotData& a : map->SpotDataList())
        for (const TBandmapSpotData& b : map->SpotDataList())
            if (a.SpotID != b.SpotID) {
                EXPECT_FALSE(a.SpotRect.intersects(b.SpotRect)) << a.SpotInfo.toStdString() << " / " << b.SpotInfo.toStdString();
            }

    // Leaders: green for the tuned group, blue for the others, from the scale at the group's y.
    EXPECT_EQ(At(map->Bitmap(), 104, 410), clMarkerGreen);
    EXPECT_EQ(At(map->Bitmap(), 104, 405), clScaleBlue);
    EXPECT_EQ(At(map->Bitmap(), 137, 410 - line), clScaleBlue);
}

TEST_F(BandmapDrawing, LastSpotsBoxHeadingAndList)
{
    map->SetBandA(bd20);
    map->SetFrequencyA(14025000);
    const QRect box = map->LastSpotsRect();
    const auto headingShown = [&](const QString& text) {
        return TextAt(map->Bitmap(), Font(), box.left() + 4, box.top() + 4, text, clScaleBlue);
    };
    struct Row {
        int spots;
        const char* heading;
    };
    int added = 0;
    for (const Row r : {Row{0, nullptr}, Row{1, "Last spot"}, Row{5, "Last 5 spots"}, Row{25, "Last 20 spots of 25"}}) {
        for (; added < r.spots; ++added)
            Spot(QStringLiteral("K%1XX").arg(added), 14001000 + added * 1000, QString(), 0);
        // A spot of another band does not count.
        Spot(QStringLiteral("JA%1XX").arg(added), 7010000 + added * 100);
        Settle();
        SCOPED_TRACE(r.spots);
        EXPECT_EQ(map->BandSpotCount(), r.spots);
        EXPECT_EQ(int(map->Last20SpotsDataList().size()), std::min(r.spots, 20));
        if (r.heading) {
            EXPECT_TRUE(headingShown(QString::fromLatin1(r.heading)));
        } else {
            for (int x = box.left() + 1; x < box.right(); ++x)
                EXPECT_EQ(At(map->Bitmap(), x, box.top() + 4 + TextHeight() / 2), Black);
        }
    }
    // Newest first: call at the left, kHz with one decimal right-aligned 4 pixels inside.
    const TBandmapSpotData& first = map->Last20SpotsDataList().front();
    EXPECT_EQ(first.Call, "K24XX");
    EXPECT_EQ(first.Y, box.top() + 4 + map->LineHeight());
    EXPECT_EQ(first.SpotRect, QRect(QPoint(box.left() + 4, first.Y), QPoint(395, first.Y + map->LineHeight() - 1)));
    const QString khz = QStringLiteral("14025.0");
    EXPECT_TRUE(TextAt(map->Bitmap(), Font(), box.left() + 4, first.Y, "K24XX", clScaleBlue));
    EXPECT_TRUE(TextAt(map->Bitmap(), Font(), box.right() + 1 - 4 - Advance(khz), first.Y, khz, clScaleBlue));
    EXPECT_EQ(map->Last20SpotsDataList().back().Call, "K5XX");
    // The box answers hit tests with its spots.
    EXPECT_EQ(map->SpotIDAt(first.SpotRect.center()), first.SpotID);
}

TEST_F(BandmapDrawing, MarkersSplitAndTheirTexts)
{
    const QColor RX0(0, 64, 0), TX0(68, 17, 0);
    const int h2 = TextHeight() / 2;
    const auto textAt = [&](const char* text, int y, const QColor& c) {
        const QString t = QString::fromLatin1(text);
        return TextAt(map->Bitmap(), Font(), 82 - Advance(t) - 3, y - h2, t, c);
    };
    map->SetFrequencyA(7010000); // y 260
    map->SetFrequencyB(7005000); // y 510
    // Without split A transmits: red TX palette and "TX"; B green with "B".
    EXPECT_EQ(At(map->Bitmap(), 97, 260), clTXRed);
    EXPECT_EQ(At(map->Bitmap(), 97, 257), TX0);
    EXPECT_EQ(At(map->Bitmap(), 102, 263), TX0);
    EXPECT_EQ(At(map->Bitmap(), 97, 510), clMarkerGreen);
    EXPECT_EQ(At(map->Bitmap(), 97, 513), RX0);
    EXPECT_TRUE(textAt("TX", 260, clTXRed));
    EXPECT_TRUE(textAt("B", 510, clMarkerGreen));
    EXPECT_EQ(At(map->Bitmap(), 60, 400), Black);

    map->SetSplit(true);
    EXPECT_EQ(At(map->Bitmap(), 97, 260), clMarkerGreen);
    EXPECT_EQ(At(map->Bitmap(), 97, 510), clTXRed);
    EXPECT_TRUE(textAt("RX", 260, clMarkerGreen));
    EXPECT_TRUE(textAt(" TX", 510, clTXRed));
    // The bracket joins the two markers.
    EXPECT_EQ(At(map->Bitmap(), 60, 400), clDimBlue);
    EXPECT_EQ(At(map->Bitmap(), 61, 260), clDimBlue);
    EXPECT_EQ(At(map->Bitmap(), 61, 510), clDimBlue);

    // Equal frequencies: one marker (A's), both texts at its height, A's last.
    map->SetSplit(false);
    map->SetFrequencyB(7010000);
    EXPECT_EQ(At(map->Bitmap(), 97, 260), clTXRed);
    EXPECT_EQ(At(map->Bitmap(), 94, 510), Black);
    EXPECT_EQ(map->MarkerYB(), 260);
    EXPECT_TRUE(textAt("TX", 260, clTXRed));

    // A marker move repaints only the strip: the old place is clean.
    map->SetFrequencyB(7011000);
    EXPECT_EQ(At(map->Bitmap(), 94, 210), clMarkerGreen);
    map->SetFrequencyB(7012000);
    EXPECT_EQ(At(map->Bitmap(), 94, 210), Black);
}

TEST_F(BandmapDrawing, BandPlanBarsAndTheTunedVFOsBand)
{
    map->SetBandA(bd40);
    map->SetBandB(bd20);
    for (int i = 0; i < 9; ++i)
        map->ChangeResolution(true); // R 2000: 150 kHz in view
    map->SetFrequencyA(7060000);
    const QImage& img = map->Bitmap();
    const TBandSegment plan = engine->DXBandplan().GetBandSegment(bd40);
    const int cw = map->FrequencyToY((plan.Mode[0].Lower + plan.Mode[0].Upper) / 2);
    const int digital = map->FrequencyToY((plan.Mode[2].Lower + plan.Mode[2].Upper) / 2);
    EXPECT_EQ(At(img, 97, cw), QColor(0, 193, 49));
    EXPECT_EQ(At(img, 96, cw), QColor(0, 193, 49));
    EXPECT_EQ(At(img, 95, cw), Black);
    EXPECT_EQ(At(img, 99, cw), Black);
    EXPECT_EQ(At(img, 97, digital), QColor(255, 255, 128));
    // The segment edges run as lines across the spot area.
    const int edge = map->FrequencyToY(plan.Mode[0].Upper);
    EXPECT_EQ(map->SegmentLineY()[1], edge);
    EXPECT_EQ(At(img, 200, edge), clSegmentLine);

    // Tuning VFO B shows band B's spots; the bars stay those of band A.
    const int32_t on40 = Spot("EA5JMO", 7074000);
    const int32_t on20 = Spot("OR2M", 14025000);
    Settle();
    ASSERT_EQ(map->SpotDataList().size(), 1u);
    EXPECT_EQ(map->SpotDataList()[0].SpotID, on40);
    map->SetFrequencyB(14025000);
    map->SetVFO(vfoB);
    Settle();
    ASSERT_EQ(map->SpotDataList().size(), 1u);
    EXPECT_EQ(map->SpotDataList()[0].SpotID, on20);
    EXPECT_EQ(map->BandSegment(), plan);
    EXPECT_EQ(map->BandSpotCount(), 1);
}

// ---- Renders a person looks at ----------------------------------------------------------------

namespace {

// Real calls for realistic pictures; made-up ones when the list is not installed.
QStringList RealCalls(int count)
{
    QStringList calls;
    QFile f(QStringLiteral("/usr/share/hamradio-files/MASTER.SCP"));
    if (f.open(QIODevice::ReadOnly)) {
        int line = 0;
        for (const QByteArray& l : f.readAll().split('\n')) {
            const QString call = QString::fromLatin1(l.trimmed());
            if (!call.startsWith(u'#') && call.size() >= 4 && !call.contains(u'/') && (line++ % 211) == 0)
                calls << call;
            if (calls.size() == count)
                break;
        }
    }
    for (int i = calls.size(); i < count; ++i)
        calls << QStringLiteral("K%1%2%3").arg(i % 10).arg(QChar(u'A' + i % 26)).arg(QChar(u'A' + i / 26 % 26));
    return calls;
}

} // namespace

TEST_F(BandmapDrawing, RendersBusyAndWide)
{
    // 60 spots over 15 kHz: three stacked groups at the marker and the rest spread around.
    struct Planned {
        QString call;
        int32_t hz;
        QString comment;
    };
    const QStringList calls = RealCalls(400);
    const char* comments[] = {"CW 22 dB 24 WPM CQ", "", "tnx", "FT8 -12", "UP 2", "BEACON", "PLEASE QSL", ""};
    std::vector<Planned> plan;
    for (int i = 0; i < 60; ++i) {
        int32_t hz = 14059200 + (i * 7919) % 14500;
        if (i < 12)
            hz = 14066000 + (i / 4) * 100 + (i % 4) * 30;
        plan.push_back({i == 5 ? calls[i] + "/B" : calls[i], hz - hz % 100, QString::fromLatin1(comments[i % 8])});
    }
    // Wanted, logged (a CW QSO, so spots in the CW segment without a mode word) and both, on
    // spots that stand first on their line so their colour shows.
    std::vector<QString> logged;
    for (int i = 12; i < 60 && logged.size() < 2; ++i)
        if (plan[size_t(i)].hz < 14065000 && plan[size_t(i)].hz > 14061000 && (i % 8 == 1 || i % 8 == 2 || i % 8 == 7))
            logged.push_back(plan[size_t(i)].call);
    ASSERT_EQ(logged.size(), 2u);
    logged.push_back(plan[7].call);
    ASSERT_TRUE(TDXWantedSpots::SaveWantedFile(GetUserDataFileName(TDXWantedSpots::WantedSpotsFileName),
                                               {TDXWantedSpots::WantedSpotsLine(plan[11].call, TWantedBands{bd20}),
                                                TDXWantedSpots::WantedSpotsLine(plan[1].call, TWantedBands{bd20}),
                                                TDXWantedSpots::WantedSpotsLine(plan[7].call, TWantedBands{bd20})}));
    engine->LoadWantedSpotsList();
    engine->SetMyLocator("JO62QM");
    const auto log = LogCWQSOs(*engine, QStringList(logged.begin(), logged.end()));

    map->SetBandA(bd20);
    map->SetBandB(bd20);
    TuneA(14066000, 400);
    map->SetFrequencyB(14067500);
    map->SetSplit(true);
    map->SetIsFocused(true);

    for (int i = 0; i < 60; ++i)
        Spot(plan[size_t(i)].call, plan[size_t(i)].hz, plan[size_t(i)].comment, 59 - i, i % 2 ? "W3LPL" : "DL1XYZ");
    TSpot own;
    own.SetCall(calls[60]);
    own.FFrequencyA = 14067000;
    engine->AddSpotToBandmap(own);
    Settle();
    ASSERT_EQ(map->BandSpotCount(), 61);
    const TBandmapSpotData& hovered = map->SpotDataList().front();
    vxtest::MouseMove(map.get(), hovered.SpotRect.center(), Qt::NoButton);
    ASSERT_FALSE(map->InfoText().isEmpty());

    // Every status colour is on the picture.
    const QImage busy = Render(*map, 1.0);
    QSet<QRgb> colours;
    for (int y = 0; y < busy.height(); ++y)
        for (int x = 146; x < busy.width(); ++x)
            colours.insert(busy.pixel(x, y));
    for (uint32_t bgr : {0xFCDB83u, 0x99FFFFu, 0x99FF00u, 0xFFFF00u, 0x808080u, 0xFFFFFFu})
        EXPECT_TRUE(colours.contains(BGRColor(bgr).rgb())) << std::hex << bgr;
    EXPECT_TRUE(SaveArtifact(busy, "bandmap-busy.png"));
    const QImage sharp = Render(*map, 2.0);
    // At ratio 2 the scale line is one logical pixel: two device pixels, nothing smeared.
    EXPECT_EQ(QColor(sharp.pixel(184, 1202)), clScaleBlue);
    EXPECT_EQ(QColor(sharp.pixel(185, 1202)), clScaleBlue);
    EXPECT_EQ(QColor(sharp.pixel(183, 1202)), Black);
    EXPECT_TRUE(SaveArtifact(sharp, "bandmap-busy@2x.png"));

    // R 2000: 150 kHz of the band with hundreds of spots.
    for (int i = 61; i < 400; ++i)
        Spot(calls[i], 14000000 + (i * 4391) % 145000 / 100 * 100, QString(), i % 50, "K3LR");
    for (int i = 0; i < 9; ++i)
        map->ChangeResolution(true);
    Settle();
    EXPECT_GT(map->SpotDataList().size(), 300u);
    EXPECT_TRUE(SaveArtifact(Render(*map, 1.0), "bandmap-wide.png"));
}
