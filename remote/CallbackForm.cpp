#include "remote/CallbackForm.h"

#include "remote/RAAudio.h"

TCallbackForm::TCallbackForm(QObject* parent)
    : vx::WaveCallback(parent)
{
}

void TCallbackForm::SetApplicationType(TApplicationType Value)
{
    FApplicationType = Value;
    HandOver();
}

void TCallbackForm::SetServerAudio(TRAAudio* Input, TRAAudio* Output)
{
    FServerInput = Input;
    FServerOutput = Output;
    HandOver();
}

void TCallbackForm::SetClientAudio(TRAAudio* Input, TRAAudio* Output)
{
    FClientInput = Input;
    FClientOutput = Output;
    HandOver();
}

void TCallbackForm::HandOver()
{
    TRAAudio* in = nullptr;
    TRAAudio* out = nullptr;
    if (FApplicationType == isLocalAndRemoteServer || FApplicationType == isRemoteServer) {
        in = FServerInput;
        out = FServerOutput;
    } else if (FApplicationType == isRemoteClient) {
        in = FClientInput;
        out = FClientOutput;
    }
    if (in)
        in->SetWindowHandle(this);
    if (out)
        out->SetWindowHandle(this);
}

void TCallbackForm::waveMessage(vx::WaveMessage Message, vx::WaveHeader* Header)
{
    TRAAudio* in = nullptr;
    TRAAudio* out = nullptr;
    switch (FApplicationType) {
    case isLocalAndRemoteServer:
    case isRemoteServer:
        in = FServerInput;
        out = FServerOutput;
        break;
    case isRemoteClient:
        in = FClientInput;
        out = FClientOutput;
        break;
    case isLocal:
        return;
    }
    switch (Message) {
    case vx::WaveMessage::OutOpen:
        if (out)
            out->DoWaveOutOpen();
        break;
    case vx::WaveMessage::OutClose:
        if (out)
            out->DoWaveOutClose();
        break;
    case vx::WaveMessage::OutDone:
        if (out)
            out->DoWaveOutDone(Header);
        break;
    case vx::WaveMessage::InOpen:
        if (in)
            in->DoWaveInOpen();
        break;
    case vx::WaveMessage::InClose:
        if (in)
            in->DoWaveInClose();
        break;
    case vx::WaveMessage::InData:
        if (in)
            in->DoWaveInBufferFull(Header);
        break;
    }
}
