// The WinKeyer simulator against the byte logs of a real keyer: the host's bytes written
// with the logs' gaps give the logged answers in order, and each echo comes about when the
// real keyer's came; and its operator hooks for the speed pot and the paddle.
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/WinKeyerSimulator.h"

#include <deque>
#include <QPair>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

using vxtest::TraceLine;
using vxtest::WinKeyerSimulator;

namespace {

// The host end of the simulator's line, played by the test.
class Host {
public:
    // The line as the logs' host set it up: 1200 baud, 8N2.
    explicit Host(const QString& device)
        : fd(::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios t{};
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        cfsetspeed(&t, B1200);
        t.c_cflag |= CSTOPB;
        tcsetattr(fd, TCSANOW, &t);
    }
    ~Host()
    {
        if (fd >= 0)
            ::close(fd);
    }
    void write(const QByteArray& bytes) { ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size()); }
    // Bytes received since the last call, each with the clock's time.
    void poll()
    {
        char buf[256];
        for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
            for (ssize_t i = 0; i < n; ++i)
                rx.append({vx::Clock::monotonicMs(), uint8_t(buf[i])});
    }
    int fd;
    QList<QPair<qint64, uint8_t>> rx;
};

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(sim.ok());
        host = std::make_unique<Host>(sim.portName());
        ASSERT_GE(host->fd, 0);
    }
    void TearDown() override
    {
        host.reset();
        vx::Clock::useSystem();
    }
    // Runs until the given clock time, collecting what the keyer sends.
    void RunTo(qint64 ms)
    {
        vxtest::runUntil([&] {
            host->poll();
            return vx::Clock::monotonicMs() >= ms;
        }, int(std::max<qint64>(0, ms - vx::Clock::monotonicMs())));
    }

    WinKeyerSimulator sim;
    std::unique_ptr<Host> host;
};

QByteArray Hex(const QList<uint8_t>& bytes)
{
    QByteArray b;
    for (uint8_t v : bytes)
        b.append(char(v));
    return b.toHex(' ');
}

} // namespace

class TraceReplay : public SimulatorTest, public ::testing::WithParamInterface<const char*> {
};

TEST_P(TraceReplay, AnswersAsTheRealKeyer)
{
    const std::vector<TraceLine> trace = vxtest::ReadTrace(GetParam());
    ASSERT_FALSE(trace.empty());

    // The log's text lines, and which of them each character belongs to: echoes are timed
    // from their own text.  A clear drops what was waiting once new text comes.
    struct Queued {
        uint8_t c;
        double txMs;
    };
    std::deque<Queued> waiting;
    bool cleared = false;
    QList<uint8_t> expected;
    QList<double> traceMs, textMs;
    QList<bool> late;
    bool hasText = false;
    for (const TraceLine& l : trace) {
        if (l.tx) {
            if (uint8_t(l.bytes[0]) >= 0x20) {
                hasText = true;
                if (cleared)
                    waiting.clear();
                cleared = false;
                for (char c : l.bytes)
                    waiting.push_back({uint8_t(c), l.ms});
            } else if (uint8_t(l.bytes[0]) == 0x0A) {
                cleared = true;
            }
            continue;
        }
        const uint8_t b = uint8_t(l.bytes[0]);
        double from = -1;
        if (b >= 0x20 && b < 0x80 && std::any_of(waiting.begin(), waiting.end(), [b](const Queued& q) { return q.c == b; })) {
            while (waiting.front().c != b)
                waiting.pop_front();
            from = waiting.front().txMs;
            waiting.pop_front();
        }
        expected << b;
        traceMs << l.ms;
        textMs << from;
        late << l.late;
    }

    for (const TraceLine& l : trace) {
        if (!l.tx)
            continue;
        RunTo(qint64(std::llround(l.ms)));
        host->write(l.bytes);
    }
    RunTo(vx::Clock::monotonicMs() + 3000);

    QList<uint8_t> got;
    for (const auto& r : host->rx)
        got << r.second;
    ASSERT_EQ(Hex(got), Hex(expected));

    int echoes = 0;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (textMs[i] < 0)
            continue;
        ++echoes;
        const double real = traceMs[i] - textMs[i];
        const double simulated = double(host->rx[i].first) - textMs[i];
        const QString what = QStringLiteral("echo %1 of '%2': %3 ms after its text, the real keyer %4 ms")
                                 .arg(i).arg(QChar(expected[i])).arg(simulated).arg(real);
        if (late[i]) {
            EXPECT_LE(simulated, real * 1.15) << what.toStdString();
        } else {
            EXPECT_NEAR(simulated, real, real * 0.15) << what.toStdString();
        }
    }
    // Every log with text has its echoes timed.
    EXPECT_EQ(echoes > 0, hasText);
}

INSTANTIATE_TEST_SUITE_P(Probes, TraceReplay,
                         ::testing::Values("k1el-probe1.log", "k1el-probe2.log", "k1el-probe3.log", "k1el-probe4.log",
                                           "k1el-probe6.log"),
                         [](const auto& info) { return std::string(info.param).substr(5, 6); });

TEST_F(SimulatorTest, PotStepsOneByteEach)
{
    host->write(QByteArray::fromHex("0002"));
    host->write(QByteArray::fromHex("050a1e00"));
    RunTo(100);
    host->rx.clear();
    sim.turnPot(22);
    RunTo(vx::Clock::monotonicMs() + 500);
    QList<uint8_t> got;
    for (const auto& r : host->rx)
        got << r.second;
    EXPECT_EQ(Hex(got), "89 8a 8b 8c"); // 19, 20, 21, 22 WPM above 10
    host->write(QByteArray::fromHex("07"));
    host->rx.clear();
    RunTo(vx::Clock::monotonicMs() + 50);
    ASSERT_EQ(host->rx.size(), 1);
    EXPECT_EQ(host->rx[0].second, 0x8C);
}

TEST_F(SimulatorTest, PaddleBreaksInAndDropsTheHostText)
{
    host->write(QByteArray::fromHex("0002"));
    host->write(QByteArray::fromHex("0e44")); // paddle and serial echo
    host->write(QByteArray::fromHex("020c"));
    host->write("TEST");
    RunTo(300); // T on the air (12 WPM: 400 ms)
    sim.paddle("ok");
    RunTo(vx::Clock::monotonicMs() + 5000);
    QList<uint8_t> got;
    for (const auto& r : host->rx)
        got << r.second;
    // Busy, break-in, the T on the air finished, the paddle's characters and word space,
    // then busy without break-in and idle; the rest of TEST is gone.
    EXPECT_EQ(Hex(got), "1f c4 c6 54 4f 4b 20 c4 c0");
}
