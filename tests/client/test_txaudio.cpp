// The TX audio settings dialog against the simulated radio.
#include "client/widgets/EqualizerPanel.h"
#include "client/widgets/PlotPanel.h"
#include "client/widgets/TXAudioSettingsForm.h"
#include "controls/widgets/RCSpeedButton.h"

#include "ClientTestUtils.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// First equalizer menu and bandwidth menu of a model.
struct ModelMenus {
    TTransceiver model;
    int first;
    int bandwidth;
};
const ModelMenus Models[] = {{FT2000, 125, 85}, {FT2000D, 125, 85}, {FT950, 91, 64}, {FTDX5000, 152, 104}};

QString Reads(int first, int count)
{
    QStringList r;
    for (int i = 0; i < count; ++i)
        r << QString::asprintf("EX%.3d", first + i);
    return r.join(QLatin1Char(';')) + QLatin1Char(';');
}

// The radio's equalizer: low 200 Hz -6 dB Q 4, mid 1000 Hz +6 dB Q 3, high 2400 Hz +8 dB Q 5
// without the processor; other values with it.
void SetRadioEqualizer(vxtest::RadioSimulator& sim, int first)
{
    const char* const mic[9] = {"02", "-06", "04", "04", "+06", "03", "10", "+08", "05"};
    const char* const proc[9] = {"01", "+02", "07", "03", "-03", "06", "05", "+04", "09"};
    for (int i = 0; i < 9; ++i) {
        sim.setMenu(first + i, QString::fromLatin1(mic[i]));
        sim.setMenu(first + 9 + i, QString::fromLatin1(proc[i]));
    }
}

} // namespace

TEST(TXAudioSettings, OpeningSendsTheModelsThreeRequests)
{
    ManualClock clock;
    for (const ModelMenus& m : Models) {
        TFTCATInterface cat;
        cat.SetTransceiver(m.model);
        QStringList sent;
        cat.OnCATCommandTX = [&](const QString& text) { sent << text; };
        TTXAudioSettingsForm form(&cat);
        EXPECT_TRUE(sent.isEmpty());
        form.show();
        EXPECT_EQ(sent, QStringList({QString::asprintf("EX%.3d;", m.bandwidth), Reads(m.first, 9), Reads(m.first + 9, 9)}))
            << int(m.model);
        EXPECT_TRUE(form.Initalized());
        // A second showing asks nothing more.
        form.hide();
        form.show();
        EXPECT_EQ(sent.size(), 3);
        form.reject();
        EXPECT_FALSE(static_cast<bool>(cat.OnMenuSettings));
    }
}

TEST(TXAudioSettings, AnswersFillThePanelAndTheBandwidthButton)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    SetRadioEqualizer(rig.sim, 125);
    rig.sim.setMenu(85, "4");
    TTXAudioSettingsForm form(&rig.cat);
    form.show();
    TEqualizer* eq = form.EqualizerPanel->Equalizer();
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.RestoreReceived(meqProcHighQ); }, 3000));
    EXPECT_EQ(eq->MicLowFrequency(), 2);
    EXPECT_EQ(eq->MicLowGain(), -6);
    EXPECT_EQ(eq->MicMidGain(), 6);
    EXPECT_EQ(eq->ProcMidGain(), -3);
    EXPECT_EQ(form.EqualizerPanel->FLowBox->currentText(), "200");
    EXPECT_EQ(form.EqualizerPanel->GMidBar->value(), 6);
    EXPECT_EQ(form.EqualizerPanel->QHighBar->value(), 5);
    // "400 - 2600" is pressed; the shading keeps its edges until a button is clicked.
    EXPECT_TRUE(form.BWButtons[4]->Down());
    EXPECT_FALSE(form.BWButtons[3]->Down());
    EXPECT_EQ(form.TXBW(), 4);
    EXPECT_EQ(form.PlotPanel->BandwidthLow(), 300);
    EXPECT_EQ(form.PlotPanel->BandwidthHigh(), 2700);
    // Three bands and their sum.
    for (int layer = 0; layer < 4; ++layer)
        EXPECT_GT(form.PlotPanel->LayerPoints(layer), 0) << layer;

    const QImage img = Render(form);
    EXPECT_TRUE(SaveArtifact(img, "dialog-txaudio.png"));
    EXPECT_TRUE(SaveArtifact(Render(form, 2), "dialog-txaudio@2x.png"));
    EXPECT_NE(img.pixelColor(img.width() - 4, img.height() - 4), QColor(Qt::magenta));

    // Bad answers and answers for other items change nothing.
    rig.sim.push("EX129ab;EX129;EX1290-3;EX200+05;EX001+05;EX08512;EX0859;");
    rig.settle();
    EXPECT_EQ(eq->MicMidGain(), 6);
    EXPECT_EQ(form.TXBW(), 4);
}

TEST(TXAudioSettings, BandwidthButtons)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    TTXAudioSettingsForm form(&rig.cat);
    EXPECT_TRUE(form.BWButtons[3]->Down());
    EXPECT_EQ(form.BWButtons[5]->Caption(), "3000 Wide");
    form.BWButtons[5]->click();
    EXPECT_TRUE(form.BWButtons[5]->Down());
    EXPECT_FALSE(form.BWButtons[3]->Down());
    EXPECT_EQ(form.PlotPanel->BandwidthLow(), 40);
    EXPECT_EQ(form.PlotPanel->BandwidthHigh(), 3040);
    EXPECT_EQ(form.PlotPanel->Marks().BandText, "  Bandwidth 3000 Hz  ");
    EXPECT_EQ(rig.commandsAfter(1), QStringList({"EX0855"}));
    form.BWButtons[0]->click();
    EXPECT_EQ(rig.commandsAfter(2).last(), "EX0850");
    EXPECT_EQ(form.PlotPanel->Marks().BandText, "  Bandwidth 2950 Hz  ");
}

TEST(TXAudioSettings, SetChoiceAndPlotStyleSendNothing)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    TTXAudioSettingsForm form(&rig.cat);
    form.MicOrProcButtons->button(1)->click();
    EXPECT_EQ(form.EqualizerPanel->Equalizer()->SpeechProcessor(), 1);
    form.PlotButtons->button(1)->click();
    EXPECT_EQ(form.PlotPanel->PlotMode(), pmBar);
    rig.settle();
    EXPECT_TRUE(rig.sim.commands().isEmpty());
    // A later edit goes to the processor set's item.
    form.EqualizerPanel->GLowBar->setValue(3);
    EXPECT_EQ(rig.commandsAfter(1), QStringList({"EX135+03"}));
}

TEST(TXAudioSettings, RestoreWritesWhatTheRadioHad)
{
    CATRig rig(FTDX5000);
    ASSERT_TRUE(rig.opened);
    SetRadioEqualizer(rig.sim, 152);
    TTXAudioSettingsForm form(&rig.cat);
    form.show();
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.RestoreReceived(meqProcHighQ); }, 3000));
    rig.settle();
    EXPECT_FALSE(form.RestoreButton->isEnabled()); // nothing edited yet

    form.EqualizerPanel->GMidBar->setValue(-2);
    form.EqualizerPanel->FHighBox->setCurrentIndex(3);
    emit form.EqualizerPanel->FHighBox->activated(3);
    EXPECT_TRUE(form.RestoreButton->isEnabled());
    rig.settle();
    const int before = int(rig.sim.commands().size());
    form.RestoreButton->click();
    const QStringList sent = rig.commandsAfter(before + 18).mid(before);
    const QStringList expected = {"EX15202", "EX153-06", "EX15404", "EX15504", "EX156+06", "EX15703",
                                  "EX15810", "EX159+08", "EX16005", "EX16101", "EX162+02", "EX16307",
                                  "EX16403", "EX165-03", "EX16606", "EX16705", "EX168+04", "EX16909"};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(form.EqualizerPanel->GMidBar->value(), 6);
    EXPECT_EQ(form.EqualizerPanel->FHighBox->currentIndex(), 10);
}

TEST(TXAudioSettings, RestoreWaitsForEveryValue)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    rig.sim.setPower(false); // the radio answers nothing
    TTXAudioSettingsForm form(&rig.cat);
    form.show();
    rig.settle();
    // Only some values arrive.
    rig.sim.setPower(true);
    rig.sim.push("EX12502;EX129+03;");
    form.EqualizerPanel->GLowBar->setValue(4);
    rig.settle();
    EXPECT_TRUE(form.RestoreReceived(meqMicLowF));
    EXPECT_FALSE(form.RestoreButton->isEnabled());
    // The start values are never written in place of values the radio did not report.
    const int before = int(rig.sim.commands().size());
    form.RestoreButtonClick();
    rig.settle();
    EXPECT_EQ(rig.sim.commands().size(), before);
}

TEST(TXAudioSettings, EntryPoint)
{
    ManualClock clock;
    TFTCATInterface cat;
    cat.SetTransceiver(FTDX5000);
    QStringList sent;
    cat.OnCATCommandTX = [&](const QString& text) { sent << text; };
    QString title;
    QTimer::singleShot(0, [&] {
        if (auto* form = qobject_cast<TTXAudioSettingsForm*>(QApplication::activeModalWidget())) {
            title = form->windowTitle();
            form->CloseButton->click();
        }
    });
    ShowTXAudioSettings(&cat, nullptr);
    EXPECT_EQ(title, "Parametric Microphone Equalizer");
    EXPECT_EQ(sent.size(), 3);
    EXPECT_FALSE(static_cast<bool>(cat.OnMenuSettings));
}
