#pragma once
// The front panel base in a small stand-in host, wired to an engine on the manual clock that
// records what it sends; recording band map and entry panel doubles.

#include "PanelTestUtils.h"
#include "controls/widgets/RCTrackBar.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/FTTransceiverPanelBase.h"
#include "panel/widgets/SmallControls.h"
#include "tests/core/CATFixture.h"
#include "tests/support/WidgetInput.h"

#include <QLabel>
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

// Everything a person sees of every control of a face: place, picture, look and state.
inline QStringList FaceLayout(const QWidget& face)
{
    QStringList out;
    for (const QWidget* w : face.findChildren<QWidget*>()) {
        QString line = QStringLiteral("%1 %2 %3,%4 %5x%6 %7 %8")
                           .arg(w->metaObject()->className(), w->toolTip())
                           .arg(w->x())
                           .arg(w->y())
                           .arg(w->width())
                           .arg(w->height())
                           .arg(w->isVisibleTo(&face))
                           .arg(w->isEnabled());
        if (const auto* b = qobject_cast<const TPanelSpeedButton*>(w))
            line += QStringLiteral(" %1 %2 %3").arg(b->Glyph()).arg(b->GroupIndex()).arg(b->Down());
        if (const auto* bar = qobject_cast<const TRCTrackBar*>(w))
            line += QStringLiteral(" %1..%2@%3 tab %4")
                        .arg(bar->Min())
                        .arg(bar->Max())
                        .arg(bar->Position())
                        .arg(TFTTransceiverPanelBase::TabOrder(bar));
        out << line;
    }
    return out;
}

// A face's four RX/TX lamps drawn for its radio, VFO A on and VFO B off, as a fresh face shows them.
inline void ExpectStartLamps(const TFTTransceiverPanelBase& f, TTransceiver model)
{
    const struct {
        const TVFOABButton* Lamp;
        TVFOButtonType Type;
        TVFOState State;
    } lamps[] = {{f.FunctionRXAButton, vfoARX, vfoOn},
                 {f.FunctionTXAButton, vfoATX, vfoOn},
                 {f.FunctionRXBButton, vfoBRX, vfoOff},
                 {f.FunctionTXBButton, vfoBTX, vfoOff}};
    for (const auto& l : lamps) {
        EXPECT_EQ(l.Lamp->Transceiver(), model);
        EXPECT_EQ(l.Lamp->VFOButtonType(), l.Type);
        EXPECT_EQ(l.Lamp->VFOState(), l.State);
    }
}

// Where the text of each value label a face shows stands, by its alignment, with the text.
inline QList<QPair<QRect, QString>> ShownLabelTexts(const QWidget& face)
{
    QList<QPair<QRect, QString>> texts;
    for (const QLabel* l : face.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!l->isVisibleTo(&face) || l->text().isEmpty())
            continue;
        const int w = l->fontMetrics().horizontalAdvance(l->text());
        const Qt::Alignment a = l->alignment();
        const int x = a & Qt::AlignRight ? l->width() - w : a & Qt::AlignHCenter ? (l->width() - w) / 2 : 0;
        texts.append({QRect(l->x() + x, l->y(), w, l->height()), l->text()});
    }
    return texts;
}

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
