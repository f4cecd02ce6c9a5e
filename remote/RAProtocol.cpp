#include "remote/RAProtocol.h"

#include "remote/RATypes.h"

#include <QtEndian>

namespace RAProtocol {

QByteArray EncodeBlock(const char* data, qsizetype size)
{
    QByteArray out;
    out.reserve(4 + size);
    char length[4];
    qToBigEndian<qint32>(qint32(size), length);
    out.append(length, 4);
    if (size > 0)
        out.append(data, size);
    return out;
}

QByteArray EncodeAudio(const char* data, qsizetype size)
{
    if (size != ControlFrameBytes)
        return EncodeBlock(data, size);
    // 148 is a whole number of frames of every sample layout (1, 2 or 4 bytes).
    constexpr qsizetype first = ControlFrameBytes - 2;
    return EncodeBlock(data, first) + EncodeBlock(data + first, size - first);
}

QByteArray EncodeCommandPayload(const QString& Command)
{
    const QString text = Command.leftJustified(CommandLength, QLatin1Char(' '), true);
    QByteArray payload(ControlFrameBytes, Qt::Uninitialized);
    for (int i = 0; i < ControlFrameChars; ++i)
        qToLittleEndian<quint16>(text[i].unicode(), payload.data() + 2 * i);
    return payload;
}

QByteArray EncodeCommand(const QString& Command)
{
    return EncodeBlock(EncodeCommandPayload(Command));
}

std::optional<QString> DecodeControl(const QByteArray& payload)
{
    if (payload.size() != ControlFrameBytes)
        return std::nullopt;
    QString text(ControlFrameChars, Qt::Uninitialized);
    for (int i = 0; i < ControlFrameChars; ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(payload.constData() + 2 * i));
    // Blanks and control characters at both ends.
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    text = text.mid(begin, end - begin);
    if (!text.startsWith(Prefix))
        return std::nullopt;
    return text;
}

QString StripPrefix(const QString& text)
{
    qsizetype at = 0;
    while (text.mid(at).startsWith(Prefix))
        at += Prefix.size();
    return text.mid(at);
}

FrameReader::Result FrameReader::Next(QByteArray& payload)
{
    if (FBuffer.size() < 4)
        return Result::None;
    const qint32 length = qFromBigEndian<qint32>(FBuffer.constData());
    if (length < 0 || length > MaxBlockBytes) {
        FBadLength = length;
        FBuffer.clear();
        return Result::BadLength;
    }
    if (FBuffer.size() - 4 < length)
        return Result::None;
    payload = FBuffer.mid(4, length);
    FBuffer.remove(0, 4 + length);
    return Result::Block;
}

QList<QPair<QString, QString>> Fields(const QString& text)
{
    QList<QPair<QString, QString>> fields;
    qsizetype at = 0;
    for (;;) {
        const qsizetype end = text.indexOf(Separator, at);
        if (end < 0)
            break; // no closing "||": cut off, ignored
        const QString part = text.mid(at, end - at);
        at = end + Separator.size();
        const qsizetype colon = part.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        fields.append({part.left(colon), part.mid(colon + 1)});
    }
    return fields;
}

std::optional<QString> Field(const QList<QPair<QString, QString>>& fields, const QString& key)
{
    for (const auto& f : fields)
        if (f.first == key)
            return f.second;
    return std::nullopt;
}

QString CodecFields(const QString& text)
{
    const auto fields = Fields(text);
    QString message;
    if (auto c = Field(fields, QStringLiteral("C")); c && !c->isEmpty())
        message += QStringLiteral("C:%1||").arg(CodecToString(StringToCodec(*c)));
    if (auto m = Field(fields, QStringLiteral("M")); m && !m->isEmpty()) {
        // Only the first character counts.
        if (m->startsWith(QLatin1Char('1')) || m->startsWith(QLatin1Char('2')))
            message += QStringLiteral("M:%1||").arg(m->at(0));
    }
    if (auto b = Field(fields, QStringLiteral("B")); b && (*b == QLatin1String("8") || *b == QLatin1String("16")))
        message += QStringLiteral("B:%1||").arg(*b);
    return message.isEmpty() ? QString() : Prefix + message;
}

QString LoginText(const QString& User, const QString& Password, const QString& CodecName, int Channels, int BitsPerSample)
{
    // Joined, not formatted: user name and password may hold "%1" and the like.
    return Prefix + QStringLiteral("U:") + User + QStringLiteral("||P:") + Password + QStringLiteral("||C:") + CodecName
         + QStringLiteral("||M:") + QString::number(Channels) + QStringLiteral("||B:") + QString::number(BitsPerSample)
         + Separator;
}

} // namespace RAProtocol
