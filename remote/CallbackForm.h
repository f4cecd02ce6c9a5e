#pragma once
// Router of the wave devices' notifications: every device of the program reports here, and
// each notification goes to the input or output component of the audio server (server roles)
// or of the audio client (remote-client role); in the local role they are dropped.  The role
// may change at any time: routing and the components' callback follow it at once.

#include "core/RCTypes.h"
#include "platform/AudioDevice.h"

#include <QPointer>

class TRAAudio;

class TCallbackForm : public vx::WaveCallback {
public:
    explicit TCallbackForm(QObject* parent = nullptr);

    TApplicationType ApplicationType() const { return FApplicationType; }
    void SetApplicationType(TApplicationType Value);

    // The components of the two audio modules; registering hands them this router when the
    // current role is theirs.
    void SetServerAudio(TRAAudio* Input, TRAAudio* Output);
    void SetClientAudio(TRAAudio* Input, TRAAudio* Output);

    void waveMessage(vx::WaveMessage Message, vx::WaveHeader* Header) override;

private:
    void HandOver();

    TApplicationType FApplicationType = isLocal;
    QPointer<TRAAudio> FServerInput, FServerOutput, FClientInput, FClientOutput;
};
