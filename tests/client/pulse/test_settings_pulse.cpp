// The Test buttons of the sidetone and DVK pages through the sound server of the test run:
// they act at once, on the device chosen on the page, and the program goes on meanwhile.
#include "client/DataModules.h"
#include "client/widgets/settings/SettingsPageGroup.h"
#include "keying/CWSidetone.h"
#include "keying/DMCW.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/SoundFilePlayer.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/keying/pulse/Recorder.h"
#include "tests/keying/pulse/ToneFile.h"
#include "tests/remote/PulseTest.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/Wait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A sound server module loaded for one test.
class PulseModule {
public:
    explicit PulseModule(const QStringList& args)
    {
        bool ok = false;
        FIndex = vxtest::pactl(QStringList{"load-module"} + args, &ok).trimmed();
        if (!ok)
            FIndex.clear();
    }
    ~PulseModule()
    {
        if (!FIndex.isEmpty())
            vxtest::pactl({"unload-module", FIndex});
    }
    bool ok() const { return !FIndex.isEmpty(); }

private:
    QString FIndex;
};

class SettingsPulseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VX_REQUIRE_PULSE();
        vx::MemoryAudio::use(false);
        // The modules' message bus gets a runtime folder of its own; the sound server stays
        // the one of the test run.
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
            qputenv("PULSE_SERVER", "unix:" + qgetenv("XDG_RUNTIME_DIR") + "/pulse/native");
            FSetPulseServer = true;
        }
        Bus = std::make_unique<vxtest::PrivateBus>();
        Modules = CreateClientDataModules();
        Host = std::make_unique<QWidget>();
        Pages = new TSettingsPages(*Modules, Host.get());
    }
    void TearDown() override
    {
        Host.reset();
        Modules.reset();
        Bus.reset();
        if (FSetPulseServer)
            qunsetenv("PULSE_SERVER");
    }
    void Load()
    {
        Pages->FInputDevices = vx::waveInDeviceNames();
        Pages->FOutputDevices = vx::waveOutDeviceNames();
        Pages->Loading = true;
        Pages->LoadCW();
        Pages->LoadDevices();
        Pages->Loading = false;
    }

    ScopedConfigHome Home;
    std::unique_ptr<vxtest::PrivateBus> Bus;
    bool FSetPulseServer = false;
    std::unique_ptr<TDataModules> Modules;
    std::unique_ptr<QWidget> Host;
    TSettingsPages* Pages = nullptr;
};

TEST_F(SettingsPulseTest, SidetoneTestMovesTheRunningGeneratorToTheChosenSoundcard)
{
    PulseModule sink({"module-null-sink", "sink_name=vx_settings_sink2",
                      "sink_properties=device.description=NullSink2"});
    PulseModule mic({"module-remap-source", "master=vx_settings_sink2.monitor", "source_name=vx_settings_mic2",
                     "source_properties=device.description=NullMic2"});
    ASSERT_TRUE(sink.ok() && mic.ok());
    const int first = int(vx::waveOutDeviceNames().indexOf("NullSink"));
    const int second = int(vx::waveOutDeviceNames().indexOf("NullSink2"));
    const int mic2 = int(vx::waveInDeviceNames().indexOf("NullMic2"));
    ASSERT_TRUE(first >= 0 && second >= 0 && mic2 >= 0) << vx::waveOutDeviceNames().join(", ").toStdString();

    TCWSidetone* sidetone = Modules->CW()->CWSidetone();
    sidetone->SetDeviceID(uint32_t(first));
    sidetone->SetSpeed(20);
    sidetone->Open();
    ASSERT_TRUE(vxtest::waitUntil([&] { return sidetone->Active(); }));

    Modules->CW()->SetUseSidetone(true);
    Load();
    Pages->FrameSidetone->OutputDevicesComboBox->setCurrentIndex(second);
    Pages->FrameSidetone->PitchEdit->setValue(700);
    Pages->FrameSidetone->VolumeBar->setValue(4);

    vxtest::Recorder rec, rec1; // the chosen and the old soundcard
    ASSERT_TRUE(rec.Start(uint32_t(mic2)));
    ASSERT_TRUE(rec1.Start(uint32_t(vx::waveInDeviceNames().indexOf("NullMic"))));
    ASSERT_TRUE(vxtest::waitUntil([&] { return rec.captured.size() >= 3200; }, 10000));
    Pages->FrameSidetone->TestButton->click();
    EXPECT_EQ(sidetone->DeviceID(), uint32_t(second));
    ASSERT_TRUE(vxtest::waitUntil([&] { return sidetone->Active(); }));
    EXPECT_EQ(sidetone->Volume(), 4);
    vxtest::spin(2500);
    rec.Stop();
    rec1.Stop();
    EXPECT_EQ(vxtest::ReadMorse(vxtest::Samples(rec.captured), 480), "TEST");
    EXPECT_EQ(vxtest::ReadMorse(vxtest::Samples(rec1.captured), 480), ""); // the old soundcard stays quiet
    // What the test did stays, as after Cancel.
    EXPECT_EQ(sidetone->DeviceID(), uint32_t(second));
    sidetone->Close();
}

TEST_F(SettingsPulseTest, DVKTestPlaysTheFirstMessageWhileTheProgramGoesOn)
{
    const int mic = int(vx::waveInDeviceNames().indexOf(QStringLiteral("NullMic")));
    ASSERT_GE(mic, 0);
    QTemporaryDir dir;
    ASSERT_TRUE(vxtest::WriteToneFile(dir.filePath("msg1.wav"), 1000, 3000));
    Load();
    Pages->FrameDVK->PlayMessagesCheckBox->click();
    Pages->FrameDVK->PlayMessagesFolderEdit->setText(dir.path());

    vxtest::Recorder rec;
    ASSERT_TRUE(rec.Start(uint32_t(mic)));
    ASSERT_TRUE(vxtest::waitUntil([&] { return rec.captured.size() >= 3200; }, 10000));
    int ticks = 0;
    QTimer gui;
    QObject::connect(&gui, &QTimer::timeout, [&] { ++ticks; });
    gui.start(10);
    QElapsedTimer call;
    call.start();
    Pages->FrameDVK->TestButton->click();
    EXPECT_LT(call.elapsed(), 1000) << "the button waited for the sound";
    const qsizetype started = rec.captured.size() / 2;
    vxtest::spin(1200);
    ASSERT_NE(Pages->DVKTestPlayer(), nullptr);
    EXPECT_TRUE(Pages->DVKTestPlayer()->isPlaying());
    EXPECT_GT(ticks, 40);
    rec.Stop();
    const std::vector<double> x = vxtest::Samples(rec.captured);
    double best = 0;
    for (size_t at = size_t(started); at + 400 <= x.size(); at += 200)
        best = std::max(best, vxtest::tonePower(std::vector<double>(x.begin() + qsizetype(at),
                                                                    x.begin() + qsizetype(at) + 400),
                                                1000, 8000));
    EXPECT_GT(best, 1000.0) << "the file did not sound on the sink";
}

} // namespace
