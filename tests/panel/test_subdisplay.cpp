// The FT DX 5000 sub display: what it reads from the engine for each mode and VFO, how it
// prints it, the transient text's 5 s, its fixed size, and the offscreen render (with the sub
// receiver's frequency readout beside them).
#include "PanelTestUtils.h"
#include "core/cat/RX.h"
#include "core/cat/VRF.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTxSubdisplay.h"
#include "tests/core/CATFixture.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>

namespace {

// Columns of the render holding lit pixels, and the brightest blue found.
struct Ink {
    int Left = -1, Right = -1, MaxBlue = 0;
};

Ink InkOf(const QImage& img, int fromX = 0, int toX = -1)
{
    Ink ink;
    if (toX < 0)
        toX = img.width();
    for (int x = fromX; x < toX; ++x)
        for (int y = 0; y < img.height(); ++y) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() < 40)
                continue;
            if (ink.Left < 0)
                ink.Left = x;
            ink.Right = x;
            ink.MaxBlue = std::max(ink.MaxBlue, c.blue());
        }
    return ink;
}

class Subdisplay : public CATFixture {
protected:
    void SetUp() override
    {
        CATFixture::SetUp();
        setModel(FTDX5000);
    }
    TRX& rx() { return *cat->RX(); }
    // The text the display prints for its mode, from what it read.
    static QString Shown(const TFTxSubdisplay& d) { return subdisplay::ValueText(d.DisplayMode(), d.Position()); }
};

} // namespace

TEST_F(Subdisplay, ReadsEachModeOfItsOwnVFO)
{
    const struct {
        const char* Name;
        TDisplayMode Mode;
        TVFO VFO;
        std::function<void(TRX&)> State;
        const char* Caption;
        const char* Text;
        bool On;
    } rows[] = {
        {"shift 0", dpmShift, vfoA, [](TRX&) {}, "SHIFT", "0 Hz", true},
        {"shift +50", dpmShift, vfoA, [](TRX& r) { r.SetIFShiftA(50); }, "SHIFT", "+50 Hz", true},
        {"shift -50", dpmShift, vfoB, [](TRX& r) { r.SetIFShiftB(-50); }, "SHIFT", "-50 Hz", true},
        {"contour 15 off", dpmContour, vfoA, [](TRX&) {}, "CONT", "1500 Hz", false},
        {"contour on", dpmContour, vfoB, [](TRX& r) { r.SetContourB(conOn); }, "CONT", "1500 Hz", true},
        {"APF code 25", dpmAPF, vfoA, [](TRX& r) { r.SetContourA(conAPF); }, "APF", "0 Hz", true},
        {"APF code 30", dpmAPF, vfoB, [](TRX& r) { r.SetAPFOffsetB(30); }, "APF", "+50 Hz", false},
        {"APF code 20", dpmAPF, vfoA, [](TRX& r) { r.SetAPFOffsetA(20); }, "APF", "-50 Hz", false},
        {"notch 150 off", dpmNotch, vfoA, [](TRX&) {}, "NOTCH", "1500 Hz", false},
        {"notch on", dpmNotch, vfoB, [](TRX& r) { r.SetNotchB(true); }, "NOTCH", "1500 Hz", true},
        {"width", dpmWidth, vfoB, [](TRX& r) { r.SetFilterWidthFrequency(1, 1800); }, "WIDTH", "1800 Hz", true},
        {"DNR 5 on", dpmDNR, vfoA,
         [](TRX& r) {
             r.SetNoiseReductionLevelA(5);
             r.SetNoiseReductionA(true);
         },
         "DNR", "05", true},
        {"VRF", dpmVRF, vfoB,
         [this](TRX& r) {
             r.VRF()->SetPositionB(140);
             received(); // each preselector value is one answer
             r.VRF()->SetStateB(vrfStateOn);
         },
         "VRF", "140", true},
        // The other receiver's state is not this display's.
        {"shift of B on A", dpmShift, vfoA, [](TRX& r) { r.SetIFShiftB(300); }, "SHIFT", "0 Hz", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        fresh();
        setModel(FTDX5000);
        received([&] { r.State(*cat->RX()); });
        TFTxSubdisplay d;
        d.SetVFO(r.VFO);
        d.SetFTCATInterface(cat.get());
        d.SetDisplayMode(dpmNone);
        d.SetDisplayMode(r.Mode);
        EXPECT_EQ(subdisplay::Caption(d.DisplayMode()), QString::fromLatin1(r.Caption));
        EXPECT_EQ(Shown(d), QString::fromLatin1(r.Text));
        EXPECT_EQ(d.On(), r.On);
    }
}

TEST_F(Subdisplay, AFreshDisplayShowsTheWidthDimAndKeepsItsSize)
{
    QWidget owner;
    auto* d = new TFTxSubdisplay(&owner);
    EXPECT_EQ(d->DisplayMode(), dpmWidth);
    EXPECT_EQ(Shown(*d), "0 Hz");
    EXPECT_FALSE(d->On());
    EXPECT_EQ(d->focusPolicy(), Qt::NoFocus);
    // Caption on the left, value on the right, both in the dim colour only.
    const QImage img = RenderWidget(*d);
    const Ink caption = InkOf(img, 0, 56);
    const Ink value = InkOf(img, 56);
    // The glyphs' own side bearings may leave a pixel.
    EXPECT_NEAR(caption.Left, 6, 1);
    EXPECT_NEAR(value.Right, 113 - 6 - 1, 1);
    EXPECT_LE(std::max(caption.MaxBlue, value.MaxBlue), BGRColor(subdisplay::clDim).blue());
    EXPECT_GT(caption.MaxBlue, 100);

    // Any way of resizing leaves it 113 x 27.
    d->resize(300, 80);
    EXPECT_EQ(d->size(), QSize(113, 27));
    d->setGeometry(5, 5, 10, 10);
    EXPECT_EQ(d->size(), QSize(113, 27));
    auto* layout = new QHBoxLayout(&owner);
    layout->addWidget(d);
    owner.resize(600, 200);
    owner.show();
    EXPECT_EQ(d->size(), QSize(113, 27));
}

TEST_F(Subdisplay, TheWidestCaptionAndValueFitWithoutTouching)
{
    const QFontMetrics fm(TFTxSubdisplay::DisplayFont());
    const struct {
        TDisplayMode Mode;
        int Widest;
    } rows[] = {{dpmVRF, 255},     {dpmShift, -1000}, {dpmShift, 1000}, {dpmContour, 4000},
                {dpmAPF, -250},    {dpmNotch, 4000},  {dpmWidth, 4000}, {dpmDNR, 15}};
    for (const auto& r : rows) {
        const int used = fm.horizontalAdvance(subdisplay::Caption(r.Mode)) +
                         fm.horizontalAdvance(subdisplay::ValueText(r.Mode, r.Widest));
        EXPECT_LE(used + 12 + 6, TFTxSubdisplay::DisplayWidth) << subdisplay::ValueText(r.Mode, r.Widest).toStdString();
    }
    EXPECT_LE(fm.height(), TFTxSubdisplay::DisplayHeight);
}

TEST_F(Subdisplay, TakesTheFirstEngineOnlyAndReadsOnlyOnAModeChange)
{
    TFTCATInterface other;
    other.SetTransceiver(FTDX5000);
    TFTxSubdisplay d;
    d.SetFTCATInterface(nullptr); // not an engine: the first real one still counts
    d.SetFTCATInterface(cat.get());
    d.SetFTCATInterface(&other);
    EXPECT_EQ(d.FTCATInterface(), cat.get());

    received([&] { rx().SetIFShiftA(120); });
    d.SetDisplayMode(dpmShift);
    EXPECT_EQ(d.Position(), 120);
    // The same mode again reads nothing; UpdateDisplay does.
    received([&] { rx().SetIFShiftA(-30); });
    d.SetDisplayMode(dpmShift);
    EXPECT_EQ(d.Position(), 120);
    d.UpdateDisplay();
    EXPECT_EQ(d.Position(), -30);
    // dpmNone keeps the last values.
    d.SetDisplayMode(dpmNone);
    EXPECT_EQ(d.Position(), -30);
    EXPECT_TRUE(d.On());
}

TEST_F(Subdisplay, ATransientTextShowsFiveSecondsFromItsFirstWrite)
{
    TFTxSubdisplay a, b;
    b.SetVFO(vfoB);
    a.SetDisplayText(QStringLiteral("POWER"));
    b.SetDisplayText(QStringLiteral("100W"));
    EXPECT_TRUE(a.ShowingText());

    // A is drawn from the left edge, B ends 6 pixels before the right one; both bright.
    const Ink left = InkOf(RenderWidget(a));
    const Ink right = InkOf(RenderWidget(b));
    EXPECT_NEAR(left.Left, 6, 1);
    EXPECT_NEAR(right.Right, 113 - 6 - 1, 1);
    EXPECT_GT(left.MaxBlue, BGRColor(subdisplay::clDim).blue());

    // A second write replaces the text but not the time.
    vx::Clock::advance(3000);
    b.SetDisplayText(QStringLiteral("50W"));
    EXPECT_EQ(b.DisplayText(), "50W");
    vx::Clock::advance(1999);
    EXPECT_TRUE(b.ShowingText());
    vx::Clock::advance(1);
    EXPECT_FALSE(a.ShowingText());
    EXPECT_FALSE(b.ShowingText());
    // Back to the function view: the dim width on the right of B.
    EXPECT_NEAR(InkOf(RenderWidget(b), 56).Right, 113 - 6 - 1, 1);
    EXPECT_LE(InkOf(RenderWidget(b)).MaxBlue, BGRColor(subdisplay::clDim).blue());
}

TEST_F(Subdisplay, SavesTheRenderAtBothPixelRatios)
{
    connect();
    received([&] {
        rx().SetIFShiftA(-250);
        rx().SetNotchB(true);
        rx().SetNotchLevelB(125);
        rx().SetContourA(conAPF);
        rx().SetAPFOffsetA(33);
        rx().SetFilterWidthFrequency(0, 2400);
        rx().SetNoiseReductionLevelB(7);
    });
    const struct {
        TDisplayMode Mode;
        TVFO VFO;
        const char* Text;
    } cells[] = {{dpmShift, vfoA, nullptr}, {dpmNotch, vfoB, nullptr},   {dpmAPF, vfoA, nullptr},
                 {dpmDNR, vfoB, nullptr},   {dpmWidth, vfoA, nullptr},   {dpmContour, vfoB, nullptr},
                 {dpmWidth, vfoA, "POWER"}, {dpmWidth, vfoB, "100W"}};
    QWidget sheet;
    sheet.resize(2 * 113 + 3 * 6, 4 * 27 + 5 * 6 + 29 + 6);
    QPalette pal = sheet.palette();
    pal.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2c));
    sheet.setPalette(pal);
    sheet.setAutoFillBackground(true);
    for (int i = 0; i < int(std::size(cells)); ++i) {
        auto* d = new TFTxSubdisplay(&sheet);
        d->move(6 + (i % 2) * (113 + 6), 6 + (i / 2) * (27 + 6));
        d->SetVFO(cells[i].VFO);
        d->SetFTCATInterface(cat.get());
        d->SetDisplayMode(dpmNone);
        d->SetDisplayMode(cells[i].Mode);
        if (cells[i].Text)
            d->SetDisplayText(QString::fromLatin1(cells[i].Text));
    }
    // Under them the sub receiver's frequency readout, which sits beside them on the face.
    auto* readout = new TFTPanelFrequency(&sheet);
    readout->SetDisplayType(dtFT5K_B);
    readout->SetFrequency(7074000);
    readout->move(6, 6 + 4 * (27 + 6));
    for (const qreal ratio : {1.0, 2.0}) {
        QImage img(sheet.size() * ratio, QImage::Format_RGB32);
        img.setDevicePixelRatio(ratio);
        sheet.render(&img);
        EXPECT_TRUE(SaveArtifact(img, ratio == 1.0 ? QStringLiteral("control-subdisplay.png")
                                                   : QStringLiteral("control-subdisplay@2x.png")));
    }
}
