// A FlexControl knob on a pseudo-terminal, for trying the knob module by hand: prints the
// device to give the program as the knob's port, then takes commands on standard input and
// prints every command the program writes to the knob.
//
//   u [n]            dial up by n steps (default 1), one event per step; d [n] down
//   U n / D n        one event carrying the count ("U5;")
//   rate n           n events up every 250 ms (negative: down; 0 stops)
//   click BUTTON [single|double|long]   BUTTON: knob, aux1, aux2, aux3
//   raw TEXT         sends TEXT as it is
//   unplug / plug    takes the knob away and brings it back under the same name
//   quit

#include "tests/support/FlexControlSimulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

using vxtest::FlexControlSimulator;

namespace {

void Print(const QString& line)
{
    fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    fflush(stdout);
}

QString LEDText(const QString& digits)
{
    QStringList lit;
    for (int i = 0; i < digits.size() && i < 3; ++i)
        if (digits[i] == QLatin1Char('1'))
            lit << QStringLiteral("AUX%1").arg(i + 1);
    return lit.isEmpty() ? QStringLiteral("all dark") : lit.join(QLatin1Char(' ')) + QStringLiteral(" lit");
}

bool Handle(FlexControlSimulator& knob, const QString& line)
{
    const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.isEmpty())
        return true;
    const QString cmd = w[0];
    const int n = w.size() > 1 ? w[1].toInt() : 1;
    if (cmd == QLatin1String("quit"))
        return false;
    if (cmd == QLatin1String("u") || cmd == QLatin1String("d"))
        knob.turn(cmd == QLatin1String("u") ? n : -n);
    else if (cmd == QLatin1String("U") || cmd == QLatin1String("D"))
        knob.turnBy(cmd == QLatin1String("U") ? n : -n);
    else if (cmd == QLatin1String("rate"))
        knob.setRate(w.size() > 1 ? n : 0);
    else if (cmd == QLatin1String("raw") && w.size() > 1)
        knob.send(line.section(QLatin1Char(' '), 1).toLatin1());
    else if (cmd == QLatin1String("unplug"))
        knob.unplug();
    else if (cmd == QLatin1String("plug"))
        Print(knob.plug() ? QStringLiteral("plugged in: %1 -> %2").arg(knob.portName(), knob.devicePath())
                          : QStringLiteral("cannot make a device"));
    else if (cmd == QLatin1String("click") && w.size() > 1) {
        const QString b = w[1].toLower();
        const auto button = b == QLatin1String("aux1")   ? FlexControlSimulator::Button::AUX1
                            : b == QLatin1String("aux2") ? FlexControlSimulator::Button::AUX2
                            : b == QLatin1String("aux3") ? FlexControlSimulator::Button::AUX3
                                                         : FlexControlSimulator::Button::Knob;
        const QString k = w.size() > 2 ? w[2].toLower() : QString();
        knob.click(button, k == QLatin1String("double") ? FlexControlSimulator::Click::Double
                           : k == QLatin1String("long") ? FlexControlSimulator::Click::Long
                                                        : FlexControlSimulator::Click::Single);
    } else
        Print(QStringLiteral("? u [n] | d [n] | U n | D n | rate n | click knob|aux1|aux2|aux3 [single|double|long] | "
                             "raw TEXT | unplug | plug | quit"));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FlexControlSimulator knob;
    if (!knob.ok()) {
        fputs("FlexControl simulator: no pseudo-terminal\n", stderr);
        return 1;
    }
    Print(knob.portName());
    Print(QStringLiteral("(device %1; type commands, \"quit\" ends)").arg(knob.devicePath()));
    knob.OnCommand = [](const QString& c) {
        Print(QStringLiteral("<- %1;").arg(c)
              + (c.size() == 4 && c.startsWith(QLatin1Char('I')) ? QStringLiteral("   ") + LEDText(c.mid(1)) : QString()));
    };

    // Standard input is read unbuffered, so lines that arrive together are all taken.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buf[1024];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            input.setEnabled(false);
            app.quit();
            return;
        }
        pending.append(buf, n);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QString line = QString::fromLocal8Bit(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            if (!Handle(knob, line)) {
                input.setEnabled(false);
                app.quit();
                return;
            }
        }
    });
    return app.exec();
}
