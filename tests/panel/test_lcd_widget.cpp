// The LCD widget: sizes per model, every indicator's lit and dim colour in an offscreen render,
// which area a state change repaints, the DSP rows and the click events.
#include "PanelTestUtils.h"
#include "panel/widgets/FTxBargraph.h"
#include "panel/widgets/FTxDisplay.h"
#include "tests/support/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <gtest/gtest.h>
#include <functional>
#include <map>

using namespace lcd;

namespace {

const char* ModelName(int m)
{
    static const char* const names[] = {"FT-2000", "FT-950", "FT DX 5000"};
    return names[m];
}

TTransceiver ModelOf(int m)
{
    return m == 0 ? FT2000 : (m == 1 ? FT950 : FTDX5000);
}

// Records the areas the LCD repaints.
class TPaintSpy : public TFTxDisplay {
public:
    QRegion Painted;
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        Painted += event->region();
        ++Paints;
        TFTxDisplay::paintEvent(event);
    }
};

void ProcessEvents()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// A shown LCD that has had its first full paint.
void ShowAndSettle(TPaintSpy& spy)
{
    spy.show();
    QElapsedTimer t;
    t.start();
    while (spy.Paints == 0 && t.elapsed() < 2000)
        ProcessEvents();
    ProcessEvents();
    spy.Painted = QRegion();
    spy.Paints = 0;
}

void SendMouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent e(type, QPointF(pos), QPointF(w.mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

QPoint Inside(int id, int model)
{
    const TLcdRect r = Position(id, model);
    return {r.Left + 1, r.Top + 1};
}

} // namespace

TEST(LcdWidget, TakesEachModelsSizeAndPlacesItsBargraphs)
{
    TFTxDisplay lcd;
    EXPECT_EQ(lcd.size(), QSize(558, 87));
    EXPECT_EQ(lcd.Transceiver(), FT2000);
    const struct {
        TTransceiver Model;
        QSize Size;
        int Index;
        bool SubMeter;
        TBargraphType SubKind;
        QPoint SubAt, OffsetAt;
    } cases[] = {
        {FTDX5000, {472, 95}, 2, true, btSMeterB5K, {18, 58}, {329, 77}},
        {FT950, {565, 87}, 1, false, btSMeterB5K, {18, 58}, {357, 77}},
        {FT2000D, {558, 87}, 0, true, btSMeterB, {409, 13}, {224, 67}},
        {FT2000, {558, 87}, 0, true, btSMeterB, {409, 13}, {224, 67}},
    };
    for (const auto& c : cases) {
        lcd.SMeterB()->SetMeterValue(99);
        lcd.SetTransceiver(c.Model);
        EXPECT_EQ(lcd.size(), c.Size) << int(c.Model);
        EXPECT_EQ(lcd.ModelIdx(), c.Index);
        EXPECT_EQ(lcd.SMeterB()->isVisibleTo(&lcd), c.SubMeter) << int(c.Model);
        EXPECT_EQ(lcd.SMeterB()->BargraphType(), c.SubKind) << int(c.Model);
        if (c.SubMeter) {
            EXPECT_EQ(lcd.SMeterB()->pos(), c.SubAt);
        }
        EXPECT_EQ(lcd.BargraphMeter()->pos(), c.OffsetAt);
        EXPECT_EQ(lcd.BargraphMeter()->BargraphType(), btBargraph);
        EXPECT_EQ(lcd.SMeterB()->MeterValue(), 0) << "a model change zeroes the sub meter";
    }
}

TEST(LcdWidget, EveryIndicatorShowsItsLitAndDimColour)
{
    using TSet = std::function<void(lcd::TDisplay&)>;
    struct TIndicator {
        TSet Lit;
        TSet Unlit; // null: always lit
        std::array<uint32_t, 3> Colors;
    };
    const auto all = [](uint32_t c) { return std::array<uint32_t, 3>{c, c, c}; };
    const uint32_t G = clLitGreen, R = clTransmitRed, B = clLabelBlue, S = clSubGrey;
    std::map<int, TIndicator> table = {
        {0, {[](lcd::TDisplay& d) { d.SetProcessor(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {1, {[](lcd::TDisplay& d) { d.SetMonitor(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {2, {[](lcd::TDisplay& d) { d.SetKeyer(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {3, {[](lcd::TDisplay& d) { d.SetBreakIn(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {4, {[](lcd::TDisplay& d) { d.SetNarrowA(true); }, [](lcd::TDisplay&) {}, all(G)}},
        {5, {[](lcd::TDisplay& d) { d.SetNarrowB(true); }, [](lcd::TDisplay&) {}, all(S)}},
        {6, {[](lcd::TDisplay& d) { d.SetNoiseBlankerA(nbOn); }, [](lcd::TDisplay&) {}, all(G)}},
        {7, {[](lcd::TDisplay& d) { d.SetNoiseBlankerB(nbWide); }, [](lcd::TDisplay&) {}, all(S)}},
        {8, {[](lcd::TDisplay& d) { d.SetFastStepA(true); }, [](lcd::TDisplay&) {}, all(B)}},
        {9, {[](lcd::TDisplay& d) { d.SetFastStepB(true); }, [](lcd::TDisplay&) {}, all(S)}},
        {10, {[](lcd::TDisplay& d) { d.SetLockA(true); }, [](lcd::TDisplay&) {}, all(B)}},
        {11, {[](lcd::TDisplay& d) { d.SetLockB(true); }, [](lcd::TDisplay&) {}, all(S)}},
        {12, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetAntennaA(ant2); }, all(G)}},
        {13, {[](lcd::TDisplay& d) { d.SetAntennaA(ant2); }, [](lcd::TDisplay&) {}, all(G)}},
        {16, {[](lcd::TDisplay& d) { d.SetAntennaRXA(true); }, [](lcd::TDisplay&) {}, all(G)}},
        {23, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetAttenuatorA(att6dB); }, all(G)}},
        {24, {[](lcd::TDisplay& d) { d.SetAttenuatorA(att6dB); }, [](lcd::TDisplay&) {}, all(G)}},
        {25, {[](lcd::TDisplay& d) { d.SetAttenuatorA(att12dB); }, [](lcd::TDisplay&) {}, all(G)}},
        {26, {[](lcd::TDisplay& d) { d.SetAttenuatorA(att18dB); }, [](lcd::TDisplay&) {}, all(G)}},
        {31, {[](lcd::TDisplay& d) { d.SetVRFStateA(vrfStateOn); }, [](lcd::TDisplay&) {}, all(G)}},
        {32, {[](lcd::TDisplay& d) { d.SetVRFStateA(vrfStateOn), d.SetVRFTypeA(vrfuTuneTypeOn); },
              [](lcd::TDisplay& d) { d.SetVRFTypeA(vrfuTuneTypeOn); }, all(G)}},
        {33, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetVRFStateA(vrfStateOn); }, all(G)}},
        {36, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetIPOA(ipoAmp2); }, all(G)}},
        {37, {[](lcd::TDisplay& d) { d.SetIPOA(ipoAmp2); }, [](lcd::TDisplay&) {}, all(G)}},
        {38, {[](lcd::TDisplay& d) { d.SetIPOA(ipo1); }, [](lcd::TDisplay&) {}, all(G)}},
        {43, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetRoofingFilterA(rflt3kHz); }, all(G)}},
        {46, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetRoofingFilterA(rfltAuto); }, all(G)}},
        {47, {[](lcd::TDisplay& d) { d.SetRoofingFilterA(rflt6kHz); }, [](lcd::TDisplay&) {}, all(G)}},
        {48, {[](lcd::TDisplay& d) { d.SetRoofingFilterA(rfltAuto15kHz); }, [](lcd::TDisplay&) {}, all(G)}},
        {53, {[](lcd::TDisplay& d) { d.SetAGCA(agcAutoSlow); }, [](lcd::TDisplay& d) { d.SetAGCA(agcSlow); }, all(G)}},
        {54, {[](lcd::TDisplay& d) { d.SetAGCA(agcFast); }, [](lcd::TDisplay& d) { d.SetAGCA(agcAuto); }, all(G)}},
        {55, {[](lcd::TDisplay& d) { d.SetAGCA(agcAutoMid); }, [](lcd::TDisplay& d) { d.SetAGCA(agcFast); }, all(G)}},
        {56, {[](lcd::TDisplay& d) { d.SetAGCA(agcSlow); }, [](lcd::TDisplay& d) { d.SetAGCA(agcMid); }, all(G)}},
        {57, {[](lcd::TDisplay& d) { d.SetAGCB(agcAuto); }, [](lcd::TDisplay&) {}, all(S)}},
        {58, {[](lcd::TDisplay& d) { d.SetAGCB(agcAutoFast); }, [](lcd::TDisplay&) {}, all(S)}},
        {59, {[](lcd::TDisplay& d) { d.SetAGCB(agcMid); }, [](lcd::TDisplay&) {}, all(S)}},
        {60, {[](lcd::TDisplay& d) { d.SetAGCB(agcSlow); }, [](lcd::TDisplay&) {}, all(S)}},
        {61, {[](lcd::TDisplay& d) { d.SetModeA(mdLSB); }, [](lcd::TDisplay&) {}, all(B)}},
        {62, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetModeA(mdAM); }, all(B)}},
        {63, {[](lcd::TDisplay& d) { d.SetModeA(mdCW_R); }, [](lcd::TDisplay& d) { d.SetModeA(mdUSB); }, all(B)}},
        {64, {[](lcd::TDisplay& d) { d.SetModeA(mdAM); }, [](lcd::TDisplay&) {}, all(B)}},
        {65, {[](lcd::TDisplay& d) { d.SetModeA(mdFM_N); }, [](lcd::TDisplay&) {}, all(B)}},
        {66, {[](lcd::TDisplay& d) { d.SetModeA(mdFSK); }, [](lcd::TDisplay&) {}, all(B)}},
        {67, {[](lcd::TDisplay& d) { d.SetModeA(mdPKT_L); }, [](lcd::TDisplay&) {}, all(B)}},
        {68, {[](lcd::TDisplay& d) { d.SetModeB(mdLSB); }, [](lcd::TDisplay&) {}, all(S)}},
        {69, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetModeB(mdAM); }, all(S)}},
        {70, {[](lcd::TDisplay&) {}, [](lcd::TDisplay& d) { d.SetModeB(mdUSB); }, all(S)}},
        {71, {[](lcd::TDisplay& d) { d.SetModeB(mdAM); }, [](lcd::TDisplay&) {}, all(S)}},
        {72, {[](lcd::TDisplay& d) { d.SetModeB(mdPKT_FM); }, [](lcd::TDisplay&) {}, all(S)}},
        {73, {[](lcd::TDisplay& d) { d.SetModeB(mdFSK_R); }, [](lcd::TDisplay&) {}, all(S)}},
        {74, {[](lcd::TDisplay& d) { d.SetModeB(mdPKT_U); }, [](lcd::TDisplay&) {}, all(S)}},
        {75, {[](lcd::TDisplay& d) { d.SetDNF(true); }, [](lcd::TDisplay&) {}, all(B)}},
        {76, {[](lcd::TDisplay& d) { d.SetDNR(true); }, [](lcd::TDisplay&) {}, all(B)}},
        {77, {[](lcd::TDisplay& d) { d.SetNoiseBlankerA(nbWide); }, [](lcd::TDisplay& d) { d.SetNoiseBlankerA(nbOn); }, all(G)}},
        {78, {[](lcd::TDisplay& d) { d.SetNoiseBlankerB(nbWide); }, [](lcd::TDisplay& d) { d.SetNoiseBlankerB(nbOn); }, all(S)}},
        {200, {[](lcd::TDisplay& d) { d.SetTXSetA(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {201, {[](lcd::TDisplay& d) { d.SetTXSetB(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {202, {[](lcd::TDisplay& d) { d.SetBusyA(true); }, [](lcd::TDisplay&) {}, all(G)}},
        {203, {[](lcd::TDisplay& d) { d.SetBusyB(true); }, [](lcd::TDisplay&) {}, all(G)}},
        {204, {[](lcd::TDisplay& d) { d.SetAntennaTuner(atStart); }, [](lcd::TDisplay&) {}, all(R)}},
        {205, {[](lcd::TDisplay& d) { d.SetRIClassA(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {206, {[](lcd::TDisplay& d) { d.SetRIHiSWR(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {207, {[](lcd::TDisplay& d) { d.SetRIMicEq(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {208, {[](lcd::TDisplay& d) { d.SetRIPlay(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {209, {[](lcd::TDisplay& d) { d.SetRIRec(true); }, [](lcd::TDisplay&) {}, all(R)}},
        {210, {[](lcd::TDisplay& d) { d.SetClarifier(true); }, [](lcd::TDisplay&) {}, {G, R, G}}},
        {211, {[](lcd::TDisplay& d) { d.SetVFOMemoryMode(vmMemoryMode); }, [](lcd::TDisplay& d) { d.SetVFOMemoryMode(vmMemoryTune); }, {G, R, R}}},
        {212, {[](lcd::TDisplay& d) { d.SetVFOMemoryMode(vmMemoryTune); }, [](lcd::TDisplay& d) { d.SetVFOMemoryMode(vmQMB); }, {G, R, R}}},
        {213, {[](lcd::TDisplay&) {}, nullptr, all(S)}},
        {214, {[](lcd::TDisplay&) {}, nullptr, all(B)}},
        {215, {[](lcd::TDisplay&) {}, nullptr, all(B)}},
        {216, {[](lcd::TDisplay&) {}, nullptr, all(B)}},
        {217, {[](lcd::TDisplay&) {}, nullptr, all(B)}},
        {218, {[](lcd::TDisplay&) {}, nullptr, all(B)}},
        {219, {[](lcd::TDisplay&) {}, nullptr, all(S)}},
    };

    for (int m = 0; m < ModelCount; ++m) {
        for (int id = 0; id <= 219; ++id) {
            const TLcdRect r = Position(id, m);
            if (!IsPositionId(id) || !r.OnModel() || r.IsOrigin())
                continue;
            const auto it = table.find(id);
            ASSERT_NE(it, table.end()) << "no case for indicator " << id << " on the " << ModelName(m);
            const TIndicator& ind = it->second;
            for (bool lit : {true, false}) {
                if (!lit && !ind.Unlit)
                    continue;
                TFTxDisplay lcd;
                lcd.SetTransceiver(ModelOf(m));
                (lit ? ind.Lit : ind.Unlit)(lcd.Display());
                const QImage img = RenderWidget(lcd);
                EXPECT_EQ(PixelName(img, r.Left, r.Top), BGRName(lit ? ind.Colors[size_t(m)] : clDim))
                    << "indicator " << id << (lit ? " lit" : " dim") << " on the " << ModelName(m);
            }
        }
    }
}

TEST(LcdWidget, AChangeRepaintsOnlyItsGroup)
{
    TPaintSpy lcd;
    ShowAndSettle(lcd);

    lcd.Display().SetProcessor(false);
    lcd.Display().SetModeA(mdCW); // also: the FT-2000 shows no main modes
    lcd.SetTransceiver(FT2000);
    lcd.Display().SetModeA(mdLSB);
    ProcessEvents();
    EXPECT_EQ(lcd.Paints, 0) << "equal values and groups the model lacks draw nothing";

    lcd.Display().SetBusyA(true);
    ProcessEvents();
    EXPECT_GE(lcd.Paints, 1);
    EXPECT_EQ(lcd.Painted.boundingRect(), GroupRect(TLcdGroup::BusyA, 0));

    lcd.Painted = QRegion();
    lcd.Display().SetKeyPitch(10);
    ProcessEvents();
    EXPECT_TRUE(lcd.Painted.contains(lcd.rect())) << "the key pitch repaints the whole LCD";

    lcd.SetTransceiver(FT950);
    ProcessEvents();
    lcd.Painted = QRegion();
    lcd.Paints = 0;
    lcd.Display().SetModeB(mdUSB);
    lcd.Display().SetAntennaB(ant2);
    lcd.Display().SetNarrowB(true);
    lcd.Display().SetSMeterValueB(200);
    ProcessEvents();
    EXPECT_EQ(lcd.Paints, 0) << "the FT-950 has no sub receiver indicators";
    EXPECT_EQ(lcd.SMeterB()->MeterValue(), 0);

    lcd.SetTransceiver(FTDX5000);
    ProcessEvents();
    lcd.Paints = 0;
    lcd.Display().SetContour(conAPF);
    lcd.Display().SetContourLevel(3);
    lcd.Display().SetNotchLevelA(10);
    lcd.Display().SetIFShift(300);
    lcd.Display().SetFilterWidthBars(2);
    ProcessEvents();
    EXPECT_EQ(lcd.Paints, 0) << "the FT DX 5000 has no DSP rows";
    EXPECT_EQ(lcd.Display().Contour(), conAPF);
}

TEST(LcdWidget, ContourRowIsDimAfterSwitchingOffAndBlackAfterAFullRepaint)
{
    TFTxDisplay lcd;
    const int x0 = DSPRowX0(0);
    // Each render is one paint of the whole LCD: the first after a state change shows it, a
    // further one stands for a full repaint (expose, resize).
    auto rowOf = [&](const QImage& img, int y) {
        QString s;
        for (int k = 0; k < DSPCellCount; ++k)
            s += img.pixel(x0 + 9 * k + 3, y) == BGRColor(clLitGreen).rgb() ? u'#'
                 : img.pixel(x0 + 9 * k + 3, y) == BGRColor(clDim).rgb()    ? u'-'
                                                                              : u' ';
        return s;
    };
    auto row = [&](int y) { return rowOf(RenderWidget(lcd), y); };
    // Both contour lines of one paint, "upper|lower".
    auto contour = [&] {
        const QImage img = RenderWidget(lcd);
        return rowOf(img, ContourUpperY) + u'|' + rowOf(img, ContourLowerY);
    };
    EXPECT_EQ(contour(), QStringLiteral("           |           ")) << "off at start: black";
    lcd.Display().SetContourGain(4);
    lcd.Display().SetContour(conOn); // level 15 -> peak at cell 4
    EXPECT_EQ(contour(), QStringLiteral("----#------|---###-----"));
    lcd.Display().SetContour(conOff);
    EXPECT_EQ(contour(), QStringLiteral("-----------|-----------")) << "switched off: erased dim";
    const QImage offImage = RenderWidget(lcd);
    EXPECT_TRUE(SaveArtifact(offImage, QStringLiteral("lcd-contour-off-repainted.png")));
    EXPECT_EQ(rowOf(offImage, ContourUpperY) + u'|' + rowOf(offImage, ContourLowerY),
              QStringLiteral("           |           "))
        << "a full repaint with the contour off leaves the row black";
    lcd.Display().SetContourLevel(20); // a group redraw while off draws nothing
    EXPECT_EQ(contour(), QStringLiteral("           |           "));

    lcd.Display().SetContour(conAPF); // key pitch 0 -> cell 1
    EXPECT_EQ(contour(), QStringLiteral("-#---------|###--------"));
    const QImage apfImage = RenderWidget(lcd);
    EXPECT_TRUE(SaveArtifact(apfImage, QStringLiteral("lcd-contour-apf-repainted.png")));
    EXPECT_EQ(rowOf(apfImage, ContourUpperY) + u'|' + rowOf(apfImage, ContourLowerY),
              QStringLiteral(" #         |###        "))
        << "a full repaint with APF draws only the APF cells";
    lcd.Display().SetContour(conOn);
    lcd.Display().SetContour(conAPF);
    lcd.Display().SetKeyPitch(14); // full repaint: only the APF cells, now at cell 3
    EXPECT_EQ(contour(), QStringLiteral("   #       |  ###      "));

    lcd.Display().SetNotchA(true);
    lcd.Display().SetNotchLevelA(-1);
    EXPECT_EQ(row(NotchUpperY), QStringLiteral("-----------"));
    lcd.Display().SetNotchLevelA(150); // position 4: a gap between cells 3 and 5
    EXPECT_EQ(row(NotchLowerY), QStringLiteral("---#-#-----"));
    lcd.Display().SetNotchA(false);
    EXPECT_EQ(row(NotchUpperY), QStringLiteral("           "));

    lcd.Display().SetIFShift(10000);
    EXPECT_EQ(row(ShiftRowY), QStringLiteral("-----#-----"));
    lcd.Display().SetFilterWidthBars(6);
    EXPECT_EQ(row(WidthRowY), QStringLiteral("---#####---"));
}

TEST(LcdWidget, AContourChangeWhileHiddenLeavesTheRowBlackAtTheFirstPaintOnShowing)
{
    // What the shown LCD really painted: the window's own pixels, not a render of it.
    const auto contourOnScreen = [](TPaintSpy& lcd) {
        const QImage img = lcd.screen()->grabWindow(lcd.winId()).toImage();
        const int x0 = DSPRowX0(lcd.ModelIdx());
        QString s;
        for (const int y : {ContourUpperY, ContourLowerY}) {
            for (int k = 0; k < DSPCellCount; ++k) {
                const QRgb c = img.pixel(x0 + 9 * k + 3, y);
                s += c == BGRColor(clLitGreen).rgb() ? u'#' : c == BGRColor(clDim).rgb() ? u'-' : u' ';
            }
            s += u'|';
        }
        return s;
    };
    const struct {
        TTransceiver Model;
        TContour Last;
        const char* Row;
    } cases[] = {
        {FT2000, conOff, "           |           |"},
        {FT950, conOff, "           |           |"},
        {FT2000, conAPF, " #         |###        |"}, // key pitch 0: cell 1, and nothing dim
        {FT950, conAPF, " #         |###        |"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(ModelName(ModelIndex(c.Model))) + (c.Last == conAPF ? " APF" : " off"));
        TPaintSpy lcd;
        lcd.SetTransceiver(c.Model);
        ShowAndSettle(lcd);
        lcd.hide();
        lcd.Display().SetContour(conOn);
        lcd.Display().SetContour(c.Last);
        lcd.show();
        ASSERT_TRUE(vxtest::waitUntil([&] { return lcd.Paints > 0; }));
        EXPECT_EQ(contourOnScreen(lcd), QString::fromLatin1(c.Row));
    }
}

TEST(LcdWidget, ClicksOnSwitchIndicatorsRaiseTheirEvents)
{
    TFTxDisplay lcd;
    std::map<QString, int> raised;
    auto count = [&raised](const char* name) { return [&raised, name] { ++raised[QString::fromLatin1(name)]; }; };
    lcd.OnProcessor = count("Processor");
    lcd.OnFastB = count("FastB");
    lcd.OnLockB = count("LockB");

    for (int m = 0; m < ModelCount; ++m) {
        lcd.SetTransceiver(ModelOf(m));
        raised.clear();
        const QPoint proc = Inside(0, m);
        SendMouse(lcd, QEvent::MouseMove, proc);
        EXPECT_EQ(lcd.HotRow(), 0);
        EXPECT_EQ(lcd.cursor().shape(), Qt::PointingHandCursor) << ModelName(m);
        SendMouse(lcd, QEvent::MouseButtonPress, proc, Qt::LeftButton);
        EXPECT_EQ(raised["Processor"], 0) << "only the release clicks";
        SendMouse(lcd, QEvent::MouseButtonRelease, proc, Qt::LeftButton);
        EXPECT_EQ(raised["Processor"], 1) << ModelName(m);

        // Pressed elsewhere, released over PROC: the hot row followed the mouse.
        SendMouse(lcd, QEvent::MouseMove, {2, lcd.height() - 2});
        EXPECT_EQ(lcd.HotRow(), -1);
        EXPECT_NE(lcd.cursor().shape(), Qt::PointingHandCursor);
        SendMouse(lcd, QEvent::MouseButtonPress, {2, lcd.height() - 2}, Qt::RightButton);
        SendMouse(lcd, QEvent::MouseMove, proc);
        SendMouse(lcd, QEvent::MouseButtonRelease, proc, Qt::RightButton);
        EXPECT_EQ(raised["Processor"], 2) << ModelName(m);
    }

    // The FT-2000's attenuator labels show the hand but raise nothing.
    lcd.SetTransceiver(FT2000);
    raised.clear();
    SendMouse(lcd, QEvent::MouseMove, Inside(24, 0));
    EXPECT_EQ(lcd.cursor().shape(), Qt::PointingHandCursor);
    SendMouse(lcd, QEvent::MouseButtonRelease, Inside(24, 0), Qt::LeftButton);
    EXPECT_TRUE(raised.empty());

    SendMouse(lcd, QEvent::MouseMove, Inside(9, 0));
    SendMouse(lcd, QEvent::MouseButtonRelease, Inside(9, 0), Qt::LeftButton);
    EXPECT_EQ(raised["FastB"], 1);

    lcd.SetTransceiver(FTDX5000);
    SendMouse(lcd, QEvent::MouseMove, Inside(11, 2));
    SendMouse(lcd, QEvent::MouseButtonRelease, Inside(11, 2), Qt::LeftButton);
    EXPECT_EQ(raised["LockB"], 1);

    // Unassigned events do nothing.
    SendMouse(lcd, QEvent::MouseMove, Inside(1, 2));
    SendMouse(lcd, QEvent::MouseButtonRelease, Inside(1, 2), Qt::LeftButton);
    EXPECT_EQ(raised.size(), 2u);
}

TEST(LcdWidget, BargraphTextAndSubMeterReachTheChildBargraphs)
{
    TFTxDisplay lcd;
    lcd.Display().SetBargraph(QStringLiteral("205"));
    EXPECT_EQ(lcd.BargraphMeter()->Bargraph(), QStringLiteral("205"));
    lcd.Display().SetSMeterValueB(130);
    EXPECT_EQ(lcd.SMeterB()->MeterValue(), 130);
    EXPECT_EQ(lcd.SMeterB()->Bars(), 18);

    const QImage img = RenderWidget(lcd);
    const QPoint at = lcd.BargraphMeter()->pos();
    EXPECT_EQ(PixelName(img, at.x() + 4 * 8, at.y() + 2), BGRName(BargraphCellGreen)); // cell 9
    EXPECT_EQ(PixelName(img, at.x() + 4 * 10, at.y() + 2), BGRName(BargraphCellRed)); // cell 11
    EXPECT_EQ(PixelName(img, at.x() + 4 * 11, at.y() + 2), BGRName(clDim));           // cell 12
}

TEST(LcdWidget, FramesFollowTheModel)
{
    TFTxDisplay ft2000, ft2000d, ft950;
    ft2000d.SetTransceiver(FT2000D);
    ft950.SetTransceiver(FT950);
    for (TFTxDisplay* lcd : {&ft2000, &ft2000d, &ft950}) {
        lcd->Display().SetContour(conOn);
        lcd->Display().SetContourLevel(10); // peak at cell 3 on both scales
        lcd->Display().SetDNR(true);
    }
    const QImage a = RenderWidget(ft2000);
    EXPECT_EQ(a, RenderWidget(ft2000d)) << "the FT-2000D shows the FT-2000's LCD";
    // The FT-950's DSP block is the FT-2000's, 163 pixels further right.
    const QImage b = RenderWidget(ft950);
    EXPECT_EQ(a.copy(0, 48, 134, 39), b.copy(163, 48, 134, 39));
    // Headings in label blue, the FT-2000's sub receiver box in grey.
    EXPECT_EQ(PixelName(a, 1, 5), BGRName(clLabelBlue));   // ANT box, left edge
    EXPECT_EQ(PixelName(a, 399, 60), BGRName(clSubGrey)); // sub receiver box
    EXPECT_EQ(PixelName(a, 129, 51), BGRName(clTransmitRed)); // centre mark over the contour row
    EXPECT_EQ(PixelName(b, 399, 60), BGRName(clBlack));
}
