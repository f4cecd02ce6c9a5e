#pragma once
// The FT-950 face in the stand-in host, its window made, bound to an engine of that model on
// the manual clock that records what it sends.

#include "PanelBaseFixture.h"
#include "core/cat/RX.h"
#include "panel/widgets/FTTransceiverPanel950.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QApplication>
#include <memory>

class FT950Face : public CATFixture {
protected:
    void SetUp() override
    {
        CATFixture::SetUp();
        setModel(FT950);
        host = std::make_unique<TestHost>();
        face = new TFTTransceiverPanel950(host.get());
        face->CreateWnd();
        face->SetFTCATInterface(cat.get());
    }
    void TearDown() override
    {
        host.reset();
        CATFixture::TearDown();
    }

    // The face on screen in the active window, so that the keyboard focus can move.
    void showActive()
    {
        host->show();
        QApplication::setActiveWindow(host.get());
        QCoreApplication::processEvents();
    }
    // A radio answer as it arrives from the port.
    void radio(const QString& answer) { cat->HandleCATCommand(answer); }
    TRX& rx() { return *cat->RX(); }

    std::unique_ptr<TestHost> host;
    TFTTransceiverPanel950* face = nullptr;
};
