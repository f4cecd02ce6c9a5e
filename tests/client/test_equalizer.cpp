// The microphone equalizer: the band response, the model and the panel that sends each edit.
#include "client/Equalizer.h"
#include "client/widgets/EqualizerPanel.h"
#include "client/widgets/PlotPanel.h"

#include "ClientTestUtils.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <cmath>
#include <gtest/gtest.h>

TEST(EqualizerResponse, EqualsTheGainAtTheCentre)
{
    for (double f0 : {100.0, 1000.0, 3200.0}) {
        for (double gain : {-20.0, 0.0, 5.0, 10.0}) {
            for (double q : {1.0, 10.0}) {
                const TPeakingFilter filter = PeakingFilter(f0, q, gain);
                EXPECT_NEAR(PeakingResponse(filter, f0), gain, 1e-9) << f0 << " Hz " << gain << " dB Q " << q;
                // Far from the centre the band does nothing.
                EXPECT_NEAR(PeakingResponse(filter, f0 * 40 > 20000 ? f0 / 40 : f0 * 40), 0, std::fabs(gain) / 4 + 1e-9);
            }
        }
    }
    // The peak is at the centre, and a wider band (smaller Q) reaches further.
    const TPeakingFilter narrow = PeakingFilter(1000, 10, 5);
    const TPeakingFilter wide = PeakingFilter(1000, 1, 5);
    for (double f : {500.0, 900.0, 1100.0, 2000.0})
        EXPECT_LT(PeakingResponse(narrow, f), 5);
    EXPECT_GT(PeakingResponse(wide, 700), PeakingResponse(narrow, 700));
    // A bandwidth of 0 still gives a finite curve.
    EXPECT_TRUE(std::isfinite(PeakingResponse(PeakingFilter(1000, 0, 5), 800)));
}

TEST(EqualizerModel, SetsAndEvents)
{
    TEqualizer eq;
    EXPECT_EQ(eq.MicLowQ(), 10);
    EXPECT_EQ(eq.ProcLowQ(), 2);
    EXPECT_EQ(eq.ProcMidQ(), 1);
    EXPECT_EQ(eq.ProcHighQ(), 1);
    QList<TMicEQ> changes;
    int switches = 0;
    eq.OnChange = [&](TMicEQ item) { changes << item; };
    eq.OnSpeechProcessor = [&] { ++switches; };
    eq.SetMicMidGain(3);
    eq.SetMicMidGain(3); // unchanged: nothing
    eq.SetProcHighFrequency(7);
    eq.SetValue(meqTXBandwidth, 4); // not an equalizer value
    EXPECT_EQ(changes, (QList<TMicEQ>{meqMicMidG, meqProcHighF}));
    EXPECT_EQ(eq.Value(meqTXBandwidth), 0);
    eq.SetSpeechProcessor(1);
    eq.SetSpeechProcessor(1);
    EXPECT_EQ(switches, 1);
    EXPECT_EQ(TEqualizer::Item(1, ebLow, 1), meqProcLowG);
    EXPECT_EQ(TEqualizer::ItemBand(meqProcHighQ), ebHigh);
}

namespace {

// Types a value into a spin box and confirms it with Enter.
void TypeAndEnter(QSpinBox* spin, const QString& text)
{
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    edit->setText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(spin, &press);
}

} // namespace

TEST(EqualizerPanel, EachEditIsSentAtOnce)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    TEqualizerPanel panel;
    panel.SetFTCATInterface(&rig.cat);
    QList<QObject*> changed;
    panel.OnChanged = [&](QObject* sender) { changed << sender; };

    // Arrow or typed value: the same path.
    panel.GMidBar->setValue(3);
    EXPECT_EQ(rig.commandsAfter(1), QStringList({"EX129+03"}));
    TypeAndEnter(panel.GMidBar, QStringLiteral("-7"));
    EXPECT_EQ(rig.commandsAfter(2).last(), "EX129-07");
    EXPECT_EQ(panel.Equalizer()->MicMidGain(), -7);
    // Typing alone sends nothing until it is confirmed.
    panel.GHighBar->findChild<QLineEdit*>()->setText(QStringLiteral("4"));
    rig.settle();
    EXPECT_EQ(rig.sim.commands().size(), 2);

    // A frequency chosen from the list and a bandwidth.
    panel.FMidBox->setCurrentIndex(4);
    emit panel.FMidBox->activated(4);
    panel.QLowBar->setValue(3);
    const QStringList sent = rig.commandsAfter(4);
    EXPECT_EQ(sent.mid(2), QStringList({"EX12804", "EX12703"}));
    EXPECT_EQ(panel.Equalizer()->MicMidFrequency(), 4);
    EXPECT_EQ(changed, (QList<QObject*>{panel.GMidBar, panel.GMidBar, panel.FMidBox, panel.QLowBar}));

    // With the processor set shown, the edits go to its items; switching sends nothing.
    rig.sim.clearCommands();
    panel.Equalizer()->SetSpeechProcessor(1);
    EXPECT_EQ(panel.QLowBar->value(), 2);
    EXPECT_EQ(panel.QMidBar->value(), 1);
    EXPECT_EQ(panel.QHighBar->value(), 1);
    rig.settle();
    EXPECT_TRUE(rig.sim.commands().isEmpty());
    panel.GLowBar->setValue(-4);
    EXPECT_EQ(rig.commandsAfter(1), QStringList({"EX135-04"}));

    // A value reported into the shown set moves its control without sending.
    panel.Equalizer()->SetProcHighGain(8);
    EXPECT_EQ(panel.GHighBar->value(), 8);
    panel.Equalizer()->SetMicHighGain(9); // not shown
    EXPECT_EQ(panel.GHighBar->value(), 8);
    rig.settle();
    EXPECT_EQ(rig.sim.commands().size(), 1);
}

TEST(EqualizerPanel, GainFloorPerModel)
{
    ManualClock clock;
    const struct {
        TTransceiver model;
        int floor;
    } cases[] = {{FT2000, -20}, {FT2000D, -20}, {FT950, -10}, {FTDX5000, -10}};
    for (const auto& c : cases) {
        TFTCATInterface cat;
        cat.SetTransceiver(c.model);
        QStringList sent;
        cat.OnCATCommandTX = [&](const QString& t) { sent << t; };
        TEqualizerPanel panel;
        panel.SetFTCATInterface(&cat);
        for (QSpinBox* gain : {panel.GLowBar, panel.GMidBar, panel.GHighBar}) {
            EXPECT_EQ(gain->minimum(), c.floor) << int(c.model);
            EXPECT_EQ(gain->maximum(), 10);
        }
        EXPECT_TRUE(sent.isEmpty()); // narrowing the range is no edit
    }
}

TEST(EqualizerPanel, PlotOfBandsAndSum)
{
    TPlotPanel plot;
    plot.resize(764, 377);
    plot.SetMargin(18);
    plot.SetXMax(5000);
    plot.SetXMin(40);
    plot.SetXScaleLog(true);
    plot.SetYMax(23);
    plot.SetYMin(-23);
    TEqualizerPanel panel;
    panel.SetPlotPanel(&plot);

    // All bands off: only the flat line.
    panel.UpdatePlot();
    EXPECT_EQ(plot.LayerPoints(0) + plot.LayerPoints(1) + plot.LayerPoints(2), 0);
    EXPECT_EQ(plot.LayerPoints(3), 2001);

    // One band: its curve, no sum; its frequencies are those from 40 to 5000 Hz.
    panel.FMidBox->setCurrentIndex(4); // 1000 Hz
    panel.GMidBar->setValue(5);
    panel.QMidBar->setValue(10);
    panel.UpdatePlot();
    EXPECT_EQ(plot.LayerPoints(1), 747);
    EXPECT_EQ(plot.LayerPoints(3), 0);
    panel.ComputeCoefficients();
    EXPECT_NEAR(panel.BandResponse(1000, ebMid), 5, 1e-9);

    // Two bands: both curves and the sum.
    panel.FLowBox->setCurrentIndex(2);
    panel.UpdatePlot();
    EXPECT_EQ(plot.LayerPoints(0), 747);
    EXPECT_EQ(plot.LayerPoints(3), 2001);

    // Bars: no sum curve.
    plot.SetPlotMode(pmBar);
    panel.UpdatePlot();
    EXPECT_EQ(plot.LayerPoints(3), 0);

    // PlotUpdate off: nothing is drawn.
    panel.SetPlotUpdate(false);
    plot.ClearData();
    panel.UpdatePlot();
    EXPECT_EQ(plot.LayerPoints(0), 0);
}
