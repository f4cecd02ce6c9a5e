#pragma once
// What the RTTY data module needs of the RTTY panel: the engine state it shows and the user
// actions it raises.  The panel knows nothing of the engine or of the remote link; the module
// sets these properties and binds these events.

#include "core/RCTypes.h"

#include <QString>
#include <cstdint>

class TRTTYPanelLink {
public:
    virtual ~TRTTYPanelLink() = default;

    virtual void SetConnected(bool value) = 0;
    virtual void SetPTT(bool value) = 0;
    virtual void SetBandPassFilter(bool value) = 0;
    virtual void SetSquelch(bool value) = 0;
    virtual void SetSquelchLevel(uint16_t value) = 0;
    virtual void SetSignalLevel(uint16_t value) = 0;
    // Appends received text to the monitor.
    virtual void SetRXText(const QString& value) = 0;

    TNotifyEvent OnMMTTYOpen;
    TNotifyEvent OnMMTTYClose;
    TNotifyEvent OnMMTTYTX;
    TNotifyEvent OnMMTTYClear;
    TSwitchEvent OnMMTTYBandPassFilter;
    TSwitchEvent OnMMTTYSquelch;
    TWordEvent OnMMTTYSquelchLevel;
    TStringEvent OnMMTTYSend;
    TStringEvent OnMMTTYSendMessage;
};
