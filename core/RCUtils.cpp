#include "core/RCUtils.h"

#include <QDir>
#include <QStandardPaths>
#include <cmath>
#include <limits>

QString GetSpecialFolderPath(TSpecialFolder folder)
{
    // The XDG variables win, so tests and users can move the folders.
    const char* var = folder == TSpecialFolder::CommonAppData ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME";
    QString path = qEnvironmentVariable(var);
    if (path.isEmpty()) {
        path = folder == TSpecialFolder::CommonAppData
                   ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                   : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }
    if (path.size() > 260)
        return {};
    return QDir::cleanPath(path);
}

QChar BoolToCATChar(bool v)
{
    return v ? QLatin1Char('1') : QLatin1Char('0');
}

QString BoolToOnOff(bool v)
{
    return v ? QStringLiteral("on") : QStringLiteral("off");
}

TMode CATCharToMode(QChar c)
{
    switch (c.unicode()) {
    case '1': return mdLSB;
    case '2': return mdUSB;
    case '3': return mdCW;
    case '4': return mdFM;
    case '5': return mdAM;
    case '6': return mdFSK;
    case '7': return mdCW_R;
    case '8': return mdPKT_L;
    case '9': return mdFSK_R;
    case 'A': return mdPKT_FM;
    case 'B': return mdFM_N;
    case 'C': return mdPKT_U;
    default: return mdCW;
    }
}

QChar ModeToCATChar(TMode m)
{
    static const char chars[] = "123456789ABC";
    return QLatin1Char(chars[m]);
}

QString ModeToString(TMode m)
{
    static const char* const names[] = {"LSB", "USB", "CW", "FM", "AM", "FSK", "CW reverse", "Packet",
                                        "FSK reverse", "Packet FM", "FM narrow", "Packet"};
    return QString::fromLatin1(names[m]);
}

QString ValueToPercentText(int32_t maximum, int32_t value)
{
    if (maximum == 0)
        return QStringLiteral("0");
    const double p = double(value) * 100.0 / double(maximum);
    return QString::number(int64_t(std::trunc(p)));
}

bool CATTextToBool(const QString& s)
{
    return !s.isEmpty() && s.at(0) == QLatin1Char('1');
}

bool CATCharToBool(QChar c)
{
    return c == QLatin1Char('1');
}

std::optional<int32_t> CATTextToInt(const QString& s)
{
    if (s.isEmpty())
        return 0;
    for (QChar c : s) {
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('+') && c != QLatin1Char('-'))
            return 0;
    }
    int i = 0;
    bool negative = false;
    if (s[0] == QLatin1Char('+') || s[0] == QLatin1Char('-')) {
        negative = s[0] == QLatin1Char('-');
        i = 1;
    }
    if (i >= s.size())
        return std::nullopt; // lone sign
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (!c.isDigit())
            return std::nullopt; // sign between digits
        v = v * 10 + (c.unicode() - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return int32_t(v);
}

std::optional<uint8_t> CATTextToByte(const QString& s)
{
    const auto v = CATTextToInt(s);
    if (!v)
        return std::nullopt;
    if (*v >= 1 && *v <= 255)
        return uint8_t(*v);
    return 0;
}

std::optional<int32_t> DecimalTextToInt(QStringView s)
{
    if (s.isEmpty())
        return std::nullopt;
    for (QChar c : s) {
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('+') && c != QLatin1Char('-'))
            return std::nullopt;
    }
    return CATTextToInt(s.toString());
}

QString CATFlagCommand(const char* code, bool value)
{
    return QLatin1String(code) + BoolToCATChar(value);
}

int ClampInt(int value, int minimum, int maximum)
{
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

QString IntToZeroPadded(int width, int64_t value)
{
    QString s = QString::number(value);
    while (s.size() < width)
        s.prepend(QLatin1Char('0'));
    return s;
}

namespace {
// Rounds halves to the even neighbour.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}
} // namespace

QPoint PolarToPoint(int angleDegrees, QPoint centre, int radius)
{
    const int b = angleDegrees >= 180 ? angleDegrees - 180 : angleDegrees + 180;
    const double rad = b * M_PI / 180.0;
    return QPoint(centre.x() - roundEven(radius * std::sin(rad)), centre.y() + roundEven(radius * std::cos(rad)));
}

double PointAngle(QPoint p, QPoint centre)
{
    const double dx = p.x() - centre.x();
    const double dy = centre.y() - p.y();
    double a;
    if (dx == 0) {
        a = M_PI / 2;
    } else {
        a = std::atan(dy / dx);
        if (dx < 0)
            a += M_PI;
    }
    return 3 * M_PI / 2 - a;
}

double PointAngle2(QPoint p, QPoint centre)
{
    return PointAngle(p, centre);
}

double AngleDifference(double previous, double next)
{
    const double twoPi = 2 * M_PI;
    double a = previous == twoPi ? 0 : previous;
    double b = next == twoPi ? 0 : next;
    double wrapped, direct;
    if (b > a) {
        wrapped = -(twoPi - (b - a));
        direct = b - a;
    } else {
        wrapped = twoPi - (a - b);
        direct = -(a - b);
    }
    return std::fabs(wrapped) > std::fabs(direct) ? direct : wrapped;
}

int DialHelper1(double angle)
{
    const uint16_t d = uint16_t(roundEven(angle * 180.0 / M_PI));
    return d < 180 ? d + 180 : d - 180;
}
