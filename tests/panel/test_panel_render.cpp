// Offscreen renders of each model's LCD in a busy state and of each meter face, saved as PNG
// files in the build folder for a person to look at.
#include "PanelTestUtils.h"
#include "panel/widgets/FTxBargraph.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"

#include <gtest/gtest.h>

namespace {

void Busy(lcd::TDisplay& d)
{
    d.SetAGCA(agcAutoFast);
    d.SetAGCB(agcSlow);
    d.SetAntennaA(ant2);
    d.SetAntennaB(ant3);
    d.SetAntennaRXA(true);
    d.SetAntennaTuner(atOn);
    d.SetAttenuatorA(att6dB);
    d.SetAttenuatorB(att12dB);
    d.SetBargraph(QStringLiteral("108"));
    d.SetBreakIn(true);
    d.SetBusyA(true);
    d.SetClarifier(true);
    d.SetContour(conOn);
    d.SetContourLevel(20);
    d.SetContourGain(10);
    d.SetDNR(true);
    d.SetFastStepA(true);
    d.SetFilterWidthBars(7);
    d.SetIFShift(150);
    d.SetIPOA(ipoAmp2);
    d.SetIPOB(ipo1);
    d.SetKeyer(true);
    d.SetNotchA(true);
    d.SetNotchLevelA(250);
    d.SetModeA(mdUSB);
    d.SetModeB(mdCW);
    d.SetNarrowA(true);
    d.SetNoiseBlankerA(nbOn);
    d.SetNoiseBlankerB(nbWide);
    d.SetProcessor(true);
    d.SetRIMicEq(true);
    d.SetRoofingFilterA(rfltAuto6kHz);
    d.SetRoofingFilterB(rflt15kHz);
    d.SetSMeterValueB(150);
    d.SetVFOMemoryMode(vmMemoryMode);
    d.SetVRFStateA(vrfStateOn);
    d.SetVRFStateB(vrfStateOn);
}

} // namespace

TEST(PanelRender, SavesEachModelsLCDInABusyState)
{
    const struct {
        TTransceiver Model;
        const char* File;
    } models[] = {{FT2000, "lcd-ft2000.png"}, {FT950, "lcd-ft950.png"}, {FTDX5000, "lcd-ftdx5000.png"}};
    for (const auto& m : models) {
        lcd::TFTxDisplay display;
        display.SetTransceiver(m.Model);
        Busy(display.Display());
        const QImage img = RenderWidget(display);
        EXPECT_TRUE(SaveArtifact(img, QString::fromLatin1(m.File))) << m.File;
        // Nothing is left unpainted and the state shows: the PROC box is lit red.
        EXPECT_EQ(img.size(), display.size());
        const lcd::TLcdRect proc = lcd::Position(0, display.ModelIdx());
        EXPECT_EQ(PixelName(img, proc.Left, proc.Top), BGRName(lcd::clTransmitRed)) << m.File;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_NE(img.pixel(x, y), QColor(Qt::magenta).rgb()) << m.File << " " << x << "," << y;
    }
}

TEST(PanelRender, SavesEachMeterFace)
{
    const struct {
        TTransceiver Model;
        bool Digital;
        bool Transmitting;
        TMeterSwitch Switch;
        const char* File;
    } faces[] = {
        {FT2000, true, false, mtSWR, "meter-ft2000-digital.png"},
        {FT2000, false, false, mtSWR, "meter-ft2000-analog.png"},
        {FT2000, true, true, mtALC, "meter-ft2000-digital-alc.png"},
        {FT2000, true, true, mtCOMP, "meter-ft2000-digital-comp.png"},
        {FT2000, true, true, mtPO, "meter-ft2000-digital-po.png"},
        {FT2000, true, false, mtID, "meter-ft2000-digital-id.png"},
        {FT2000, true, false, mtVDD, "meter-ft2000-digital-vdd.png"},
        {FT950, true, false, mtSWR, "meter-ft950.png"},
        {FT950, true, true, mtPO, "meter-ft950-tx.png"},
        {FTDX5000, true, false, mtSWR, "meter-ftdx5000-digital.png"},
        {FTDX5000, false, false, mtSWR, "meter-ftdx5000-analog.png"},
        {FTDX5000, true, true, mtPO, "meter-ftdx5000-digital-po.png"},
    };
    for (const auto& f : faces) {
        TFTxMeter2 meter;
        meter.SetTransceiver(f.Model);
        meter.SetDigitalMeter(f.Digital);
        meter.SetMeterSwitch(f.Switch);
        meter.SetTransmitting(f.Transmitting);
        if (f.Transmitting) {
            meter.SetSMeterValue(190);
            meter.SetMeterValue(f.Switch == mtPO ? 200 : 120);
        } else {
            meter.SetMeterValue(f.Switch == mtVDD ? 180 : 20);
            meter.SetSMeterValue(170);
        }
        const QImage img = RenderWidget(meter);
        EXPECT_TRUE(SaveArtifact(img, QString::fromLatin1(f.File))) << f.File;
    }
}
