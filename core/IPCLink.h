#pragma once
// What the radio module needs of the IPC server that lets another program on this computer
// follow the radio: its switch, opening and closing, and the values of its radio record.
// The IPC server implements it; the program's start-up hands it to the radio module.

#include "core/RCTypes.h"

#include <cstdint>

class TIPCServerLink {
public:
    virtual ~TIPCServerLink() = default;

    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool value) = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;

    // The radio record: each setter sends the record to a connected program when the value
    // changed.  Modes are the ordinals of the CAT engine's TMode.
    virtual void SetFrequencyA(int32_t hz) = 0;
    virtual void SetFrequencyB(int32_t hz) = 0;
    virtual void SetModeA(uint8_t mode) = 0;
    virtual void SetModeB(uint8_t mode) = 0;
    virtual void SetPowerLevel(uint8_t watt) = 0;
    virtual void SetPowerSwitch(bool value) = 0;
    virtual void SetSplit(bool value) = 0;
    virtual void SetTX(bool value) = 0;

    // Raised after every change of the server's status.
    TNotifyEvent OnIPCStatus;
};
