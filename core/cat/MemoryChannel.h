#pragma once
// Memory channel number and the memory record read with "MR" and written with "MW".

#include "core/cat/FTCATEvents.h"

#include <QString>

class TFTCATInterface;

class TMemoryChannel {
public:
    static constexpr int MinChannel = 1;
    static constexpr int MaxChannel = 117;
    // Length of the record after "MR" / "MW".
    static constexpr int RecordLength = 24;

    explicit TMemoryChannel(TFTCATInterface* owner);

    int32_t ChannelNo() const { return FChannelNo; }
    void SetChannelNo(int32_t value);
    int32_t CurrentMemoryChannel() const { return FCurrentMemoryChannel; }
    void SetCurrentMemoryChannel(int32_t value) { FCurrentMemoryChannel = value; }

    // Fields of the record; plain stores, no command.
    int32_t Frequency() const { return FFrequency; }
    void SetFrequency(int32_t value) { FFrequency = value; }
    int32_t ClarifierOffset() const { return FClarifierOffset; }
    void SetClarifierOffset(int32_t value) { FClarifierOffset = value; }
    bool ClarifierRX() const { return FClarifierRX; }
    void SetClarifierRX(bool value) { FClarifierRX = value; }
    bool ClarifierTX() const { return FClarifierTX; }
    void SetClarifierTX(bool value) { FClarifierTX = value; }
    TMode Mode() const { return FMode; }
    void SetMode(TMode value) { FMode = value; }
    int32_t CTCSS() const { return FCTCSS; }
    void SetCTCSS(int32_t value) { FCTCSS = value; }
    int32_t ToneNumber() const { return FToneNumber; }
    void SetToneNumber(int32_t value) { FToneNumber = value; }
    int32_t Shift() const { return FShift; }
    void SetShift(int32_t value) { FShift = value; }
    TVFOMemoryMode VFOMemoryMode() const { return FVFOMemoryMode; }
    void SetVFOMemoryMode(TVFOMemoryMode value) { FVFOMemoryMode = value; }

    // Asks for a channel's record because an information answer named it.
    void RequestMemoryChannel(int32_t channel);
    // Asks for a channel's record.
    void ReadChannelNo(int32_t channel);
    // Takes the parameter text of an "MR" answer.
    void Read(const QString& record);
    // Sends the record built from the fields with "MW".
    void Write();

private:
    QString Record() const;

    TFTCATInterface* FOwner;
    int32_t FChannelNo = 1;
    int32_t FCurrentMemoryChannel = 1;
    int32_t FFrequency = 0;
    int32_t FClarifierOffset = 0;
    bool FClarifierRX = false;
    bool FClarifierTX = false;
    TMode FMode = mdCW;
    int32_t FCTCSS = 0;
    int32_t FToneNumber = 0;
    int32_t FShift = 0;
    TVFOMemoryMode FVFOMemoryMode = vmVFOMode;
};
