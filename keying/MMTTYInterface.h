#pragma once
// The link to the MMTTY RTTY engine, a program of its own.  The program starts the engine with
// command-line options naming its own window (here: its endpoint on the local message bus);
// from then on both sides only post the registered message "MMTTY" to each other.  The
// program sends commands (transmit, receive, characters, switches, squelch level); the engine
// reports its window, its start, received characters, PTT, mode parameters, switches and
// levels.
//
// Mirrored state follows the keying rule: PrepareTX and a setter sends the change to the
// engine without storing it (the engine's report stores it); a message from the engine
// (WndProc clears the flag itself) stores the value and raises its event.  A change made on
// the user's behalf is therefore not echoed back.
//
// When the engine's endpoint goes away (it closed, its process ended) the link falls back as
// after Stop, without posting: an engine that is gone must not be shown as running.

#include "core/RCTypes.h"
#include "platform/Clock.h"
#include "platform/MessageBus.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

// How the engine shows itself; only the command line of Start depends on it.
class TMMTTYStartOptions {
public:
    bool ControlButtons() const { return FControlButtons; }
    void SetControlButtons(bool value) { FControlButtons = value; }
    bool ControlMenues() const { return FControlMenues; }
    void SetControlMenues(bool value) { FControlMenues = value; }
    bool Hidden() const { return FHidden; }
    void SetHidden(bool value) { FHidden = value; }
    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool value) { FStayOnTop = value; }

private:
    bool FControlButtons = false;
    bool FControlMenues = false;
    bool FHidden = false;
    bool FStayOnTop = false;
};

class TMMTTYInterface : public QObject {
    Q_OBJECT
public:
    // The registered name of the messages both ways.
    static inline const QString MessageName = QStringLiteral("MMTTY");

    // wParam of the program's messages to the engine.
    enum : uint32_t {
        mmWindow = 0,        // lParam: the program's window
        mmClose = 2,
        mmRXTX = 3,          // lParam: one of the three below, or mmClearBuffer
        mmChar = 4,          // lParam: character code
        mmSetSwitches = 11,  // lParam: switch word
        mmSquelchLevel = 15, // lParam: level
    };
    enum : int64_t { rxNow = 0, rxAfterSent = 1, txOn = 2, clearBuffer = 4 };
    // wParam of the engine's messages.
    enum : uint32_t {
        mmEngineWindow = 0x8000,
        mmWindowRequest = 0x8001,
        mmStarted = 0x8002,
        mmRXChar = 0x8003,
        mmPTT = 0x8004,
        mmBaudRate = 0x8006,
        mmMark = 0x8007,
        mmSpace = 0x8008,
        mmSwitches = 0x8009,
        mmLevels = 0x800B,
    };
    // Bits of the switch word.
    static constexpr int32_t BandPassFilterBit = 0x20;
    static constexpr int32_t SquelchBit = 0x80;

    explicit TMMTTYInterface(QObject* parent = nullptr);
    ~TMMTTYInterface() override;

    // The owner's endpoint (its id is the window the engine posts to and the command line
    // names) and the number of the registered message.
    void Prepare(vx::BusEndpoint* owner, uint32_t message);
    uint32_t Message() const { return FMessage; }
    // The owner's window handle: its endpoint id (0 before Prepare).
    quint64 MainWindow() const;
    // The engine's window, BusBroadcast while none is known.
    quint64 EngineWindow() const { return FEngineWindow; }

    void PrepareRX() { FUserCommand = false; }
    void PrepareTX() { FUserCommand = true; }

    // Runs MMTTYPath with the options of StartArguments (no shell).  Nothing happens while
    // connected, with an empty path, when no such file exists or before Prepare; true when the
    // program was started.
    bool Start();
    // "-m" or "-t" with the option letters, then "-h" and the window in hexadecimal.
    QStringList StartArguments() const;
    void Stop();
    void Clear();
    void RX();
    void TX();
    void Send(const QString& Text);
    void SendMessage(const QString& Text);
    void SetSwitchInformation(int32_t value);
    // One message of the registered number from the engine.
    void WndProc(const vx::BusMessage& message);
    // The owner's endpoint reports a peer gone.
    void PeerGone(quint64 peer);

    bool BandPassFilter() const { return FBandPassFilter; }
    void SetBandPassFilter(bool value);
    int32_t BaudRate() const { return FBaudRate; }
    void SetBaudRate(int32_t value) { FBaudRate = value; }
    bool Connected() const { return FConnected; }
    uint16_t LevelTimerInterval() const { return FLevelTimerInterval; }
    void SetLevelTimerInterval(uint16_t value);
    int32_t Mark() const { return FMark; }
    void SetMark(int32_t value) { FMark = value; }
    int32_t Space() const { return FSpace; }
    void SetSpace(int32_t value) { FSpace = value; }
    int32_t Shift() const { return FSpace - FMark; }
    QString MMTTYPath() const { return FMMTTYPath; }
    void SetMMTTYPath(const QString& value) { FMMTTYPath = value; }
    TMMTTYStartOptions& MMTTYStartOptions() { return FStartOptions; }
    const TMMTTYStartOptions& MMTTYStartOptions() const { return FStartOptions; }
    bool PTT() const { return FPTT; }
    void SetPTT(bool value);
    uint16_t SignalLevel() const { return FSignalLevel; }
    bool Squelch() const { return FSquelch; }
    void SetSquelch(bool value);
    uint16_t SquelchLevel() const { return FSquelchLevel; }
    void SetSquelchLevel(uint16_t value);
    // The last switch word the engine reported.
    int32_t SwitchWord() const { return FSwitchWord; }
    vx::Timer* LevelTimer() const { return FLevelTimer; }

    TSwitchEvent OnBandPassFilter;
    TSwitchEvent OnConnected;
    TSwitchEvent OnPTT;
    TSwitchEvent OnSquelch;
    TStringEvent OnRXText;
    TWordEvent OnSignalLevel;
    TWordEvent OnSignalLevelTimer;
    TWordEvent OnSquelchLevel;

    // The characters the engine's received text is passed on with.
    static bool IsReceivedCharacter(uint32_t code);

private:
    void Post(uint32_t wParam, int64_t lParam);
    void SetConnected(bool value);
    void SetSignalLevel(uint16_t value);
    void UpdateLevelTimer();
    // Connected ends without a word to the engine.
    void Disconnect();

    vx::BusEndpoint* FOwner = nullptr;
    uint32_t FMessage = 0;
    quint64 FEngineWindow = vx::BusBroadcast;
    bool FUserCommand = true;
    int32_t FSwitchWord = 0;

    bool FBandPassFilter = false;
    int32_t FBaudRate = 4545;
    bool FConnected = false;
    uint16_t FLevelTimerInterval = 500;
    int32_t FMark = 1275;
    int32_t FSpace = 1445;
    QString FMMTTYPath;
    TMMTTYStartOptions FStartOptions;
    bool FPTT = false;
    uint16_t FSignalLevel = 0;
    bool FSquelch = false;
    uint16_t FSquelchLevel = 0;
    vx::Timer* FLevelTimer;
};

// What a program's main window does for the engine link: registers "MMTTY", prepares the link
// with the window's endpoint and the number, and hands it every "MMTTY" message and every
// report of a peer gone.  Returns the number, 0 when the name could not be registered.
uint32_t HookMMTTYInterface(vx::BusEndpoint& owner, TMMTTYInterface& link);
