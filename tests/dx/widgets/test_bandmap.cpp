// The band map as a control: geometry, zoom, incoming frequencies, tuning by mouse and keys,
// the edge scroll and the end of a tuning gesture, lock, labels, the paced spot repaint, bad
// input, and unhooking from the engines.
#include "DXViewsFixture.h"

#include "core/cat/FTCATInterface.h"
#include "core/cat/GUISettings.h"
#include "dx/widgets/Bandmap.h"
#include "dx/widgets/DXSpotsPanel2.h"
#include "tests/support/WidgetInput.h"

#include <memory>
#include <vector>

using namespace vxtest;

namespace {

struct FrequencyReport {
    TVFO vfo;
    int32_t hz;
    bool operator==(const FrequencyReport&) const = default;
};

void PrintTo(const FrequencyReport& r, std::ostream* os)
{
    *os << (r.vfo == vfoA ? "A " : "B ") << r.hz;
}

class Bandmap : public DXViewsFixture {
protected:
    void SetUp() override
    {
        DXViewsFixture::SetUp();
        map = std::make_unique<TBandmap>();
        map->show();
        map->OnFrequencyChange = [this](TVFO vfo, int32_t hz) { reports.push_back({vfo, hz}); };
        map->OnFrequencyRequest = [this] { ++requests; };
    }
    void TearDown() override
    {
        map.reset();
        DXViewsFixture::TearDown();
    }

    // Tuned frequency at the marker's height: the invariant of zoom and scrolling.
    void ExpectTunedAtMarker()
    {
        EXPECT_EQ(map->FrequencyToY(map->VFO() == vfoA ? map->FrequencyA() : map->FrequencyB()), map->PositionY());
    }

    std::unique_ptr<TBandmap> map;
    std::vector<FrequencyReport> reports;
    int requests = 0;
};

} // namespace

TEST_F(Bandmap, StartGeometry)
{
    EXPECT_EQ(map->size(), QSize(400, 800));
    EXPECT_EQ(map->Resolution(), 200);
    EXPECT_EQ(map->ResolutionIndex(), 4);
    EXPECT_EQ(map->StepHzPerY(), 20);
    EXPECT_EQ(map->BaseFrequency(), 7000000);
    EXPECT_EQ(map->PositionY(), 760);
    EXPECT_EQ(map->BandwidthLabel->Caption(), "[ BW 15 kHz ]");
    EXPECT_EQ(map->VFOLabel->Caption(), "[ VFO A ]");

    struct Row {
        int32_t hz;
        int y;
    };
    // y = H - (f - base) * 10 div R - 40, truncated toward zero.
    for (const Row r : {Row{7000000, 760}, Row{7015000, 10}, Row{7000020, 759}, Row{7000019, 760},
                        Row{6999980, 761}, Row{7010000, 260}}) {
        EXPECT_EQ(map->FrequencyToY(r.hz), r.y) << r.hz;
    }
    EXPECT_EQ(map->YToFrequency(10), 7015000);
    EXPECT_EQ(map->YToFrequency(760), 7000000);
    EXPECT_EQ(map->YToFrequency(761), 6999980);
    // Nearest multiple of 20 Hz, halfway up.
    for (const auto& [in, out] : {std::pair{7000009, 7000000}, {7000010, 7000020}, {7000011, 7000020}, {7000030, 7000040}})
        EXPECT_EQ(map->SnapToStep(in), out) << in;

    // Labels of the bottom row in a row from x 92, and the zoom buttons at the right.
    EXPECT_EQ(map->VFOLabel->geometry(), QRect(92, 784, 49, 16));
    EXPECT_EQ(map->SplitLabel->geometry(), QRect(141, 784, 46, 16));
    EXPECT_EQ(map->LockLabel->geometry(), QRect(187, 784, 45, 16));
    EXPECT_EQ(map->AToBLabel->geometry(), QRect(232, 784, 45, 16));
    EXPECT_EQ(map->BToALabel->geometry(), QRect(277, 784, 45, 16));
    EXPECT_EQ(map->BandwidthLabel->geometry(), QRect(296, 784, 72, 16));
    EXPECT_EQ(map->BandwidthDownButton->pos(), QPoint(370, 785));
    EXPECT_EQ(map->BandwidthUpButton->pos(), QPoint(383, 785));
    EXPECT_EQ(map->BandwidthDownButton->ArrowType(), atDown);
    EXPECT_TRUE(map->BandmapScope->isHidden());

    // Every caption fits its label.
    for (TBandmapLabel* l : {map->VFOLabel, map->SplitLabel, map->LockLabel, map->AToBLabel, map->BToALabel,
                             map->BandwidthLabel}) {
        EXPECT_LE(QFontMetrics(l->Font()).boundingRect(l->Caption()).right(), l->width()) << l->Caption().toStdString();
    }

    map->resize(400, 500);
    EXPECT_EQ(map->BandwidthLabel->Caption(), "[ BW 9 kHz ]");
    EXPECT_EQ(map->VFOLabel->y(), 484);
    EXPECT_EQ(map->LastSpotsRect(), QRect(QPoint(272, 137), QPoint(395, 459)));
}

TEST_F(Bandmap, ZoomStepsThroughTheTableKeepingTheTunedFrequencyAtTheMarker)
{
    map->SetFrequencyA(7010000); // inside the view: the marker moves to y 260
    ASSERT_EQ(map->PositionY(), 260);

    std::vector<int32_t> seen;
    for (int i = 0; i < 5; ++i) {
        map->ChangeResolution(false);
        seen.push_back(map->Resolution());
        ExpectTunedAtMarker();
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{100, 50, 10, 10, 10}));
    EXPECT_EQ(map->BandwidthLabel->Caption(), "[ BW 750 Hz ]");

    seen.clear();
    for (int i = 0; i < 18; ++i) {
        map->ChangeResolution(true);
        seen.push_back(map->Resolution());
        ExpectTunedAtMarker();
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 2000, 4000, 5000, 7000,
                                          10000, 10000, 10000}));
    EXPECT_EQ(map->ResolutionIndex(), 17);
    EXPECT_EQ(map->BandwidthLabel->Caption(), "[ BW 750 kHz ]");
    EXPECT_EQ(map->FrequencyA(), 7010000);

    // Keys and arrow buttons zoom the same way.
    Key(map.get(), Qt::Key_Left);
    EXPECT_EQ(map->Resolution(), 7000);
    Click(map->BandwidthDownButton);
    EXPECT_EQ(map->Resolution(), 5000);
    Click(map->BandwidthUpButton);
    Key(map.get(), Qt::Key_Right);
    EXPECT_EQ(map->Resolution(), 10000);

    // Zooming out near the bottom of the range keeps the scale inside it.
    vx::Clock::advance(2000);
    map->SetFrequencyA(40000);
    EXPECT_GE(map->BaseFrequency(), TBandmap::MinFrequency);
    EXPECT_EQ(map->FrequencyA(), 40000);
    ExpectTunedAtMarker();
}

TEST_F(Bandmap, IncomingFrequencies)
{
    struct Row {
        const char* what;
        TVFO vfo;
        int32_t hz;
        int32_t base; // after
        int y;        // marker of the tuned VFO after
    };
    int reported = 0;
    map->OnDebugCount = [&](int32_t count) { reported = count; };
    const int fullPaints = map->DebugCount();
    // The marker starts at the bottom (y 760, 7000000 Hz); the view spans 15 kHz.
    const Row rows[] = {
        {"inside: the marker moves", vfoA, 7010000, 7000000, 260},
        {"outside: scrolls to the marker's height", vfoA, 7100000, 7090000, 260},
        {"the other VFO only moves its marker", vfoB, 14025000, 7090000, 260},
        {"below the range is clamped", vfoA, 0, TBandmap::MinFrequency, 760},
        {"above the range is clamped", vfoA, 2147483647, TBandmap::MaxFrequency - 5000, 510},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        if (r.hz == 2147483647)
            map->SetFrequencyA(TBandmap::MaxFrequency - 5000);
        r.vfo == vfoA ? map->SetFrequencyA(r.hz) : map->SetFrequencyB(r.hz);
        EXPECT_EQ(map->BaseFrequency(), r.base);
        EXPECT_EQ(map->PositionY(), r.y);
        ExpectTunedAtMarker();
    }
    EXPECT_EQ(map->FrequencyB(), 14025000);
    EXPECT_EQ(map->FrequencyA(), TBandmap::MaxFrequency);
    map->SetFrequencyA(-1);
    EXPECT_EQ(map->FrequencyA(), TBandmap::MinFrequency);
    EXPECT_TRUE(reports.empty()) << "frequencies from the radio are not reported back";
    // Markers and scrolls repaint parts of the image; a band change paints it whole.
    EXPECT_EQ(map->DebugCount(), fullPaints);
    map->SetBandA(bd20);
    EXPECT_EQ(map->DebugCount(), fullPaints + 1);
    EXPECT_EQ(reported, fullPaints + 1);
}

TEST_F(Bandmap, DragDropsTheTunedVFOsReportsUntilTwoSecondsAfterRelease)
{
    map->SetFrequencyA(7010000); // marker at 260
    MousePress(map.get(), QPoint(50, 300));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports.back(), (FrequencyReport{vfoA, 7010000 - 40 * 20}));
    MouseMove(map.get(), QPoint(60, 250));
    EXPECT_EQ(reports.back(), (FrequencyReport{vfoA, 7010000 + 10 * 20}));
    EXPECT_TRUE(TBandmap::UserIsTuning());

    // The radio's reports of the tuned VFO are dropped while the operator drags; B's are not.
    map->SetFrequencyA(7005000);
    EXPECT_EQ(map->FrequencyA(), 7010200);
    map->SetFrequencyB(7001000);
    EXPECT_EQ(map->FrequencyB(), 7001000);

    MouseRelease(map.get(), QPoint(60, 250));
    vx::Clock::advance(1999);
    EXPECT_EQ(requests, 0);
    map->SetFrequencyA(7005000);
    EXPECT_EQ(map->FrequencyA(), 7010200);
    vx::Clock::advance(1);
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(TBandmap::UserIsTuning());
    map->SetFrequencyA(7005000);
    EXPECT_EQ(map->FrequencyA(), 7005000);
    vx::Clock::advance(5000);
    EXPECT_EQ(requests, 1);
}

TEST_F(Bandmap, HoldingTheButtonPastAnEdgeScrollsTenPixelsEvery250ms)
{
    MousePress(map.get(), QPoint(50, 100));
    const int32_t base = map->BaseFrequency();
    MouseMove(map.get(), QPoint(50, 4)); // 6 pixels above the top of the scale
    EXPECT_EQ(map->PositionY(), 10);
    EXPECT_EQ(map->BaseFrequency(), base + 6 * 20);
    reports.clear();

    vx::Clock::advance(249);
    EXPECT_TRUE(reports.empty());
    vx::Clock::advance(1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(map->BaseFrequency(), base + 16 * 20);
    vx::Clock::advance(1000);
    EXPECT_EQ(reports.size(), 5u);
    EXPECT_EQ(map->BaseFrequency(), base + 56 * 20);
    ExpectTunedAtMarker();

    MouseRelease(map.get(), QPoint(50, 4));
    vx::Clock::advance(1000);
    EXPECT_EQ(reports.size(), 5u);

    // The bottom edge scrolls down the same way.
    MousePress(map.get(), QPoint(50, 700));
    MouseMove(map.get(), QPoint(50, 790));
    const int32_t low = map->BaseFrequency();
    EXPECT_EQ(map->PositionY(), 760);
    vx::Clock::advance(500);
    EXPECT_EQ(map->BaseFrequency(), low - 20 * 20);
    MouseRelease(map.get(), QPoint(50, 790));
}

TEST_F(Bandmap, KeysTune)
{
    map->SetFrequencyA(7010000); // marker at 260
    struct Row {
        int key;
        int y;
    };
    for (const Row r : {Row{Qt::Key_PageUp, 250}, Row{Qt::Key_PageDown, 260}, Row{Qt::Key_Up, 259}, Row{Qt::Key_Down, 260},
                        Row{Qt::Key_Home, 10}, Row{Qt::Key_End, 760}}) {
        Key(map.get(), r.key);
        EXPECT_EQ(map->PositionY(), r.y) << r.key;
        ExpectTunedAtMarker();
    }
    EXPECT_EQ(reports.size(), 6u);
    EXPECT_EQ(reports.back(), (FrequencyReport{vfoA, map->FrequencyA()}));
    // Any key holds off the radio's reports until 2 s after its release.
    EXPECT_TRUE(TBandmap::UserIsTuning());
    vx::Clock::advance(2000);
    EXPECT_EQ(requests, 1);
    Key(map.get(), Qt::Key_Space);
    EXPECT_EQ(map->PositionY(), 760);
}

TEST_F(Bandmap, LockedVFOAIgnoresClicksDragsAndKeysButVFOBDoesNot)
{
    map->SetFrequencyA(7010000);
    map->SetLock(true);
    MousePress(map.get(), QPoint(50, 300));
    MouseMove(map.get(), QPoint(50, 5));
    vx::Clock::advance(1000);
    MouseRelease(map.get(), QPoint(50, 5));
    Key(map.get(), Qt::Key_PageUp);
    Key(map.get(), Qt::Key_Home);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(map->FrequencyA(), 7010000);
    EXPECT_EQ(map->PositionY(), 260);

    Click(map->VFOLabel); // the band map now tunes VFO B
    EXPECT_EQ(map->VFO(), vfoB);
    EXPECT_EQ(map->VFOLabel->Caption(), "[ VFO B ]");
    MousePress(map.get(), QPoint(50, 300));
    MouseRelease(map.get(), QPoint(50, 300));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].vfo, vfoB);
    Key(map.get(), Qt::Key_PageUp);
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(Bandmap, ZeroCopiesTheTunedVFOToTheOther)
{
    map->SetFrequencyA(7010000);
    map->SetFrequencyB(7003000);
    Key(map.get(), Qt::Key_0, QStringLiteral("0"));
    EXPECT_EQ(reports, (std::vector<FrequencyReport>{{vfoB, 7010000}}));
    EXPECT_EQ(map->FrequencyB(), 7010000);
    EXPECT_FALSE(TBandmap::UserIsTuning());

    map->SetVFO(vfoB);
    map->SetFrequencyB(7004000);
    reports.clear();
    Key(map.get(), Qt::Key_0, QStringLiteral("0"));
    EXPECT_EQ(reports, (std::vector<FrequencyReport>{{vfoA, 7004000}}));
}

TEST_F(Bandmap, FrequencyLabelReadsLikeTheRadiosDisplay)
{
    map->SetFrequencyA(14000000);
    map->SetFrequencyA(7012345); // outside: the scale scrolls, 7012345 Hz lands at the marker
    MouseLeave(map.get());
    EXPECT_EQ(map->FrequencyLabel->Caption(), "7,012,34");
    MouseMove(map.get(), QPoint(200, 560), Qt::NoButton);
    EXPECT_EQ(map->FrequencyLabel->Caption(), "7,016,34");

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MouseLeave(map.get());
    EXPECT_EQ(map->FrequencyLabel->Caption(), "7.012.34");
}

TEST_F(Bandmap, SplitLockAndFocusColourTheLabels)
{
    const auto colours = [this] {
        return std::vector<QColor>{map->VFOLabel->FontColor(), map->SplitLabel->FontColor(), map->LockLabel->FontColor()};
    };
    EXPECT_EQ(colours(), (std::vector<QColor>{bandmap::clDim, bandmap::clDim, bandmap::clDim}));
    map->SetSplit(true);
    map->SetLock(true);
    EXPECT_EQ(colours(), (std::vector<QColor>{bandmap::clDim, bandmap::clDim, bandmap::clDim}));
    map->SetIsFocused(true);
    EXPECT_EQ(colours(), (std::vector<QColor>{bandmap::clBright, bandmap::clBright, bandmap::clBright}));
    EXPECT_TRUE(map->BandwidthUpButton->IsFocused());
    map->SetVFO(vfoB); // the lock belongs to VFO A
    EXPECT_EQ(map->LockLabel->FontColor(), bandmap::clDim);
    map->SetIsFocused(false);
    EXPECT_FALSE(map->BandwidthUpButton->IsFocused());

    // Losing the focus ends a tuning gesture at once.
    map->SetVFO(vfoA);
    map->SetLock(false);
    MousePress(map.get(), QPoint(50, 300));
    MouseRelease(map.get(), QPoint(50, 300));
    map->SetIsFocused(false);
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(TBandmap::UserIsTuning());
}

TEST_F(Bandmap, CatEngineReceivesTheLabelsCommandsOffline)
{
    // Without a radio the engine stores at once, so the labels' effect shows in its state.
    TFTCATInterface cat;
    map->SetFTCATInterface(&cat);
    Click(map->SplitLabel);
    EXPECT_EQ(cat.FunctionTX(), vfoB);
    Click(map->LockLabel);
    EXPECT_TRUE(cat.LockA());
    cat.PrepareTX();
    cat.SetFrequency(0, 14025000);
    Click(map->AToBLabel);
    EXPECT_EQ(cat.FrequencyB(), 14025000);
    cat.PrepareTX();
    cat.SetFrequency(1, 7030000);
    Click(map->BToALabel);
    EXPECT_EQ(cat.FrequencyA(), 7030000);

    // The VFO choice is recorded in the engine, and the engine's choice reaches the label.
    Click(map->VFOLabel);
    EXPECT_EQ(cat.GUISettings()->BandmapVFO(), vfoB);
    cat.GUISettings()->SetBandmapVFO(vfoA);
    EXPECT_EQ(map->VFO(), vfoA);
    EXPECT_EQ(map->VFOLabel->Caption(), "[ VFO A ]");
    // LOCK acts only while VFO A is tuned.
    map->SetVFO(vfoB);
    Click(map->LockLabel);
    EXPECT_TRUE(cat.LockA());

    // Without an engine the labels do nothing.
    map->SetFTCATInterface(nullptr);
    for (TBandmapLabel* l : {map->SplitLabel, map->LockLabel, map->AToBLabel, map->BToALabel})
        Click(l);
    EXPECT_EQ(cat.FunctionTX(), vfoB);
    EXPECT_FALSE(cat.OnBandmapVFO);
}

TEST_F(Bandmap, DoubleClickOnASpotLabelTunesThroughTheEngine)
{
    TFTCATInterface cat;
    engine->SetFTCATInterface(&cat);
    map->SetDXSpots(engine);
    map->SetBandA(bd20);
    map->SetFrequencyA(14025000);
    const int32_t id = Spot("OR2M", 14025000, "CW");
    ASSERT_GT(id, 0);
    vx::Clock::advance(100);
    ASSERT_EQ(map->SpotDataList().size(), 1u);
    const QRect label = map->SpotDataList()[0].SpotRect;
    EXPECT_EQ(map->SpotIDAt(label.center()), id);

    // On the scale nothing happens.
    cat.PrepareTX();
    cat.SetFrequency(0, 7000000);
    MouseMove(map.get(), QPoint(60, 400), Qt::NoButton);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(60, 400), map->mapToGlobal(QPointF(60, 400)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QMouseEvent onSpot(QEvent::MouseButtonDblClick, QPointF(label.center()), map->mapToGlobal(QPointF(label.center())),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(map.get(), &dbl);
    EXPECT_EQ(cat.FrequencyA(), 7000000);
    QCoreApplication::sendEvent(map.get(), &onSpot);
    EXPECT_EQ(cat.FrequencyA(), 14025000);
    EXPECT_FALSE(TBandmap::UserIsTuning());

    // The information line names the spot under the mouse.
    MouseMove(map.get(), label.center(), Qt::NoButton);
    EXPECT_EQ(map->InfoText(), engine->BandmapSpotLookup(id));
    EXPECT_EQ(map->cursor().shape(), Qt::PointingHandCursor);
    MouseMove(map.get(), QPoint(label.right() + 40, label.center().y()), Qt::NoButton);
    EXPECT_EQ(map->InfoText(), QString());
    EXPECT_EQ(map->cursor().shape(), Qt::CrossCursor);
}

TEST_F(Bandmap, SpotAreaRepaintsAtMostTenTimesASecondAndPaintsTheLastChange)
{
    map->SetDXSpots(engine);
    map->SetBandA(bd20);
    map->SetFrequencyA(14025000);
    vx::Clock::advance(1000);
    const int start = map->SpotPaintCount();

    // 100 spots in one second, one every 10 ms.
    for (int i = 0; i < 100; ++i) {
        Spot(QStringLiteral("K%1AB").arg(i), 14020000 + i * 100);
        if (i < 99)
            vx::Clock::advance(10);
    }
    // The first at once, then one per 100 ms: t = 0, 100 ... 900.
    EXPECT_EQ(map->SpotPaintCount() - start, 10);
    EXPECT_LT(map->BandSpotCount(), 100);
    // The flood is over: the last spot is painted when its interval is up.
    vx::Clock::advance(10);
    EXPECT_EQ(map->SpotPaintCount() - start, 11);
    EXPECT_EQ(map->BandSpotCount(), 100);

    // A single change after a quiet spell is painted at once; markers never wait.
    vx::Clock::advance(1000);
    const int before = map->SpotPaintCount();
    Spot("OR2M", 14018600);
    EXPECT_EQ(map->SpotPaintCount(), before + 1);
    Spot("TZ4AM", 14037400);
    EXPECT_EQ(map->SpotPaintCount(), before + 1);
    map->SetFrequencyB(14021000);
    EXPECT_EQ(map->MarkerYB(), map->FrequencyToY(14021000));
    vx::Clock::advance(100);
    EXPECT_EQ(map->SpotPaintCount(), before + 2);
    EXPECT_EQ(map->BandSpotCount(), 102);
}

TEST_F(Bandmap, RefreshTimePacesFrequencyPaints)
{
    map->SetDXSpots(engine);
    engine->SetBandmapRefreshTime(500);
    EXPECT_EQ(map->RefreshTime(), 500);
    EXPECT_TRUE(map->RefreshTimer->enabled());
    map->SetFrequencyB(7005000);
    EXPECT_NE(map->MarkerYB(), map->FrequencyToY(7005000)) << "waits for the timer";
    vx::Clock::advance(500);
    EXPECT_EQ(map->MarkerYB(), map->FrequencyToY(7005000));
    engine->SetBandmapRefreshTime(0);
    EXPECT_FALSE(map->RefreshTimer->enabled());
    map->SetFrequencyB(7006000);
    EXPECT_EQ(map->MarkerYB(), map->FrequencyToY(7006000));
}

TEST_F(Bandmap, BadInputDoesNoHarm)
{
    map->SetDXSpots(engine);
    map->SetBandA(bd20);
    map->SetBandA(bdAll);
    map->SetBandB(bdAll);
    map->SetBandA(TBand(200));
    EXPECT_EQ(map->BandA(), bd20);
    EXPECT_EQ(map->BandB(), bd40);

    // Frequencies far outside the radio's range.
    for (int32_t hz : {0, -1, 2147483647, -2147483647 - 1}) {
        map->SetFrequencyA(hz);
        map->SetFrequencyB(hz);
        EXPECT_GE(map->FrequencyA(), TBandmap::MinFrequency);
        EXPECT_LE(map->FrequencyA(), TBandmap::MaxFrequency);
        EXPECT_GE(map->BaseFrequency(), TBandmap::MinFrequency);
    }
    // Tuning past either end of the range stops there.
    map->SetFrequencyA(TBandmap::MaxFrequency);
    for (int i = 0; i < 5; ++i)
        Key(map.get(), Qt::Key_Home);
    EXPECT_EQ(map->FrequencyA(), TBandmap::MaxFrequency);
    vx::Clock::advance(2000); // the keys' hold on incoming frequencies ends
    map->SetFrequencyA(TBandmap::MinFrequency + 100);
    for (int i = 0; i < 5; ++i)
        Key(map.get(), Qt::Key_End);
    EXPECT_EQ(map->FrequencyA(), TBandmap::MinFrequency);
    EXPECT_EQ(map->BaseFrequency(), TBandmap::MinFrequency);
    ExpectTunedAtMarker();

    // A band map 30 pixels high: every input still works without harm.
    Spot("OR2M", 14025000);
    vx::Clock::advance(2000);
    map->SetFrequencyA(14025000);
    map->resize(400, 30);
    map->FullPaint();
    for (int key : {Qt::Key_PageUp, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right})
        Key(map.get(), key);
    MousePress(map.get(), QPoint(50, 15));
    MouseMove(map.get(), QPoint(50, -20));
    vx::Clock::advance(1000);
    MouseRelease(map.get(), QPoint(50, -20));
    map->SetFrequencyA(7000000);
    map->Changed();
    vx::Clock::advance(3000);
    QImage img(map->size(), QImage::Format_RGB32);
    map->render(&img);

    // Nothing under the pointer, and spot number 0, send nothing.
    map->resize(400, 800);
    EXPECT_EQ(map->SpotIDAt(QPoint(300, 400)), 0);
    engine->SendSpotToTransceiver(0, true, true);
    map->resize(0, 0);
    map->FullPaint();
    map->resize(400, 800);
}

TEST_F(Bandmap, EngineEventsAfterTheViewsAreGoneReachNobody)
{
    TFTCATInterface cat;
    auto panel = std::make_unique<TDXSpotsPanel2>();
    panel->SetDXSpots(engine);
    map->SetDXSpots(engine);
    map->SetFTCATInterface(&cat);
    Spot("OR2M", 14025000);
    map.reset();
    panel.reset();
    EXPECT_FALSE(engine->OnBandmapChange);
    EXPECT_FALSE(engine->OnBandmapRefreshTime);
    EXPECT_FALSE(engine->OnSpotDataAdded);
    EXPECT_FALSE(engine->OnSpotDataRemoved);
    EXPECT_FALSE(cat.OnBandmapVFO);
    Spot("TZ4AM", 14037400);
    engine->RemoveSpot(1, true);
    engine->SetBandmapRefreshTime(300);
    TSpotOptions options;
    options.Include(hideAwardSpots);
    engine->SetSpotsOptions(options);
    cat.GUISettings()->SetBandmapVFO(vfoB);

    // And the other way round: engines that go first leave the views harmless.
    auto cat2 = std::make_unique<TFTCATInterface>();
    auto view = std::make_unique<TBandmap>();
    auto list = std::make_unique<TDXSpotsPanel2>();
    view->SetDXSpots(engine);
    view->SetFTCATInterface(cat2.get());
    list->SetDXSpots(engine);
    cat2.reset();
    spots.reset();
    engine = nullptr;
    view->Changed();
    view->FullPaint();
    Click(view->SplitLabel);
    list->ClearSpots(8);
    view.reset();
    list.reset();
}
