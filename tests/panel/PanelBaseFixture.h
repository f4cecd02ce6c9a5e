#pragma once
// The front panel base in a small stand-in host, wired to an engine on the manual clock that
// records what it sends; recording band map and entry panel doubles.

#include "PanelTestUtils.h"
#include "controls/widgets/RCTrackBar.h"
#include "panel/widgets/FTTransceiverPanelBase.h"
#include "tests/core/CATFixture.h"
#include "tests/support/WidgetInput.h"

#include <QStringList>
#include <memory>

// Stands in for the panel on the transceiver page.
class TestHost : public TFTTransceiverPanelHost {
public:
    TestHost()
    {
        resize(TFTTransceiverPanelBase::PanelWidth, TFTTransceiverPanelBase::PanelHeight);
        OnMenuButton = [this](QObject* sender) { menuSenders << sender; };
    }
    QList<QObject*> menuSenders;
};

// The doubles are objects, as the real views are, so a panel notices when a test's double goes.
class RecordingBandmap : public QObject, public TBandmapLink {
public:
    void SetFrequencyA(int32_t v) override { calls << QStringLiteral("FrequencyA %1").arg(v); }
    void SetFrequencyB(int32_t v) override { calls << QStringLiteral("FrequencyB %1").arg(v); }
    void SetBandA(TBand v) override { calls << QStringLiteral("BandA %1").arg(int(v)); }
    void SetBandB(TBand v) override { calls << QStringLiteral("BandB %1").arg(int(v)); }
    void SetLock(bool v) override { calls << QStringLiteral("Lock %1").arg(v); }
    void SetSplit(bool v) override { calls << QStringLiteral("Split %1").arg(v); }
    void Changed() override { calls << QStringLiteral("Changed"); }
    QStringList calls;
};

class RecordingLogPanel : public QObject, public TLogPanelLink {
public:
    void SetFrequencyA(int32_t v) override { calls << QStringLiteral("FrequencyA %1").arg(v); }
    void SetFrequencyB(int32_t v) override { calls << QStringLiteral("FrequencyB %1").arg(v); }
    void SetBandA(TBand v) override { calls << QStringLiteral("BandA %1").arg(int(v)); }
    void SetBandB(TBand v) override { calls << QStringLiteral("BandB %1").arg(int(v)); }
    void SetMode(TMode v) override { calls << QStringLiteral("Mode %1").arg(int(v)); }
    QStringList calls;
};

// The operator moves a bar by one step with the keyboard.
inline void stepUp(TRCTrackBar* bar)
{
    vxtest::Key(bar, Qt::Key_Up);
}

class PanelBase : public CATFixture {
protected:
    void SetUp() override
    {
        CATFixture::SetUp();
        host = std::make_unique<TestHost>();
        panel = new TFTTransceiverPanelBase(host.get());
        panel->CreateWnd();
        panel->SetFTCATInterface(cat.get());
    }
    void TearDown() override
    {
        host.reset(); // takes the panel with it
        CATFixture::TearDown();
    }

    // A radio answer as it arrives from the port.
    void radio(const QString& answer) { cat->HandleCATCommand(answer); }
    std::unique_ptr<TestHost> host;
    TFTTransceiverPanelBase* panel = nullptr;
};
