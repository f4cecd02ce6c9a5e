#include "platform/GsmCodec.h"

#include <QDataStream>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int16_t> tone(double freq, double rate, int count, double amplitude)
{
    std::vector<int16_t> v(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        v[size_t(i)] = int16_t(std::lround(amplitude * std::sin(2.0 * M_PI * freq * i / rate)));
    return v;
}

// Signal-to-noise ratio in dB of a decoded signal against the original, skipping the start
// where the codec settles.
double snrDb(const std::vector<int16_t>& ref, const std::vector<int16_t>& out, size_t skip)
{
    double signal = 0, noise = 0;
    for (size_t i = skip; i < std::min(ref.size(), out.size()); ++i) {
        signal += double(ref[i]) * ref[i];
        const double d = double(ref[i]) - out[i];
        noise += d * d;
    }
    return 10.0 * std::log10(signal / std::max(noise, 1.0));
}

std::vector<int16_t> toSamples(const QByteArray& bytes)
{
    std::vector<int16_t> v(size_t(bytes.size() / 2));
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = int16_t(uint16_t(uint8_t(bytes[qsizetype(2 * i)])) | uint16_t(uint8_t(bytes[qsizetype(2 * i + 1)])) << 8);
    return v;
}

QByteArray toBytes(const std::vector<int16_t>& v)
{
    QByteArray b(qsizetype(v.size() * 2), Qt::Uninitialized);
    for (size_t i = 0; i < v.size(); ++i) {
        b[qsizetype(2 * i)] = char(uint16_t(v[i]) & 0xFF);
        b[qsizetype(2 * i + 1)] = char(uint16_t(v[i]) >> 8);
    }
    return b;
}

} // namespace

TEST(Gsm610, BlockOf320SamplesIs65Bytes)
{
    vx::GsmEncoder enc;
    const auto pcm = tone(700, 8000, vx::GsmSamplesPerBlock, 8000);
    QByteArray block = enc.feed(reinterpret_cast<const char*>(toBytes(pcm).constData()), 640);
    EXPECT_EQ(block.size(), 65);
    // A partial block waits for the rest.
    EXPECT_TRUE(enc.feed(toBytes(pcm).constData(), 300).isEmpty());
    EXPECT_EQ(enc.feed(toBytes(pcm).constData() + 300, 340).size(), 65);
}

TEST(Gsm610, ToneSurvivesEncodeAndDecode)
{
    const int blocks = 50; // 2 s at 8 kHz
    const auto pcm = tone(700, 8000, blocks * vx::GsmSamplesPerBlock, 10000);
    const QByteArray pcmBytes = toBytes(pcm);

    vx::GsmEncoder enc;
    vx::GsmDecoder dec;
    // Odd feed sizes: the streams must carry partial blocks across calls.
    QByteArray gsm, decoded;
    for (qsizetype at = 0; at < pcmBytes.size(); at += 333)
        gsm += enc.feed(pcmBytes.constData() + at, size_t(std::min<qsizetype>(333, pcmBytes.size() - at)));
    ASSERT_EQ(gsm.size(), blocks * vx::GsmBytesPerBlock);
    for (qsizetype at = 0; at < gsm.size(); at += 50)
        decoded += dec.feed(gsm.constData() + at, size_t(std::min<qsizetype>(50, gsm.size() - at)));
    ASSERT_EQ(decoded.size(), pcmBytes.size());

    const double snr = snrDb(pcm, toSamples(decoded), 640);
    EXPECT_GT(snr, 15.0) << snr;
}

TEST(Gsm610, WavFileInBlockLayoutIsReadBySox)
{
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        GTEST_SKIP() << "sox is not installed";

    const int blocks = 25;
    const auto pcm = tone(700, 8000, blocks * vx::GsmSamplesPerBlock, 10000);
    vx::GsmEncoder enc;
    const QByteArray pcmBytes = toBytes(pcm);
    const QByteArray data = enc.feed(pcmBytes.constData(), size_t(pcmBytes.size()));

    // A WAV file with the GSM 6.10 format record: tag 0x31, 1 channel, 8000/s, 1625 bytes/s,
    // block 65, 0 bits, 2 extra bytes holding 320 samples per block, a fact chunk, the data.
    QTemporaryDir dir;
    const QString path = dir.filePath("tone.wav");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QDataStream s(&f);
        s.setByteOrder(QDataStream::LittleEndian);
        const quint32 fmtSize = 20, factSize = 4;
        s.writeRawData("RIFF", 4);
        s << quint32(4 + 8 + fmtSize + 8 + factSize + 8 + quint32(data.size()));
        s.writeRawData("WAVE", 4);
        s.writeRawData("fmt ", 4);
        s << fmtSize << quint16(0x31) << quint16(1) << quint32(8000) << quint32(1625) << quint16(65) << quint16(0)
          << quint16(2) << quint16(320);
        s.writeRawData("fact", 4);
        s << factSize << quint32(blocks * 320);
        s.writeRawData("data", 4);
        s << quint32(data.size());
        s.writeRawData(data.constData(), int(data.size()));
    }

    QProcess info;
    info.start(sox, {QStringLiteral("--i"), QStringLiteral("-e"), path});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_EQ(info.exitCode(), 0) << info.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("GSM"), Qt::CaseInsensitive));

    const QString raw = dir.filePath("tone.raw");
    QProcess conv;
    conv.start(sox, {path, QStringLiteral("-t"), QStringLiteral("raw"), QStringLiteral("-e"), QStringLiteral("signed"),
                     QStringLiteral("-b"), QStringLiteral("16"), QStringLiteral("-L"), raw});
    ASSERT_TRUE(conv.waitForFinished(10000));
    ASSERT_EQ(conv.exitCode(), 0) << conv.readAllStandardError().toStdString();
    QFile out(raw);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const auto decoded = toSamples(out.readAll());
    ASSERT_EQ(decoded.size(), pcm.size());
    EXPECT_GT(snrDb(pcm, decoded, 640), 15.0);
}
