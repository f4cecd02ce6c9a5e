// The tuning strip: its rows of controls, what it forwards and shows, the display bandwidth
// and the offscreen renders.
#include "PanelTestUtils.h"
#include "dx/DXSpots.h"
#include "panel/widgets/TuningPanel3.h"
#include "tests/support/WidgetInput.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using vx::Clock;

namespace {

class TuningStrip : public ::testing::Test {
protected:
    void SetUp() override { Clock::useManual(); }
    void TearDown() override { Clock::useSystem(); }
};

// The strip as the front panel places it. A hidden widget hears of its new size only when
// shown; the test delivers that at once.
void PanelWidth(TTuningPanel3& s)
{
    const QSize old = s.size();
    s.resize(359, 98);
    QResizeEvent e(s.size(), old);
    QCoreApplication::sendEvent(&s, &e);
}

QColor Shade(uint32_t bgr)
{
    return BGRColor(bgr);
}

QImage Render(QWidget& w, qreal ratio)
{
    QImage img(w.size() * ratio, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::magenta);
    w.render(&img);
    return img;
}

QColor Logical(const QImage& img, int x, int y)
{
    const qreal r = img.devicePixelRatio();
    return QColor(img.pixel(int(x * r), int(y * r)));
}

} // namespace

TEST_F(TuningStrip, RowsOfControlsAtTheirPlaces)
{
    TTuningPanel3 s;
    EXPECT_EQ(s.size(), QSize(400, 98));
    s.resize(500, 120);
    EXPECT_EQ(s.height(), 98);
    PanelWidth(s);
    EXPECT_EQ(s.Slider->geometry(), QRect(0, 26, 359, 44));
    EXPECT_EQ(s.Clarifier->geometry(), QRect(0, 26, 359, 44));
    EXPECT_TRUE(s.Slider->isVisibleTo(&s));
    EXPECT_FALSE(s.Clarifier->isVisibleTo(&s));

    const struct {
        QWidget* Control;
        QRect Geometry;
    } header[] = {
        {s.VFOButton, {4, 0, 43, 19}},        {s.SplitButton, {100, 0, 43, 19}},
        {s.QSXButton, {147, 0, 82, 19}},      {s.QSXLabel1, {151, 2, 26, 16}},
        {s.QSXLabel2, {179, 2, 46, 16}},      {s.BandWidthLabel, {278, 3, 46, 16}},
        {s.BandwidthDownButton, {329, 3, 13, 13}}, {s.BandwidthUpButton, {344, 3, 13, 13}},
    };
    for (const auto& h : header)
        EXPECT_EQ(h.Control->geometry(), h.Geometry) << h.Geometry.x();
    EXPECT_EQ(s.VFOButton->Caption(), "VFO B");
    EXPECT_EQ(s.QSXLabel1->Caption(), "QSX");
    EXPECT_EQ(s.QSXLabel2->Caption(), "0.00");
    EXPECT_EQ(s.BandWidthLabel->Caption(), "3 kHz");
    EXPECT_TRUE(s.QSXButton->Down());
    EXPECT_TRUE(s.QSXButton->Transparent());
    EXPECT_EQ(s.BandwidthDownButton->ArrowType(), atDown);
    EXPECT_EQ(s.BandwidthUpButton->ArrowType(), atUp);

    // Each split offset button raises its step and sits in the bottom row.
    const struct {
        TSplitButton* Button;
        int Left;
        int Width;
        const char* Caption;
        const char* Hint;
        int Tag;
    } row[] = {
        {s.SplitDown, 4, 37, "down", "down 1kHz", -1000}, {s.SplitDown10, 43, 23, "10", "down 10", -10},
        {s.SplitDown5, 68, 23, "5", "down 5", -5},        {s.SplitDown3, 93, 23, "3", "down 3", -3},
        {s.SplitDown2, 118, 23, "2", "down 2", -2},       {s.SplitDown1, 143, 23, "1", "down 1", -1},
        {s.SplitTransceive, 168, 23, "0", "transceive", 0}, {s.SplitUp1, 193, 23, "1", "up 1", 1},
        {s.SplitUp2, 218, 23, "2", "up 2", 2},            {s.SplitUp3, 243, 23, "3", "up 3", 3},
        {s.SplitUp5, 268, 23, "5", "up 5", 5},            {s.SplitUp10, 293, 23, "10", "up 10", 10},
        {s.SplitUp, 318, 37, "up", "up 1kHz", 1000},
    };
    std::vector<int> steps;
    s.OnSplitClick = [&](int32_t v) { steps.push_back(v); };
    for (const auto& r : row) {
        EXPECT_EQ(r.Button->geometry(), QRect(r.Left, 77, r.Width, 18)) << r.Hint;
        EXPECT_EQ(r.Button->Caption(), r.Caption);
        EXPECT_EQ(r.Button->toolTip(), r.Hint);
        EXPECT_TRUE(r.Button->Blur());
        vxtest::Click(r.Button);
        EXPECT_EQ(steps.back(), r.Tag) << r.Hint;
    }
    EXPECT_EQ(steps.size(), 13u);
}

TEST_F(TuningStrip, SplitOffsetShowsBMinusA)
{
    TTuningPanel3 s;
    const struct {
        int32_t B;
        const char* Text;
    } rows[] = {{14205000, "  +5.00"}, {14195000, "  -5.00"}, {15450000, "+999.99"}, {14200000, "   0.00"}};
    s.SetFrequencyA(14200000);
    for (const auto& r : rows) {
        s.SetFrequencyB(r.B);
        EXPECT_EQ(s.QSXLabel2->Caption(), r.Text) << r.B;
    }
    // The operator tuning VFO B on the ruler changes it too, and the strip reports it.
    std::vector<std::pair<TVFO, int32_t>> changes;
    s.OnFrequencyChange = [&](TVFO vfo, int32_t f) { changes.emplace_back(vfo, f); };
    s.SetFrequencyA(7000000);
    s.SetFrequencyB(7000000);
    vxtest::MousePress(s.Slider, {200, 30});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(vfoB, int32_t(7001700)));
    EXPECT_EQ(s.FrequencyB(), 7001700);
    EXPECT_EQ(s.QSXLabel2->Caption(), "  +1.70");
}

TEST_F(TuningStrip, BandwidthStepsThroughTheResolutionTable)
{
    TTuningPanel3 s;
    PanelWidth(s);
    const char* up[] = {"6 kHz", "10 kHz", "30 kHz", "60 kHz", "160 kHz", "320 kHz", "320 kHz", "320 kHz"};
    for (const char* text : up) {
        vxtest::Click(s.BandwidthUpButton);
        EXPECT_EQ(s.BandWidthLabel->Caption(), text);
    }
    EXPECT_EQ(s.ResolutionIndex(), 8);
    EXPECT_EQ(s.Slider->Resolution(), 1000);
    EXPECT_EQ(s.Bandwidth(), 329000);
    for (int i = 0; i < 9; ++i)
        vxtest::Click(s.BandwidthDownButton);
    EXPECT_EQ(s.BandWidthLabel->Caption(), "320 Hz");
    EXPECT_EQ(s.Slider->Resolution(), 1);
    EXPECT_TRUE(s.IsFocused());
}

TEST_F(TuningStrip, NewBandwidthKeepsTheKeysStepFromVFOB)
{
    // After the scale changes, one key step moves VFO B by one pixel of the new scale, not
    // from where the old scale had the position.
    TTuningPanel3 s;
    PanelWidth(s);
    s.SetFrequencyB(7001700);
    ASSERT_EQ(s.Slider->PositionX(), 200);
    std::vector<int32_t> tuned;
    s.OnFrequencyChange = [&](TVFO, int32_t f) { tuned.push_back(f); };
    s.BandwidthUp();
    EXPECT_EQ(s.Slider->PositionX(), s.Slider->MarkerXB());
    vxtest::KeyPress(s.Slider, Qt::Key_Right);
    ASSERT_EQ(tuned.size(), 1u);
    EXPECT_EQ(tuned[0], 7001720);
}

TEST_F(TuningStrip, ButtonClicksFocusTheStrip)
{
    TTuningPanel3 s;
    int splits = 0;
    std::vector<int> steps;
    s.OnSplit = [&] { ++splits; };
    s.OnSplitClick = [&](int32_t v) { steps.push_back(v); };
    vxtest::Click(s.SplitUp5);
    EXPECT_EQ(steps, std::vector<int>{5});
    EXPECT_TRUE(s.IsFocused());
    EXPECT_TRUE(s.VFOButton->Down());
    EXPECT_TRUE(s.BandwidthUpButton->IsFocused());
    EXPECT_EQ(s.BandWidthLabel->FontColor(), bandmap::clBright);
    s.SetIsFocused(false);
    EXPECT_FALSE(s.VFOButton->Down());
    EXPECT_EQ(s.BandWidthLabel->FontColor(), bandmap::clDim);
    vxtest::Click(s.SplitButton);
    EXPECT_EQ(splits, 1);
    EXPECT_TRUE(s.IsFocused());
    EXPECT_FALSE(s.SplitButton->Down()); // down only when the radio reports split
    s.SetSplit(true);
    EXPECT_TRUE(s.SplitButton->Down());
    EXPECT_TRUE(s.Slider->Split());
}

TEST_F(TuningStrip, TunedVFOAndTheClarifier)
{
    TTuningPanel3 s;
    std::vector<int32_t> clar;
    s.OnClarifierChange = [&](int32_t d) { clar.push_back(d); };
    s.SetTuningControl(tcClarifier);
    EXPECT_EQ(s.VFOButton->Caption(), "CLAR");
    EXPECT_EQ(s.VFOButton->toolTip(), "Tune Clarifier");
    EXPECT_TRUE(s.Clarifier->isVisibleTo(&s));
    EXPECT_FALSE(s.Slider->isVisibleTo(&s));
    s.SetClarifierOffset(120);
    EXPECT_EQ(s.Clarifier->ClarifierOffset(), 120);
    vxtest::MousePress(s.Clarifier, {s.Clarifier->MarkerX() + 30, 30});
    EXPECT_EQ(clar, std::vector<int32_t>{30});

    vxtest::Click(s.VFOButton);
    EXPECT_EQ(s.TuningControl(), tcVFOA);
    EXPECT_EQ(s.VFOButton->Caption(), "VFO A");
    EXPECT_EQ(s.VFOButton->toolTip(), "Tune VFO A");
    EXPECT_EQ(s.Slider->VFO(), vfoA);
    EXPECT_TRUE(s.Slider->isVisibleTo(&s));
    EXPECT_FALSE(s.Clarifier->isVisibleTo(&s));
    EXPECT_TRUE(s.IsFocused());
    vxtest::Click(s.VFOButton);
    EXPECT_EQ(s.TuningControl(), tcVFOB);
    EXPECT_EQ(s.Slider->VFO(), vfoB);
}

TEST_F(TuningStrip, BandPlanOfVFOBFromTheSpotEngine)
{
    TDXSpots spots;
    const TBandSegment none{};
    const TBandSegment m20 = spots.DXBandplan().GetBandSegment(bd20);
    ASSERT_NE(m20, none);

    TTuningPanel3 s;
    s.SetBandB(bd20);
    EXPECT_EQ(s.Slider->BandSegment(), none); // no engine yet
    s.SetDXSpots(&spots);
    EXPECT_EQ(s.Slider->BandSegment(), m20);
    s.SetBandB(bdAll);
    EXPECT_EQ(s.Slider->BandSegment(), m20);
    s.SetBandB(bd40);
    EXPECT_EQ(s.Slider->BandSegment(), spots.DXBandplan().GetBandSegment(bd40));

    TTuningPanel3 all;
    all.SetBandB(bdAll);
    all.SetDXSpots(&spots);
    EXPECT_EQ(all.Slider->BandSegment(), none);
}

TEST_F(TuningStrip, KeyboardFocusEntersAndLeavesTheStrip)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* strip = new TTuningPanel3;
    auto* other = new QLineEdit;
    layout->addWidget(strip);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    other->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(other->hasFocus());
    EXPECT_FALSE(strip->IsFocused());
    strip->Slider->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(strip->IsFocused());
    EXPECT_TRUE(strip->Slider->Selected());
    EXPECT_TRUE(strip->VFOButton->Down());
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(strip->IsFocused());
    EXPECT_FALSE(strip->Slider->Selected());
    // Destroying the strip while it holds the focus is quiet.
    strip->Slider->setFocus();
    delete strip;
    EXPECT_TRUE(true);
}

TEST_F(TuningStrip, RendersBandPlanMarkersSplitAndClarifier)
{
    TDXSpots spots;
    const auto make = [&](bool split, TTuningControlType control) {
        auto s = std::make_unique<TTuningPanel3>();
        PanelWidth(*s);
        s->SetDXSpots(&spots);
        s->SetBandB(bd20);
        for (int i = 0; i < 5; ++i)
            s->BandwidthUp(); // 500 Hz per pixel: CW, digital and phone in view
        s->SetFrequencyA(14025000);
        s->SetFrequencyB(14139500); // the scale then starts at 13.990 MHz
        s->SetFrequencyB(14074000);
        s->SetSplit(split);
        s->SetIsFocused(split);
        s->SetClarifierOffset(120);
        s->SetTuningControl(control);
        return s;
    };
    auto plain = make(false, tcVFOB);
    auto split = make(true, tcVFOB);
    auto clar = make(false, tcClarifier);
    auto near = std::make_unique<TTuningPanel3>();
    PanelWidth(*near);
    near->SetFrequencyA(7001000);
    near->SetFrequencyB(7002200);

    TTuningPanelSlider* sl = plain->Slider;
    ASSERT_TRUE(sl->MarkerAShown());
    const int xA = sl->MarkerXA();
    const int xB = sl->MarkerXB();
    ASSERT_GT(xB - xA, 20);

    for (qreal ratio : {1.0, 2.0}) {
        const QImage p = Render(*plain, ratio);
        const QImage q = Render(*split, ratio);
        const QImage c = Render(*clar, ratio);
        const QImage n = Render(*near, ratio);
        // Without split A transmits (red) and B is green; with split the other way round.
        EXPECT_EQ(Logical(p, xA, 26 + 24), Shade(0x0033CC)) << ratio;
        EXPECT_EQ(Logical(p, xB, 26 + 24), Shade(0x60FF60)) << ratio;
        EXPECT_EQ(Logical(q, xA, 26 + 24), Shade(0x60FF60)) << ratio;
        EXPECT_EQ(Logical(q, xB, 26 + 24), Shade(0x0033CC)) << ratio;
        EXPECT_EQ(Logical(c, clar->Clarifier->MarkerX(), 26 + 24), Shade(0x60FF60)) << ratio;
        // The rails and the CW segment of the band plan.
        EXPECT_EQ(Logical(p, 5, 26 + 21), Shade(0xFCDB83)) << ratio;
        EXPECT_EQ(Logical(p, sl->MarkerXA() + 10, 26 + 26), Shade(BandSegmentColors[0])) << ratio;

        const int gap = 6;
        QImage sheet(QSize(359, 4 * 98 + 3 * gap) * ratio, QImage::Format_RGB32);
        sheet.setDevicePixelRatio(ratio);
        sheet.fill(QColor(0x41, 0x41, 0x41));
        {
            QPainter painter(&sheet);
            int y = 0;
            for (const QImage* img : {&n, &p, &q, &c}) {
                painter.drawImage(QPoint(0, y), *img);
                y += 98 + gap;
            }
        }
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                ASSERT_NE(sheet.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
        EXPECT_TRUE(SaveArtifact(sheet, ratio == 1.0 ? "control-tuningstrip.png" : "control-tuningstrip-2x.png"));
    }
}
