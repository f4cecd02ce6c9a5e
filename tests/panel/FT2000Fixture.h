#pragma once
// The FT-2000 face in the stand-in host, wired to an engine on the manual clock that records what
// it sends.

#include "PanelBaseFixture.h"
#include "panel/widgets/FTTransceiverPanel2000.h"

class FT2000Face : public CATFixture {
protected:
    void SetUp() override
    {
        CATFixture::SetUp();
        host = std::make_unique<TestHost>();
        face = new TFTTransceiverPanel2000(host.get());
        face->CreateWnd();
        face->SetFTCATInterface(cat.get());
    }
    void TearDown() override
    {
        host.reset(); // takes the face with it
        CATFixture::TearDown();
    }

    // A radio answer as it arrives from the port.
    void radio(const QString& answer) { cat->HandleCATCommand(answer); }

    std::unique_ptr<TestHost> host;
    TFTTransceiverPanel2000* face = nullptr;
};
