#include "remote/RemoteLine.h"

namespace RemoteLine {

QString Welcome(const QString& hostname)
{
    return QStringLiteral("MG:Welcome to ") + hostname + QStringLiteral(" FT-2000 Remote Base Server");
}

QString ShuttingDown(const QString& hostname)
{
    return QStringLiteral("MG:") + hostname + QStringLiteral(" is shutting down");
}

QByteArray Encode(const QString& text)
{
    // RTTY text is sent as typed, and a carriage return is one of its characters: the
    // reader keeps a CR that is not right before the LF, so it stays; a LF becomes a CR.
    const bool rtty = IsRTTYCommand(text);
    QByteArray bytes;
    bytes.reserve(text.size() + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (rtty && (c == QLatin1Char('\r') || c == QLatin1Char('\n'))) {
            bytes += '\r';
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            bytes += ' ';
        } else if (c.unicode() < 128) {
            bytes += char(c.unicode());
        } else {
            // One question mark per character, also for one written as a surrogate pair.
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            bytes += '?';
        }
    }
    bytes += "\r\n";
    return bytes;
}

QString Decode(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes)
        *out++ = QLatin1Char(uchar(b) < 128 ? b : '?');
    return text;
}

bool IsRTTYCommand(const QString& text)
{
    return text.size() >= 3 && text[0] == QLatin1Char('R') && text[2] == QLatin1Char(':');
}

QString KeyerSpeedLine(int minWPM, int speed, int maxWPM, int speedPot, bool active)
{
    return QStringLiteral("WS:%1|%2|%3|%4|%5;").arg(minWPM).arg(speed).arg(maxWPM).arg(speedPot).arg(active ? 1 : 0);
}

QString KeyerTimingLine(int speed, int speedPot)
{
    return QStringLiteral("WT:%1|%2;").arg(speed).arg(speedPot);
}

QString KeyerSettingsLine(int status, int sync, int minWPM, int maxWPM, int speed, int speedPot)
{
    return QStringLiteral("WR:%1|%2|%3|%4|%5|%6;").arg(status).arg(sync).arg(minWPM).arg(maxWPM).arg(speed).arg(speedPot);
}

QString RTTYStateLine(bool connected, bool bandPassFilter, bool squelch, int32_t squelchLevel)
{
    return QStringLiteral("RS:%1;RB:%2;RQ:%3;RR:%4;")
        .arg(connected ? 1 : 0)
        .arg(bandPassFilter ? 1 : 0)
        .arg(squelch ? 1 : 0)
        .arg(squelchLevel);
}

std::optional<int32_t> Number(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 9)
        return std::nullopt;
    int32_t value = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString HeartbeatStamp(const QDateTime& local)
{
    return local.toString(QStringLiteral("yyyyMMdd-hhmmsszzz"));
}

std::optional<QDateTime> DecodeHeartbeatStamp(const QString& stamp)
{
    if (stamp.size() < 18)
        return std::nullopt;
    // Field at the 1-based position `from`, `count` digits.
    auto field = [&stamp](int from, int count) -> int {
        int v = 0;
        for (int i = from - 1; i < from - 1 + count; ++i) {
            const QChar c = stamp[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return -1;
            v = v * 10 + (c.unicode() - '0');
        }
        return v;
    };
    const int year = field(1, 4), month = field(5, 2), day = field(7, 2);
    const int hour = field(10, 2), minute = field(12, 2), second = field(14, 2), ms = field(16, 3);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0 || ms < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, ms);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

// --- Reader -------------------------------------------------------------------------------

void Reader::Append(const QByteArray& bytes)
{
    qsizetype from = 0;
    if (FSkipping) {
        const qsizetype lf = bytes.indexOf('\n');
        if (lf < 0)
            return;
        FSkipping = false;
        from = lf + 1;
    }
    FBuffer.append(bytes.constData() + from, bytes.size() - from);
    // The unfinished tail may hold the limit and a CR; past that it can only be too long.
    const qsizetype tail = FBuffer.size() - (FBuffer.lastIndexOf('\n') + 1);
    if (tail > FMaxLength + 1) {
        FBuffer.chop(tail);
        FSkipping = true;
        FTooLong = true;
    }
}

Reader::Result Reader::Next(QString& line)
{
    const qsizetype lf = FBuffer.indexOf('\n');
    if (lf >= 0) {
        qsizetype length = lf;
        if (length > 0 && FBuffer[length - 1] == '\r')
            --length;
        const QByteArray raw = FBuffer.left(length);
        FBuffer.remove(0, lf + 1);
        if (raw.size() > FMaxLength)
            return Result::TooLong;
        line = Decode(raw);
        return Result::Line;
    }
    if (FTooLong) {
        FTooLong = false;
        return Result::TooLong;
    }
    return Result::None;
}

void Reader::Clear()
{
    FBuffer.clear();
    FSkipping = false;
    FTooLong = false;
}

} // namespace RemoteLine
