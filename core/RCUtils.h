#pragma once
// Stateless helpers: CAT parameter text, mode letters, Boolean texts, padding, clamping,
// the angle geometry of the round on-screen controls and the special folders.

#include "core/FTCATTypes.h"

#include <QPoint>
#include <QString>
#include <optional>

// Folders the program keeps its files in.
enum class TSpecialFolder {
    CommonAppData, // per-machine data: $XDG_DATA_HOME
    AppData,       // per-user data: $XDG_CONFIG_HOME
};
QString GetSpecialFolderPath(TSpecialFolder folder);

QChar BoolToCATChar(bool v);
QString BoolToOnOff(bool v);
TMode CATCharToMode(QChar c);
QChar ModeToCATChar(TMode m);
QString ModeToString(TMode m);
QString ValueToPercentText(int32_t maximum, int32_t value);
bool CATTextToBool(const QString& s);
bool CATCharToBool(QChar c);

// The radio's decimal parameters.  Empty text or a character other than sign and digit
// reads as 0, as the radio's answers are read; text of those characters that is still no
// number (a lone sign, a sign between digits, more than 32 bits) is invalid and gives
// nullopt, so the caller skips that answer.
std::optional<int32_t> CATTextToInt(const QString& s);
// As CATTextToInt; values outside 1..255 read as 0.
std::optional<uint8_t> CATTextToByte(const QString& s);
// A fixed field of a record (information answers, memory records, menu values): an optional
// sign and digits only, within 32 bits; anything else, the empty text included, is nullopt.
std::optional<int32_t> DecimalTextToInt(QStringView s);
// A command whose parameter is one Boolean: the code and '1' or '0'.
QString CATFlagCommand(const char* code, bool value);

int ClampInt(int value, int minimum, int maximum);
QString IntToZeroPadded(int width, int64_t value);

// Angles of round controls (screen coordinates, y downwards).
QPoint PolarToPoint(int angleDegrees, QPoint centre, int radius);
double PointAngle(QPoint p, QPoint centre);
double PointAngle2(QPoint p, QPoint centre);
double AngleDifference(double previous, double next);
int DialHelper1(double angle);
