#include "keying/DMCW.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/RemoteLinks.h"
#include "core/cat/FTCATInterface.h"
#include "log/LogInterface.h"
#include "platform/SerialPort.h"
#include "remote/RemoteLine.h"

#include <algorithm>
#include <array>

TDMCW* DMCW = nullptr;

namespace {

const QString SectionWinKey = QStringLiteral("Client\\WinKey");
const QString SectionSidetone = QStringLiteral("Client\\CWSidetone");

// The keyer's sidetone values in Hz, by TSidetoneFrequency.
constexpr std::array<int32_t, 10> SidetoneHz = {3759, 1879, 1252, 940, 752, 625, 535, 469, 417, 375};

uint8_t ToByte(int32_t v)
{
    return uint8_t(std::clamp(v, 0, 255));
}

// Umlauts spelt out, letters upper-cased, everything outside " ".."Z" dropped, runs of
// blanks made one.
QString FilterText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0x00C4: case 0x00E4: out += QLatin1String("AE"); continue;
        case 0x00D6: case 0x00F6: out += QLatin1String("OE"); continue;
        case 0x00DC: case 0x00FC: out += QLatin1String("UE"); continue;
        case 0x00DF: out += QLatin1String("SS"); continue;
        default: break;
        }
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
        if (c >= QLatin1Char(' ') && c <= QLatin1Char('Z'))
            out += c;
    }
    for (qsizetype at; (at = out.indexOf(QLatin1String("  "))) >= 0;)
        out.remove(at, 1);
    return out;
}

// The spelling of an umlaut or ß typed as one character; empty for any other.
QString SpeltOut(QChar c)
{
    switch (c.unicode()) {
    case 0x00C4: case 0x00E4: return QStringLiteral("AE");
    case 0x00D6: case 0x00F6: return QStringLiteral("OE");
    case 0x00DC: case 0x00FC: return QStringLiteral("UE");
    case 0x00DF: return QStringLiteral("SS");
    default: return {};
    }
}

} // namespace

TDMCW::TDMCW(QObject* parent)
    : QObject(parent)
    , FWinKey(new TWinKeyer(this))
    , FWinKeyComPort(new vx::SerialPort(this))
    , FCWSidetone(new TCWSidetone(this))
{
    DMCW = this;

    // No port until the settings name one.
    vx::SerialPort& port = *FWinKeyComPort;
    port.setBaudRate(1200);
    port.setDataBits(8);
    port.setStopBits(vx::SerialPort::StopBits::Two);
    port.setParity(vx::SerialPort::Parity::None);
    port.setFlowControl(vx::SerialPort::FlowControl::None);
    port.setDtr(false);
    port.setRts(false);
    port.OnAfterOpen = [this] { Fire(WinKeyComPortEvent, comOpen); };
    port.OnAfterClose = [this] {
        Fire(WinKeyComPortEvent, comClosed);
        FWinKey->DoCOMPortClosed();
    };
    port.OnError = [this](const QString&) { Fire(WinKeyComPortEvent, ComError); };
    port.OnRxChar = [this](int count) { FWinKey->DoRxCharFromCOMPort(count); };

    FWinKey->SetCOMPort(FWinKeyComPort);
    FWinKey->OnChanged = [this] { DoWinKeyChanged(); };
    FWinKey->OnCharacterLocal = [this](QChar c) { DoWinKeyCharacterLocal(c); };
    FWinKey->OnClear = [this] { DoWinKeyClear(); };
    FWinKey->OnEscape = [this] { DoWinKeyClear(); };
    FWinKey->OnComPortState = [this](TCOMPortState state) { Fire(WinKeyComPortEvent, state); };
    FWinKey->OnSpeed = [this](uint8_t min, uint8_t speed, uint8_t max, uint8_t pot) { DoWinKeySpeed(min, speed, max, pot); };
}

TDMCW::~TDMCW()
{
    // No port events into a module being taken apart.
    FWinKeyComPort->OnAfterOpen = nullptr;
    FWinKeyComPort->OnAfterClose = nullptr;
    FWinKeyComPort->OnError = nullptr;
    FWinKeyComPort->OnRxChar = nullptr;
    if (DMCW == this)
        DMCW = nullptr;
}

bool TDMCW::IsServerRole() const
{
    const TApplicationType role = ApplicationType();
    return role == isLocalAndRemoteServer || role == isRemoteServer;
}

bool TDMCW::RadioConnected() const
{
    return FRadio && FRadio->FTCATInterface() && FRadio->FTCATInterface()->ComState() == csConnected;
}

void TDMCW::SetSidetoneEcho(int32_t value)
{
    if (value == FSidetoneEcho)
        return;
    FSidetoneEcho = value;
    FUseSidetone = value >= 0;
}

// --- Settings -------------------------------------------------------------------------------

void TDMCW::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    TWinKeyer& k = *FWinKey;
    TCWSidetone& st = *FCWSidetone;

    FUseSidetone = ini.ReadBool(SectionSidetone, QStringLiteral("Enabled"), false);
    SetSidetoneEcho(ini.ReadInteger(SectionSidetone, QStringLiteral("Echo"), FSidetoneEcho));
    st.SetDeviceID(uint32_t(std::max(0, ini.ReadInteger(SectionSidetone, QStringLiteral("DeviceID"), int32_t(st.DeviceID())))));
    st.SetPitch(ini.ReadInteger(SectionSidetone, QStringLiteral("Pitch"), st.Pitch()));
    st.SetVolume(ini.ReadInteger(SectionSidetone, QStringLiteral("Volume"), st.Volume()));

    const auto readByte = [&](const char* name, uint8_t current) {
        return ToByte(ini.ReadInteger(SectionWinKey, QLatin1String(name), current));
    };
    FWinKeyComPort->setPort(ini.ReadString(SectionWinKey, QStringLiteral("Port"), QString()));
    k.SetAutoSpace(ini.ReadBool(SectionWinKey, QStringLiteral("AutoSpace"), k.AutoSpace()));
    k.SetContestSpacing(ini.ReadBool(SectionWinKey, QStringLiteral("ContestSpacing"), k.ContestSpacing()));
    k.SetDitDahRatio(ini.ReadInteger(SectionWinKey, QStringLiteral("DitDahRatio"), k.DitDahRatio()));
    k.SetFarnsworth(false);
    k.SetFarnsworthSpeed(readByte("FarnsworthSpeed", k.FarnsworthSpeed()));
    k.SetFirstExtension(readByte("FirstExtension", k.FirstExtension()));
    const int32_t mode = ini.ReadInteger(SectionWinKey, QStringLiteral("KeyerMode"), 0);
    if (mode >= kmIambicA && mode <= kmBug)
        k.SetKeyerMode(TKeyerMode(mode));
    k.SetKeyingCompensation(readByte("KeyingCompensation", k.KeyingCompensation()));
    k.SetPaddleEchoBack(ini.ReadBool(SectionWinKey, QStringLiteral("PaddleEchoBack"), k.PaddleEchoBack()));
    k.SetPaddleSetPoint(readByte("PaddleSetPoint", k.PaddleSetPoint()));
    k.SetPaddleWatchDog(ini.ReadBool(SectionWinKey, QStringLiteral("PaddleWatchDog"), k.PaddleWatchDog()));
    k.SetSerialEchoback(true);
    const int32_t hz = ini.ReadInteger(SectionWinKey, QStringLiteral("SidetoneFrequency"), SidetoneHz[sf752Hz]);
    if (const auto it = std::find(SidetoneHz.begin(), SidetoneHz.end(), hz); it != SidetoneHz.end())
        k.SetSidetoneFrequency(TSidetoneFrequency(it - SidetoneHz.begin()));
    // The range opens fully first, so that any valid stored range comes back exactly.
    const uint8_t maxWPM = readByte("MaxWPM", k.MaxWPM());
    const uint8_t minWPM = readByte("MinWPM", k.MinWPM());
    k.SetMinWPM(5);
    k.SetMaxWPM(maxWPM);
    k.SetMinWPM(minWPM);
    k.SetSpeed(readByte("Speed", k.Speed()));
    k.SetSwapPaddles(ini.ReadBool(SectionWinKey, QStringLiteral("SwapPaddles"), k.SwapPaddles()));
    k.SetSynchronizeSpeed(readByte("SynchronizeSpeed", k.SynchronizeSpeed()));
    k.SetWeighting(readByte("Weighting", k.Weighting()));
}

void TDMCW::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    const TWinKeyer& k = *FWinKey;
    const TCWSidetone& st = *FCWSidetone;

    ini.WriteBool(SectionSidetone, QStringLiteral("Enabled"), FUseSidetone);
    ini.WriteInteger(SectionSidetone, QStringLiteral("Echo"), FSidetoneEcho);
    ini.WriteInteger(SectionSidetone, QStringLiteral("DeviceID"), int32_t(st.DeviceID()));
    ini.WriteInteger(SectionSidetone, QStringLiteral("Pitch"), st.Pitch());
    ini.WriteInteger(SectionSidetone, QStringLiteral("Volume"), st.Volume());

    ini.WriteString(SectionWinKey, QStringLiteral("Port"), FWinKeyComPort->port());
    ini.WriteBool(SectionWinKey, QStringLiteral("AutoSpace"), k.AutoSpace());
    ini.WriteBool(SectionWinKey, QStringLiteral("ContestSpacing"), k.ContestSpacing());
    ini.WriteInteger(SectionWinKey, QStringLiteral("DitDahRatio"), k.DitDahRatio());
    ini.WriteInteger(SectionWinKey, QStringLiteral("FarnsworthSpeed"), k.FarnsworthSpeed());
    ini.WriteInteger(SectionWinKey, QStringLiteral("FirstExtension"), k.FirstExtension());
    ini.WriteInteger(SectionWinKey, QStringLiteral("KeyerMode"), k.KeyerMode());
    ini.WriteInteger(SectionWinKey, QStringLiteral("KeyingCompensation"), k.KeyingCompensation());
    ini.WriteBool(SectionWinKey, QStringLiteral("PaddleEchoBack"), k.PaddleEchoBack());
    ini.WriteInteger(SectionWinKey, QStringLiteral("PaddleSetPoint"), k.PaddleSetPoint());
    ini.WriteBool(SectionWinKey, QStringLiteral("PaddleWatchDog"), k.PaddleWatchDog());
    ini.WriteInteger(SectionWinKey, QStringLiteral("SidetoneFrequency"), SidetoneHz[k.SidetoneFrequency()]);
    ini.WriteInteger(SectionWinKey, QStringLiteral("MaxWPM"), k.MaxWPM());
    ini.WriteInteger(SectionWinKey, QStringLiteral("MinWPM"), k.MinWPM());
    ini.WriteInteger(SectionWinKey, QStringLiteral("Speed"), k.Speed());
    ini.WriteBool(SectionWinKey, QStringLiteral("SwapPaddles"), k.SwapPaddles());
    ini.WriteInteger(SectionWinKey, QStringLiteral("SynchronizeSpeed"), k.SynchronizeSpeed());
    ini.WriteInteger(SectionWinKey, QStringLiteral("Weighting"), k.Weighting());
}

// --- Devices --------------------------------------------------------------------------------

void TDMCW::Open()
{
    FWinKey->SetApplicationType(ApplicationType());
    FWinKey->WKOpen();
}

void TDMCW::Close()
{
    FWinKey->WKClose();
}

void TDMCW::CWSidetoneOpen()
{
    FCWSidetone->SetSpeed(FWinKey->Speed());
    FCWSidetone->Open();
}

// --- Sending --------------------------------------------------------------------------------

void TDMCW::CWSendText(const QString& Text)
{
    if (Text.isEmpty())
        return;
    QString text = FilterText(Text);
    // Macros give the logbook's texts as they are: they pass the same filter, so no control
    // character (a keyer command) and no lower case reaches the keyer.
    if (FLogInterface)
        text = FilterText(FLogInterface->MessageParser(text));
    if (text.isEmpty())
        return;
    if (IsClientRole()) {
        if (FClient)
            FClient->Send(RemoteLine::WK + text + QLatin1Char(';'));
    } else {
        FWinKey->WKSend(text);
    }
    Sounded(text);
}

void TDMCW::CWSendChar(QChar Ch)
{
    if (const QString spelt = SpeltOut(Ch); !spelt.isEmpty())
        return CWSendText(spelt);
    if (Ch >= QLatin1Char('a') && Ch <= QLatin1Char('z'))
        Ch = QChar(Ch.unicode() - 'a' + 'A');
    if (Ch < QLatin1Char(' ') || Ch > QLatin1Char('Z'))
        return;
    if (IsClientRole()) {
        if (FClient)
            FClient->Send(RemoteLine::WK + Ch + QLatin1Char(';'));
    } else {
        FWinKey->WKSendChar(Ch);
    }
    Sounded(QString(Ch));
}

void TDMCW::Sounded(const QString& text)
{
    if (FSidetoneEcho == 0) {
        FCWSidetone->SetSpeed(FWinKey->Speed());
        FCWSidetone->Send(text);
    }
    // Without a radio answering, the echo shows the text at once.
    if (!RadioConnected())
        for (QChar c : text)
            FWinKey->RemoteEcho(c);
}

// --- Keyer events and remote lines ----------------------------------------------------------

void TDMCW::Route(const QString& line)
{
    if (IsServerRole()) {
        if (FServer)
            FServer->ServerBroadcastMessage(line);
    } else if (IsClientRole()) {
        if (FClient)
            FClient->Send(line);
    }
}

void TDMCW::DoWinKeyChanged()
{
    const TWinKeyer& k = *FWinKey;
    FCWSidetone->SetSpeed(k.Speed());
    Route(RemoteLine::KeyerSettingsLine(k.Status(), k.SynchronizeSpeed(), k.MinWPM(), k.MaxWPM(), k.Speed(), k.SpeedPot()));
}

void TDMCW::DoWinKeySpeed(uint8_t MinWPM, uint8_t Speed, uint8_t MaxWPM, uint8_t SpeedPot)
{
    FCWSidetone->SetSpeed(Speed);
    Route(RemoteLine::KeyerSpeedLine(MinWPM, Speed, MaxWPM, SpeedPot, FWinKey->Active()));
    Route(RemoteLine::KeyerTimingLine(Speed, SpeedPot));
}

void TDMCW::DoWinKeyCharacterLocal(QChar c)
{
    if (FSidetoneEcho == 1) {
        FCWSidetone->SetSpeed(FWinKey->Speed());
        FCWSidetone->Send(QString(c));
    }
    if (IsServerRole() && FServer)
        FServer->ServerBroadcastMessage(RemoteLine::WK + c + QLatin1Char(';'));
}

void TDMCW::DoWinKeyClear()
{
    if (IsClientRole() && FClient)
        FClient->Send(RemoteLine::WC + QLatin1Char(';'));
    FCWSidetone->Stop();
}
