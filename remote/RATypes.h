#pragma once
// Vocabulary of remote audio: formats, connection and PTT states, the wave-format record the
// devices are opened with, and the event signatures shared by the audio components.

#include "platform/AudioDevice.h"

#include <QString>
#include <cstdint>
#include <functional>

// Order is binding: names are stored in settings and ordinals travel in messages.
enum TCodec : uint8_t { PCM8, PCM11, PCM22, PCM44, GSM610_8, GSM610_11, GSM610_22 };
constexpr int CodecCount = 7;

enum TAudioComponentType : uint8_t { actNone, actWaveIn, actWaveOut, acmTest, ASIOOut };

enum TConnectionStatus : uint8_t { cNone, cInvalid, cConnecting, cNoRespone, cRefused, cConnected, cDisconnected };

enum TPTTStatus : uint8_t { pttNone, pttWaiting, pttOff, pttOn };

enum TPinType : uint8_t { pinAlwaysOff, pinAlwaysOn, pinPTT };

// The wave format followed by the samples per block: together the GSM 6.10 format record.
struct TACMWaveFormat {
    vx::WaveFormatEx wfx;
    uint16_t wSamplesPerBlock = 0;
};

using TActiveEvent = std::function<void(bool Active)>;
using TAudioDataEvent = std::function<void(void* Buffer, uint32_t Size)>;
using TConnectedUsersEvent = std::function<void(int ConnectedUsersCount, const QString& ConnectedUsers)>;
using TConnectionStatusEvent = std::function<void(TConnectionStatus Value, const QString& Text)>;
using TExceptionEvent = std::function<void(const QString& ExceptionMessage)>;
using TLoginRequestEvent =
    std::function<void(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage)>;
using TMessageEvent = std::function<void(const QString& Msg)>;
using TPTTStatusEvent = std::function<void(TPTTStatus Status)>;
using TTrafficEvent = std::function<void(const QString& Received, const QString& Transmitted)>;

QString CodecToString(TCodec Codec);
// Exact, case-sensitive match; anything unrecognised (also "PCM8" and "") gives PCM8.
TCodec StringToCodec(const QString& Text);
bool IsGSMCodec(TCodec Codec);

// Traffic of one second as "%3.1n kB/s" (one decimal, digit groups), with "." for every
// separator: 1536 bytes give "1.5 kB/s".
QString TrafficRateText(uint32_t Bytes);
