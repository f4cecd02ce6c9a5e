#pragma once
// The line format of the remote control link: text lines ending in CR LF, 7-bit ASCII, at
// most 16384 bytes, each a two-letter prefix, ":" and a payload; the fixed texts of the login
// dialogue; the status lines both sides build; the heartbeat stamp "yyyymmdd-hhnnsszzz".

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace RemoteLine {

constexpr int MaxLength = 16384;
// The port the listening component starts with; the stored setting defaults to 0.
constexpr uint16_t PresetPort = 7300;

// Prefixes.
inline const QString A0 = QStringLiteral("A0:"); // CAT command or answer
inline const QString DV = QStringLiteral("DV:"); // voice keyer (microHAM router)
inline const QString ID = QStringLiteral("ID:"); // radio identification
inline const QString JT = QStringLiteral("JT:"); // QSO logged by WSJT-X
inline const QString MG = QStringLiteral("MG:"); // login dialogue and notices
inline const QString PI = QStringLiteral("PI:"); // heartbeat
inline const QString SM = QStringLiteral("SM:"); // meter display switch
inline const QString WC = QStringLiteral("WC:"); // keyer buffer cleared
inline const QString WK = QStringLiteral("WK:"); // CW text
inline const QString WR = QStringLiteral("WR:"); // keyer settings
inline const QString WS = QStringLiteral("WS:"); // keyer speed
inline const QString WT = QStringLiteral("WT:"); // keyer speed and pot

// Login dialogue.
inline const QString YourCallsign = QStringLiteral("MG:Your Callsign:");
inline const QString YourPassword = QStringLiteral("MG:Your Password:");
inline const QString UserNotRegistered = QStringLiteral("MG:User not registered. Disconnect.");
inline const QString LoginOK = QStringLiteral("MG:Login OK");
inline const QString WrongLogin = QStringLiteral("MG:Wrong Login. Disconnect.");
inline const QString CallsignAnswer = QStringLiteral("Callsign "); // after "MG:"
inline const QString PasswordAnswer = QStringLiteral("Password "); // after "MG:"
QString Welcome(const QString& hostname);
QString ShuttingDown(const QString& hostname);

// The bytes of one line: every character outside 7-bit ASCII becomes "?", and a CR or LF
// inside the text a blank, so that the text stays one line; then CR LF.  In an RTTY line
// (IsRTTYCommand) a CR stays and a LF becomes a CR: they are characters to transmit.
QByteArray Encode(const QString& text);
// Received bytes as text: every byte above 127 becomes "?".
QString Decode(const QByteArray& bytes);

// An RTTY command: "R", a letter, ":".
bool IsRTTYCommand(const QString& text);

// Status lines.
QString KeyerSpeedLine(int minWPM, int speed, int maxWPM, int speedPot, bool active); // "WS:"
QString KeyerTimingLine(int speed, int speedPot);                                      // "WT:"
QString KeyerSettingsLine(int status, int sync, int minWPM, int maxWPM, int speed, int speedPot); // "WR:"
// "RS:" c ";RB:" b ";RQ:" q ";RR:" level ";": four commands on one line.
QString RTTYStateLine(bool connected, bool bandPassFilter, bool squelch, int32_t squelchLevel);

// A decimal number of a keyer, RTTY or meter field; nothing for anything else.
std::optional<int32_t> Number(const QString& text);

// The heartbeat stamp of a local time: "yyyymmdd-hhnnsszzz", 18 characters.
QString HeartbeatStamp(const QDateTime& local);
// The time of a stamp read from its fixed positions; nothing when it is not a valid time.
std::optional<QDateTime> DecodeHeartbeatStamp(const QString& stamp);

// Splits received bytes into lines at LF, dropping one CR before it.  A line longer than the
// limit is reported once as TooLong; its bytes are dropped up to the next LF, however late it
// comes, so the reader never holds more than the limit.
class Reader {
public:
    enum class Result { None, Line, TooLong };

    explicit Reader(int maxLength = MaxLength)
        : FMaxLength(maxLength)
    {
    }
    void Append(const QByteArray& bytes);
    // The next complete line (Line), a line that was too long (TooLong), or nothing yet.
    Result Next(QString& line);
    void Clear();

private:
    int FMaxLength;
    QByteArray FBuffer;
    bool FSkipping = false;  // inside a line that was too long
    bool FTooLong = false;   // reported by the next call of Next
};

} // namespace RemoteLine
