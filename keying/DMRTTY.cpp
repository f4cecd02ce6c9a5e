#include "keying/DMRTTY.h"

#include "core/DMApplication.h"
#include "core/RemoteLinks.h"
#include "keying/MMTTYInterface.h"
#include "keying/RTTYPanelLink.h"
#include "log/LogInterface.h"

#include <algorithm>

TDMRTTY* DMRTTY = nullptr;

namespace {

QString Bit(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// Levels are 16-bit values; a larger number from the link is held at the top.
uint16_t Word(int32_t value)
{
    return uint16_t(std::clamp<int32_t>(value, 0, 0xFFFF));
}

} // namespace

TDMRTTY::TDMRTTY(QObject* parent)
    : QObject(parent)
    , FMMTTYInterface(new TMMTTYInterface(this))
{
    DMRTTY = this;
    TMMTTYInterface& link = *FMMTTYInterface;
    link.SetLevelTimerInterval(500);
    link.OnBandPassFilter = [this](bool v) { DoBandPassFilter(v); };
    link.OnConnected = [this](bool v) { DoConnected(v); };
    link.OnPTT = [this](bool v) { DoPTT(v); };
    link.OnRXText = [this](const QString& v) { DoRXText(v); };
    link.OnSignalLevel = [this](uint16_t v) { DoSignalLevel(v); };
    link.OnSignalLevelTimer = [this](uint16_t v) { DoSignalLevelTimer(v); };
    link.OnSquelch = [this](bool v) { DoSquelch(v); };
    link.OnSquelchLevel = [this](uint16_t v) { DoSquelchLevel(v); };
}

TDMRTTY::~TDMRTTY()
{
    // The panel may outlive the module; its events must not reach it then.
    SetRTTYPanel(nullptr);
    if (DMRTTY == this)
        DMRTTY = nullptr;
}

// --- Settings -------------------------------------------------------------------------------

void TDMRTTY::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    TMMTTYInterface& link = *FMMTTYInterface;
    TMMTTYStartOptions& options = link.MMTTYStartOptions();
    link.SetMMTTYPath(ini.ReadString(Section, QStringLiteral("MMTTYPath"), QString()));
    options.SetControlButtons(ini.ReadBool(Section, QStringLiteral("ControlButtons"), false));
    options.SetControlMenues(ini.ReadBool(Section, QStringLiteral("ControlMenues"), false));
    options.SetHidden(ini.ReadBool(Section, QStringLiteral("Hidden"), false));
    options.SetStayOnTop(ini.ReadBool(Section, QStringLiteral("StayOnTop"), false));
    link.SetLevelTimerInterval(Word(ini.ReadInteger(Section, QStringLiteral("LevelTimerInterval"), 500)));
    FUseMMTTYEngine = ini.ReadBool(Section, QStringLiteral("UseMMTTYEngine"), false);
    FRunMMTTYLocal = ini.ReadBool(Section, QStringLiteral("RunMMTTYLocal"), false);
}

void TDMRTTY::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    const TMMTTYInterface& link = *FMMTTYInterface;
    const TMMTTYStartOptions& options = link.MMTTYStartOptions();
    ini.WriteString(Section, QStringLiteral("MMTTYPath"), link.MMTTYPath());
    ini.WriteBool(Section, QStringLiteral("ControlButtons"), options.ControlButtons());
    ini.WriteBool(Section, QStringLiteral("ControlMenues"), options.ControlMenues());
    ini.WriteBool(Section, QStringLiteral("Hidden"), options.Hidden());
    ini.WriteBool(Section, QStringLiteral("StayOnTop"), options.StayOnTop());
    ini.WriteInteger(Section, QStringLiteral("LevelTimerInterval"), link.LevelTimerInterval());
    ini.WriteBool(Section, QStringLiteral("UseMMTTYEngine"), FUseMMTTYEngine);
    ini.WriteBool(Section, QStringLiteral("RunMMTTYLocal"), FRunMMTTYLocal);
}

// --- Panel ----------------------------------------------------------------------------------

void TDMRTTY::SetRTTYPanel(TRTTYPanelLink* value)
{
    if (FRTTYPanel == value)
        return;
    if (FRTTYPanel) {
        TRTTYPanelLink& old = *FRTTYPanel;
        old.OnMMTTYOpen = nullptr;
        old.OnMMTTYClose = nullptr;
        old.OnMMTTYBandPassFilter = nullptr;
        old.OnMMTTYSquelch = nullptr;
        old.OnMMTTYSquelchLevel = nullptr;
        old.OnMMTTYTX = nullptr;
        old.OnMMTTYSend = nullptr;
        old.OnMMTTYSendMessage = nullptr;
    }
    FRTTYPanel = value;
    if (!value)
        return;
    TRTTYPanelLink& panel = *value;
    TMMTTYInterface& link = *FMMTTYInterface;
    panel.OnMMTTYOpen = [this, &link] {
        if (IsClientRole()) {
            SendToServer(QStringLiteral("RA:;"));
            if (FRunMMTTYLocal)
                link.Start();
        } else {
            link.Start();
        }
    };
    panel.OnMMTTYClose = [this, &link] {
        if (IsClientRole()) {
            SendToServer(QStringLiteral("RZ:;"));
            if (FRunMMTTYLocal)
                link.Stop();
        } else {
            link.Stop();
        }
    };
    panel.OnMMTTYBandPassFilter = [this, &link](bool v) {
        if (IsClientRole()) {
            SendToServer(QStringLiteral("RB:%1;").arg(Bit(v)));
        } else {
            link.PrepareTX();
            link.SetBandPassFilter(v);
        }
    };
    panel.OnMMTTYSquelch = [this, &link](bool v) {
        if (IsClientRole()) {
            SendToServer(QStringLiteral("RQ:%1;").arg(Bit(v)));
        } else {
            link.PrepareTX();
            link.SetSquelch(v);
        }
    };
    panel.OnMMTTYSquelchLevel = [this, &link](uint16_t v) {
        if (IsClientRole()) {
            SendToServer(QStringLiteral("RR:%1;").arg(v));
        } else {
            link.PrepareTX();
            link.SetSquelchLevel(v);
        }
    };
    panel.OnMMTTYTX = [this, &link] {
        if (IsClientRole())
            SendToServer(QStringLiteral("RX:;"));
        else
            link.TX();
    };
    panel.OnMMTTYSend = [this](const QString& text) { Send(text); };
    panel.OnMMTTYSendMessage = [this](const QString& text) { SendMessage(text); };
    // OnMMTTYClear stays the panel's own.
}

// --- Entry points ---------------------------------------------------------------------------

void TDMRTTY::SendToServer(const QString& line)
{
    if (FClient)
        FClient->Send(line);
}

void TDMRTTY::Broadcast(const QString& line)
{
    if (IsServerRole() && FServer)
        FServer->ServerBroadcastMessage(line);
}

QString TDMRTTY::ExpandMacros(const QString& text) const
{
    return FLogInterface ? FLogInterface->MessageParser(text) : text;
}

void TDMRTTY::PrepareTX()
{
    FMMTTYInterface->PrepareTX();
}

void TDMRTTY::PrepareRX()
{
    FMMTTYInterface->PrepareRX();
}

void TDMRTTY::Open()
{
    if (!FUseMMTTYEngine)
        return;
    TMMTTYInterface& link = *FMMTTYInterface;
    if (IsClientRole())
        SendToServer(link.Connected() ? QStringLiteral("RZ:;") : QStringLiteral("RA:;"));
    else if (link.Connected())
        link.Stop();
    else
        link.Start();
}

void TDMRTTY::Close()
{
    FMMTTYInterface->Stop();
}

void TDMRTTY::Clear()
{
    if (IsClientRole())
        SendToServer(QStringLiteral("RC:;"));
    else
        FMMTTYInterface->Clear();
}

void TDMRTTY::Send(const QString& Text)
{
    if (IsClientRole())
        SendToServer(QStringLiteral("RS:") + Text + QLatin1Char(';'));
    else
        FMMTTYInterface->Send(Text);
}

void TDMRTTY::SendMessage(const QString& Text)
{
    const QString text = ExpandMacros(Text);
    if (IsClientRole())
        SendToServer(QStringLiteral("RM:") + text + QLatin1Char(';'));
    else
        FMMTTYInterface->SendMessage(text);
}

void TDMRTTY::TX()
{
    if (IsClientRole())
        SendToServer(QStringLiteral("RX:;"));
    else
        FMMTTYInterface->TX();
}

bool TDMRTTY::BandPassFilter() const
{
    return FMMTTYInterface->BandPassFilter();
}

void TDMRTTY::SetBandPassFilter(bool value)
{
    if (!IsClientRole())
        FMMTTYInterface->SetBandPassFilter(value);
    else if (FRTTYPanel)
        FRTTYPanel->SetBandPassFilter(value);
}

bool TDMRTTY::Squelch() const
{
    return FMMTTYInterface->Squelch();
}

void TDMRTTY::SetSquelch(bool value)
{
    if (!IsClientRole())
        FMMTTYInterface->SetSquelch(value);
    else if (FRTTYPanel)
        FRTTYPanel->SetSquelch(value);
}

int32_t TDMRTTY::SquelchLevel() const
{
    return FMMTTYInterface->SquelchLevel();
}

void TDMRTTY::SetSquelchLevel(int32_t value)
{
    if (!IsClientRole())
        FMMTTYInterface->SetSquelchLevel(Word(value));
    else if (FRTTYPanel)
        FRTTYPanel->SetSquelchLevel(Word(value));
}

void TDMRTTY::SetSignalLevel(int32_t value)
{
    if (IsClientRole() && FRTTYPanel)
        FRTTYPanel->SetSignalLevel(Word(value));
}

void TDMRTTY::RXText(const QString& Text)
{
    if (FRTTYPanel && !Text.isEmpty())
        FRTTYPanel->SetRXText(Text);
}

void TDMRTTY::SetPTT(bool value)
{
    if (FRTTYPanel)
        FRTTYPanel->SetPTT(value);
}

void TDMRTTY::SetConnected(bool value)
{
    if (FRTTYPanel)
        FRTTYPanel->SetConnected(value);
}

void TDMRTTY::SwitchInformation(int32_t)
{
    // No part of the system sends it; a server's word changes nothing here.
}

bool TDMRTTY::IsConnected() const
{
    return FMMTTYInterface->Connected();
}

// --- Engine events --------------------------------------------------------------------------
// The clients hear of a change before this program's panel shows it.

void TDMRTTY::DoBandPassFilter(bool value)
{
    Broadcast(QStringLiteral("RB:%1;").arg(Bit(value)));
    if (ShowsEngine() && FRTTYPanel)
        FRTTYPanel->SetBandPassFilter(value);
}

void TDMRTTY::DoConnected(bool value)
{
    Broadcast(QStringLiteral("RS:%1;").arg(Bit(value)));
    if (ShowsEngine() && FRTTYPanel)
        FRTTYPanel->SetConnected(value);
    Fire(OnConnected, value);
}

void TDMRTTY::DoPTT(bool value)
{
    Broadcast(QStringLiteral("RP:%1;").arg(Bit(value)));
    if (ShowsEngine() && FRTTYPanel)
        FRTTYPanel->SetPTT(value);
    Fire(OnPTT, value);
}

void TDMRTTY::DoRXText(const QString& value)
{
    Broadcast(QStringLiteral("RM:%1;").arg(value));
    const TApplicationType role = Role();
    if ((role == isLocal || role == isLocalAndRemoteServer) && FRTTYPanel) {
        bool ok = false;
        const uint code = value.toUInt(&ok);
        if (ok && code <= 0xFFFF)
            FRTTYPanel->SetRXText(QString(QChar(char16_t(code))));
    }
}

void TDMRTTY::DoSignalLevel(uint16_t value)
{
    if (ShowsEngine() && FRTTYPanel)
        FRTTYPanel->SetSignalLevel(value);
}

void TDMRTTY::DoSignalLevelTimer(uint16_t value)
{
    Broadcast(QStringLiteral("RL:%1;").arg(value));
}

void TDMRTTY::DoSquelch(bool value)
{
    Broadcast(QStringLiteral("RQ:%1;").arg(Bit(value)));
    if (ShowsEngine() && FRTTYPanel)
        FRTTYPanel->SetSquelch(value);
}

void TDMRTTY::DoSquelchLevel(uint16_t value)
{
    Broadcast(QStringLiteral("RR:%1;").arg(value));
    if (ShowsEngine() && FRTTYPanel)
        FRTTYPanel->SetSquelchLevel(value);
}
