#pragma once
// The remote audio link's byte format, shared by the audio server and client.  Each message is
// a 4-byte signed big-endian length followed by that many payload bytes; a payload of exactly
// 150 bytes is a control frame (the first 75 characters of a text in UTF-16LE that begins
// "REMAUD||"), any other an audio block in the sender's device format.
//
// Control texts carry "key:value||" fields.  They are read field by field in order, so a
// value (a password, a user name) can never be mistaken for a key of its own.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>
#include <optional>

namespace RAProtocol {

constexpr int ControlFrameBytes = 150;
// Characters of a control text that travel (two bytes each).
constexpr int ControlFrameChars = ControlFrameBytes / 2;
// Length of a control text before encoding: padded with blanks or cut to this.
constexpr int CommandLength = 150;
// The largest payload accepted; a length field above it (or below 0) ends the connection.
constexpr int32_t MaxBlockBytes = 1024 * 1024;

inline const QString Prefix = QStringLiteral("REMAUD||");
inline const QString Separator = QStringLiteral("||");
inline const QString PTTOn = QStringLiteral("REMAUD||P:1||");
inline const QString PTTOff = QStringLiteral("REMAUD||P:0||");
inline const QString EchoOn = QStringLiteral("REMAUD||E:1||");
inline const QString EchoOff = QStringLiteral("REMAUD||E:0||");
inline const QString InvalidLogin = QStringLiteral("REMAUD||D:Invalid user or password||");
inline const QString ServerShutdown = QStringLiteral("REMAUD||D:Server Shutdown||");

// Length field and payload of one message.
QByteArray EncodeBlock(const char* data, qsizetype size);
inline QByteArray EncodeBlock(const QByteArray& payload)
{
    return EncodeBlock(payload.constData(), payload.size());
}
// One or two messages carrying an audio block: a block of exactly 150 bytes would be read as
// a control frame, so it goes out as two blocks that play the same.
QByteArray EncodeAudio(const char* data, qsizetype size);
// The 150-byte payload of a control text: padded with blanks or cut to 150 characters, of
// which the first 75 travel.
QByteArray EncodeCommandPayload(const QString& Command);
// The whole message of a control text.
QByteArray EncodeCommand(const QString& Command);

// The text of a control frame payload, trimmed of blanks and control characters; nothing when
// the payload is no control frame or the text does not begin "REMAUD||".
std::optional<QString> DecodeControl(const QByteArray& payload);
// The text after the leading "REMAUD||" (repeated ones included); values keep what they hold.
QString StripPrefix(const QString& text);

// Splits a byte stream into messages.  Never holds more than one message plus what the peer
// sent after it; a bad length field is noticed as soon as it arrives.
class FrameReader {
public:
    enum class Result { None, Block, BadLength };

    void Append(const QByteArray& bytes) { FBuffer.append(bytes); }
    // The next whole message's payload; BadLength when its length field is negative or above
    // MaxBlockBytes (the reader then holds nothing and must not be used further).
    Result Next(QByteArray& payload);
    void Clear() { FBuffer.clear(); }
    // Length field of the refused message.
    qint64 BadLengthValue() const { return FBadLength; }
    qsizetype Buffered() const { return FBuffer.size(); }

private:
    QByteArray FBuffer;
    qint64 FBadLength = 0;
};

// The "key:value||" fields of a control text (after the prefix), in order.  A part without
// ":" is skipped; the last part without its closing "||" (cut by the 75-character limit) is
// ignored.
QList<QPair<QString, QString>> Fields(const QString& text);
// The value of the first field with that key.
std::optional<QString> Field(const QList<QPair<QString, QString>>& fields, const QString& key);

// A codec message holding only the codec, channel and bit-depth fields that the text carries
// with usable values, in the form the codec's request parser reads; empty when it carries none.
QString CodecFields(const QString& text);

// The login text a client sends, before padding.
QString LoginText(const QString& User, const QString& Password, const QString& CodecName, int Channels, int BitsPerSample);

} // namespace RAProtocol
