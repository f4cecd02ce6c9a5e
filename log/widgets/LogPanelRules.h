#pragma once
// The text rules of the QSO entry panel, apart from its widgets: what a typed character
// becomes in each field, what a field holds after the operator leaves it, what the call field
// means (call, report shorthand, frequency command) and the spot line the panel proposes.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace vx::logpanel {

// A key filter's answer for one typed character: the character to insert (perhaps changed),
// or nothing when it is swallowed.
using TKeyResult = std::optional<QChar>;

inline constexpr QChar Backspace = QChar(8);

// Characters the call field takes (after upper-casing); the blank has rules of its own.
bool IsCallCharacter(QChar c);
// Serial number fields: upper case; digits only when numbersOnly.
TKeyResult SerialKey(QChar c, bool numbersOnly);
// Maidenhead locator by the length of what the field holds: field, square, subsquare.
TKeyResult LocatorKey(QChar c, int length);
// IOTA reference such as EU-005, by the length of what the field holds.
TKeyResult IOTAKey(QChar c, int length);
// ASCII a to z upper-cased, anything else unchanged.
QChar UpperAscii(QChar c);

// The call field up to its first blank (the whole text when it has none or begins with one),
// without "?".
QString CallPart(const QString& field);
// "RAEM", or a text before the first blank with a letter A to Z and a digit; at least two
// characters in the field.
bool IsValidCallsign(const QString& field);

// Digital modes whose reports are signal-to-noise ratios ("-15").
bool IsJTMode(const QString& mode, const QString& submode);
// A report of a digital mode as "+nn" or "-nn" from the first two digits of the text; -15
// without digits.
QString JTReport(const QString& text);

// A report typed behind the call: the call text to keep and, when the digits fit the mode,
// the report for the RST-sent field.
struct TShorthand {
    QString Call;
    std::optional<QString> RST;
};
TShorthand ReportShorthand(const QString& field, const QString& mode);

// The IOTA field when it is left: "EU-1" to "EU-001", "EU-12" to "EU-012", 1 to 3 characters
// to nothing.
QString IOTAOnExit(const QString& text);

// Whether the call field holds a frequency command (digits only).
bool IsFrequencyText(const QString& text);
// kHz digits as Hz within the band of the given VFO band; 0 when the digits are too few or
// too many, or the band has no such table, or the frequency is outside it.
int32_t FrequencyFromText(const QString& digits, TBand band);

// The CQ zone of a US state code; 0 for an unknown code.
int CQZoneOfState(const QString& state);
// Position of the log mode in the mode list for a radio mode (0, the empty item, for modes
// the log does not know).
int LogModeItemOfRadioMode(TMode mode);
// The ADIF code that ends a DXCC list item ("DL Fed. Rep. of Germany (230)"), taken from its
// last parentheses so that entity names with parentheses of their own are read right.
std::optional<int32_t> DXCCCodeOfItem(const QString& item);
// A name as the entry shows it: lower case with a capital first letter.
QString NameText(const QString& name);

// The proposed DX spot line: "DX <kHz> <call> " with the frequency in kHz with one decimal
// and "." in every locale; on 6 m the grid follows, with the own locator in front as
// "MINE<>HIS" when there is one.
QString SpotLine(int32_t frequencyA, TBand band, const QString& call, const QString& grid, const QString& myLocator);

} // namespace vx::logpanel
