#include "tests/support/WinKeyerSimulator.h"

#include "platform/Clock.h"
#include "tests/support/Pty.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace vxtest {

namespace {

// International Morse of the characters the keyer sends; nullptr for those it skips.
const char* Pattern(uint8_t c)
{
    static const char* const letters[26] = {".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
                                            ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
                                            "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
    static const char* const digits[10] = {"-----", ".----", "..---", "...--", "....-",
                                           ".....", "-....", "--...", "---..", "----."};
    if (c >= 'a' && c <= 'z')
        c = uint8_t(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z')
        return letters[c - 'A'];
    if (c >= '0' && c <= '9')
        return digits[c - '0'];
    switch (c) {
    case '"': return ".-..-.";
    case '$': return "...-..-";
    case '\'': return ".----.";
    case '(': return "-.--.";
    case ')': return "-.--.-";
    case '+': return ".-.-.";
    case ',': return "--..--";
    case '-': return "-....-";
    case '.': return ".-.-.-";
    case '/': return "-..-.";
    case ':': return "---...";
    case ';': return "-.-.-.";
    case '=': return "-...-";
    case '?': return "..--..";
    case '@': return ".--.-.";
    default: return nullptr;
    }
}

// Parameter bytes after a command byte below 20 (admin and the pointer command aside).
int ParameterCount(uint8_t c)
{
    switch (c) {
    case 0x04: case 0x1B: return 2;
    case 0x05: return 3;
    case 0x0F: return 15;
    case 0x07: case 0x08: case 0x0A: case 0x13: case 0x15: case 0x1E: case 0x1F: return 0;
    default: return 1;
    }
}

// Parameter bytes after an admin command.
int AdminParameterCount(uint8_t sub)
{
    switch (sub) {
    case 0x00: case 0x04: case 0x0E: case 0x0F: case 0x16: case 0x19: return 1;
    case 0x0D: return 256;
    default: return 0;
    }
}

double Now()
{
    return double(vx::Clock::monotonicMs());
}

} // namespace

WinKeyerSimulator::WinKeyerSimulator(QObject* parent)
    : QObject(parent)
    , pty_(std::make_unique<Pty>())
{
    wireTimer_ = new vx::Timer(this);
    wireTimer_->setSingleShot(true);
    wireTimer_->OnTimer = [this] { onWire(); };
    keyTimer_ = new vx::Timer(this);
    keyTimer_->setSingleShot(true);
    keyTimer_->OnTimer = [this] { onKeyTimer(); };
    potTimer_ = new vx::Timer(PotStepMs, false, this);
    potTimer_->OnTimer = [this] { onPotTimer(); };
    attachDevice();
}

WinKeyerSimulator::~WinKeyerSimulator()
{
    closeDevice();
}

void WinKeyerSimulator::attachDevice()
{
    if (!pty_->ok())
        return;
    // A descriptor of the device side kept open: without one the master end reports a
    // hang-up whenever no program has the port open.
    slaveKeeper_ = ::open(pty_->slaveName().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    notifier_ = new QSocketNotifier(pty_->masterFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { onReadable(); });
    if (!link_.isEmpty())
        ::symlink(pty_->slaveName().toLocal8Bit().constData(), link_.toLocal8Bit().constData());
}

bool WinKeyerSimulator::ok() const
{
    return pty_->ok() && notifier_;
}

QString WinKeyerSimulator::portName() const
{
    return link_.isEmpty() ? pty_->slaveName() : link_;
}

bool WinKeyerSimulator::linkAs(const QString& path)
{
    if (!link_.isEmpty() || !ok())
        return false;
    link_ = path;
    return ::symlink(pty_->slaveName().toLocal8Bit().constData(), link_.toLocal8Bit().constData()) == 0;
}

void WinKeyerSimulator::closeDevice()
{
    delete notifier_;
    notifier_ = nullptr;
    wireTimer_->stop();
    keyTimer_->stop();
    potTimer_->stop();
    wire_.clear();
    cmd_.clear();
    if (!link_.isEmpty())
        ::unlink(link_.toLocal8Bit().constData());
    if (slaveKeeper_ >= 0)
        ::close(slaveKeeper_);
    slaveKeeper_ = -1;
    pty_->closeMaster();
}

bool WinKeyerSimulator::reopenDevice()
{
    closeDevice();
    // Plugged in again it starts afresh: host closed, nothing buffered; the pot stays where
    // the operator left it.
    resetKeyer();
    hostOpen_ = false;
    potMin_ = 10;
    potRange_ = 25;
    lineFree_ = 0;
    pty_ = std::make_unique<Pty>();
    attachDevice();
    return ok();
}

QByteArray WinKeyerSimulator::received() const
{
    QByteArray all;
    for (const Entry& e : log_)
        if (e.fromHost)
            all += e.bytes;
    return all;
}

QByteArray WinKeyerSimulator::sent() const
{
    QByteArray all;
    for (const Entry& e : log_)
        if (!e.fromHost)
            all += e.bytes;
    return all;
}

void WinKeyerSimulator::log(bool fromHost, const QByteArray& bytes)
{
    log_.append({vx::Clock::monotonicMs(), fromHost, bytes});
    if (onEntry)
        onEntry(log_.last());
}

int WinKeyerSimulator::wpm() const
{
    if (speed_ > 0)
        return speed_;
    return std::max(1, std::clamp(pot_, potMin_, potMin_ + potRange_));
}

double WinKeyerSimulator::unit() const
{
    return 1200.0 / wpm();
}

uint8_t WinKeyerSimulator::potByte(int wpm) const
{
    return uint8_t(0x80 | std::clamp(wpm - potMin_, 0, std::min(potRange_, 0x3F)));
}

// --- The line -------------------------------------------------------------------------------

// The time of one byte on the line as the program set its port up (start bit, data bits,
// parity, stop bits at its baud rate); 1200 baud 8N1 when that cannot be read.
double WinKeyerSimulator::lineByteMs() const
{
    termios t{};
    if (slaveKeeper_ < 0 || tcgetattr(slaveKeeper_, &t) != 0)
        return 10000.0 / 1200.0;
    static const std::pair<speed_t, int> rates[] = {{B300, 300},     {B600, 600},     {B1200, 1200},  {B2400, 2400},
                                                    {B4800, 4800},   {B9600, 9600},   {B19200, 19200}, {B38400, 38400},
                                                    {B57600, 57600}, {B115200, 115200}};
    int baud = 1200;
    for (const auto& [code, rate] : rates)
        if (cfgetospeed(&t) == code)
            baud = rate;
    const int data = (t.c_cflag & CSIZE) == CS5 ? 5 : (t.c_cflag & CSIZE) == CS6 ? 6 : (t.c_cflag & CSIZE) == CS7 ? 7 : 8;
    const int bits = 1 + data + ((t.c_cflag & PARENB) ? 1 : 0) + ((t.c_cflag & CSTOPB) ? 2 : 1);
    return 1000.0 * bits / baud;
}

void WinKeyerSimulator::onReadable()
{
    QByteArray bytes;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(pty_->masterFd(), buf, sizeof buf);
        if (n > 0) {
            bytes.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO && notifier_) {
            // No device side open: look again shortly rather than spin.
            notifier_->setEnabled(false);
            QTimer::singleShot(20, this, [this] {
                if (notifier_)
                    notifier_->setEnabled(true);
            });
        }
        break;
    }
    if (bytes.isEmpty())
        return;
    log(true, bytes);
    if (!powered_)
        return;
    const double byteMs = lineByteMs();
    for (char b : bytes) {
        lineFree_ = std::max(Now(), lineFree_) + byteMs;
        wire_.append({lineFree_, uint8_t(b)});
    }
    scheduleWire();
}

void WinKeyerSimulator::scheduleWire()
{
    if (wire_.isEmpty()) {
        wireTimer_->stop();
        return;
    }
    wireTimer_->setInterval(std::max(1, int(std::ceil(wire_.first().at - Now()))));
    wireTimer_->start();
}

void WinKeyerSimulator::onWire()
{
    const double now = Now();
    while (!wire_.isEmpty() && wire_.first().at <= now + 0.5)
        arrive(wire_.takeFirst().byte);
    scheduleWire();
}

void WinKeyerSimulator::arrive(uint8_t b)
{
    if (cmd_.isEmpty() && b >= 0x20)
        return text(b);
    cmd_.append(char(b));
    const uint8_t c0 = uint8_t(cmd_[0]);
    int length = 1;
    if (c0 == 0x00 || c0 == 0x16) {
        if (cmd_.size() < 2)
            return;
        const uint8_t sub = uint8_t(cmd_[1]);
        length = c0 == 0x00 ? 2 + AdminParameterCount(sub) : (sub == 0 ? 2 : 3);
    } else {
        length = 1 + ParameterCount(c0);
    }
    if (cmd_.size() < length)
        return;
    const QByteArray cmd = cmd_;
    cmd_.clear();
    command(cmd);
}

void WinKeyerSimulator::command(const QByteArray& cmd)
{
    const uint8_t c0 = uint8_t(cmd[0]);
    if (c0 == 0x00)
        return admin(cmd);
    if (!hostOpen_)
        return;
    const auto p = [&cmd](int i) { return uint8_t(cmd[i]); };
    switch (c0) {
    case 0x02:
        speed_ = p(1);
        break;
    case 0x04:
        leadMs_ = p(1) * 10;
        break;
    case 0x05:
        potMin_ = p(1);
        potRange_ = p(2);
        break;
    case 0x06:
        paused_ = p(1) != 0;
        if (!paused_)
            startSoon();
        break;
    case 0x07:
        send(QByteArray(1, char(potByte(pot_))));
        break;
    case 0x0A:
        // Stops at once; the character on the air is finished.
        buffer_.clear();
        paused_ = false;
        sending_ = false;
        if (stage_ == Stage::Elements) {
            cut_ = true;
        } else if (stage_ == Stage::Starting || stage_ == Stage::Tail) {
            keyTimer_->stop();
            stage_ = Stage::Idle;
        }
        updateXoff();
        sendStatus(false);
        break;
    case 0x0B:
        keyImmediate_ = p(1) != 0;
        if (keyImmediate_) {
            sendStatus(false);
            keyBusy_ = true;
        } else {
            keyBusy_ = false;
        }
        sendStatus(false);
        break;
    case 0x0E:
        mode_ = p(1);
        break;
    case 0x15:
        sendStatus(true);
        break;
    default:
        break;
    }
}

void WinKeyerSimulator::admin(const QByteArray& cmd)
{
    const auto answer = [this](uint8_t b) { send(QByteArray(1, char(b))); };
    switch (uint8_t(cmd[1])) {
    case 0x01: // reset
    case 0x03: // host close
        resetKeyer();
        hostOpen_ = false;
        break;
    case 0x02: // host open
        resetKeyer();
        hostOpen_ = true;
        lastStatus_ = 0xC0;
        answer(Version);
        break;
    case 0x04:
        answer(echoAnswer_ < 0 ? uint8_t(cmd[2]) : uint8_t(echoAnswer_));
        break;
    case 0x09: answer(Version); break; // firmware major revision
    case 0x0A: // WK1 mode
    case 0x14: // WK3 mode
        wk2_ = false;
        break;
    case 0x0B: // WK2 mode
        if (hostOpen_) {
            wk2_ = true;
            lastStatus_ = 0xC8;
            answer(0xC8);
        }
        break;
    case 0x15: answer(0x3E); break; // supply voltage
    case 0x17: answer(0x02); break; // firmware minor revision
    case 0x18: answer(0x01); break; // IC type
    default: break; // calibrate, get values (answered with nothing) and the rest
    }
}

// --- State and status -----------------------------------------------------------------------

uint8_t WinKeyerSimulator::status() const
{
    uint8_t s = 0xC0;
    if (xoff_)
        s |= 0x01;
    if (breakIn_)
        s |= 0x02;
    if (sending_ || keyBusy_ || breakIn_ || paddleBusy_)
        s |= 0x04;
    if (keyImmediate_) {
        s |= 0x10;
        if (!wk2_)
            s |= 0x08;
    }
    return s;
}

void WinKeyerSimulator::sendStatus(bool always)
{
    if (!hostOpen_)
        return;
    const uint8_t s = status();
    if (!always && s == lastStatus_)
        return;
    lastStatus_ = s;
    send(QByteArray(1, char(s)));
}

void WinKeyerSimulator::send(const QByteArray& bytes)
{
    if (!powered_ || !pty_->ok())
        return;
    pty_->write(bytes);
    log(false, bytes);
}

void WinKeyerSimulator::push(const QByteArray& bytes)
{
    pty_->write(bytes);
    log(false, bytes);
}

void WinKeyerSimulator::resetKeyer()
{
    stopKeying();
    paused_ = false;
    keyImmediate_ = false;
    keyBusy_ = false;
    xoff_ = false;
    wk2_ = false;
    mode_ = 0;
    speed_ = 0;
    leadMs_ = 0;
    lastStatus_ = -1;
}

void WinKeyerSimulator::stopKeying()
{
    keyTimer_->stop();
    buffer_.clear();
    paddleText_.clear();
    stage_ = Stage::Idle;
    sending_ = false;
    breakIn_ = false;
    paddleBusy_ = false;
    cut_ = false;
    current_ = 0;
}

void WinKeyerSimulator::updateXoff()
{
    const bool was = xoff_;
    if (!xoff_ && buffer_.size() >= XoffLevel)
        xoff_ = true;
    else if (xoff_ && buffer_.size() < XonLevel)
        xoff_ = false;
    if (xoff_ != was)
        sendStatus(false);
}

// --- Keying ---------------------------------------------------------------------------------

void WinKeyerSimulator::text(uint8_t b)
{
    // Host text is dropped while the operator breaks in on the paddle.
    if (!hostOpen_ || breakIn_)
        return;
    buffer_.append(char(b));
    updateXoff();
    startSoon();
}

void WinKeyerSimulator::startSoon()
{
    if (stage_ != Stage::Idle || paused_ || buffer_.isEmpty() || breakIn_)
        return;
    stage_ = Stage::Starting;
    schedule(Now() + StartLatencyMs + leadMs_);
}

void WinKeyerSimulator::schedule(double at)
{
    nextAt_ = at;
    keyTimer_->setInterval(std::max(1, int(std::ceil(at - Now()))));
    keyTimer_->start();
}

void WinKeyerSimulator::onKeyTimer()
{
    switch (stage_) {
    case Stage::Idle:
        return;
    case Stage::Starting:
        sending_ = true;
        sendStatus(false);
        return beginCharacter();
    case Stage::Elements:
        return endElements();
    case Stage::Tail:
        stage_ = Stage::Idle;
        if (breakIn_) {
            if (!paddleText_.isEmpty())
                return beginCharacter();
            // The operator let go: break-in ends, busy a moment longer.
            breakIn_ = false;
            paddleBusy_ = true;
            sendStatus(false);
            stage_ = Stage::PaddleEnd;
            return schedule(Now() + 16);
        }
        if (!paused_ && !buffer_.isEmpty())
            return beginCharacter();
        if (buffer_.isEmpty()) {
            sending_ = false;
            sendStatus(false);
        }
        return;
    case Stage::PaddleEnd:
        stage_ = Stage::Idle;
        paddleBusy_ = false;
        sendStatus(false);
        return startSoon();
    }
}

void WinKeyerSimulator::beginCharacter()
{
    QByteArray& source = breakIn_ ? paddleText_ : buffer_;
    current_ = uint8_t(source[0]);
    source.remove(0, 1);
    if (!breakIn_)
        updateXoff();
    cut_ = false;
    double length = 0;
    if (current_ == ' ') {
        length = 4;
    } else if (const char* pattern = Pattern(current_)) {
        for (const char* p = pattern; *p; ++p)
            length += (*p == '-' ? 3 : 1) + 1;
    }
    stage_ = Stage::Elements;
    schedule(nextAt_ + length * unit());
}

void WinKeyerSimulator::endElements()
{
    const bool known = current_ == ' ' || Pattern(current_);
    const bool echo = breakIn_ ? (mode_ & 0x40) : (mode_ & 0x04);
    if (known && echo)
        send(QByteArray(1, char(current_)));
    if (cut_) {
        cut_ = false;
        stage_ = Stage::Idle;
        return startSoon();
    }
    // A space is all space: no letter space after it.
    stage_ = Stage::Tail;
    schedule(nextAt_ + (current_ == ' ' || !known ? 0 : 2 * unit()));
}

// --- The operator ---------------------------------------------------------------------------

void WinKeyerSimulator::turnPot(int wpm)
{
    potTarget_ = wpm;
    if (potTarget_ != pot_ && !potTimer_->isActive())
        potTimer_->start();
}

void WinKeyerSimulator::onPotTimer()
{
    if (pot_ == potTarget_) {
        potTimer_->stop();
        return;
    }
    const uint8_t before = potByte(pot_);
    pot_ += pot_ < potTarget_ ? 1 : -1;
    if (hostOpen_ && potByte(pot_) != before)
        send(QByteArray(1, char(potByte(pot_))));
}

void WinKeyerSimulator::paddle(const QString& text)
{
    if (!hostOpen_)
        return;
    breakIn_ = true;
    sending_ = false;
    buffer_.clear();
    paddleText_ = text.toUpper().toLatin1() + ' ';
    updateXoff();
    sendStatus(false);
    // A character on the air is finished first.
    if (stage_ != Stage::Elements) {
        stage_ = Stage::Tail;
        schedule(Now());
    }
}

} // namespace vxtest
