#pragma once
// The FT DX 5000 face in the stand-in host, its window made, bound to an engine of that model
// on the manual clock that records what it sends.

#include "PanelBaseFixture.h"
#include "core/cat/RX.h"
#include "panel/widgets/FTTransceiverPanel5000.h"
#include "panel/widgets/FTxSubdisplay.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <memory>

class FT5000Face : public CATFixture {
protected:
    void SetUp() override
    {
        CATFixture::SetUp();
        setModel(FTDX5000);
        host = std::make_unique<TestHost>();
        face = new TFTTransceiverPanel5000(host.get());
        face->CreateWnd();
        face->SetFTCATInterface(cat.get());
    }
    void TearDown() override
    {
        host.reset();
        CATFixture::TearDown();
    }

    // A radio answer as it arrives from the port.
    void radio(const QString& answer) { cat->HandleCATCommand(answer); }
    TRX& rx() { return *cat->RX(); }

    std::unique_ptr<TestHost> host;
    TFTTransceiverPanel5000* face = nullptr;
};
