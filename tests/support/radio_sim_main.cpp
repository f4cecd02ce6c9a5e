// A simulated Yaesu radio to point VornixServer (or any CAT program) at by hand: prints the
// device to give as the radio's COM port, then every command it receives.
// Options: --model FT2000 | FT2000D | FT950 | FTDX5000 (default FT2000).
// Commands on standard input: "freq a|b <Hz>" tunes a VFO, "power on|off" works the power
// switch, "quiet" and "verbose" stop and resume the command listing, "quit" ends.
#include "tests/support/RadioSimulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

TTransceiver ModelOf(const QString& name)
{
    const QString n = name.toUpper().remove(QLatin1Char('-')).remove(QLatin1Char(' '));
    if (n == QLatin1String("FT2000D"))
        return FT2000D;
    if (n == QLatin1String("FT950"))
        return FT950;
    if (n == QLatin1String("FTDX5000"))
        return FTDX5000;
    return FT2000;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TTransceiver model = FT2000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--model") == 0)
            model = ModelOf(QString::fromLocal8Bit(argv[i + 1]));

    vxtest::RadioSimulator radio(model);
    if (!radio.ok()) {
        std::fprintf(stderr, "no pseudo-terminal could be made\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(radio.portName()));
    std::fflush(stdout);

    // The commands received so far are listed as they come.
    bool verbose = true;
    qsizetype shown = 0;
    QTimer listing;
    QObject::connect(&listing, &QTimer::timeout, [&] {
        const QStringList commands = radio.commands();
        if (commands.size() < shown)
            shown = 0;
        for (; shown < commands.size(); ++shown)
            if (verbose)
                std::printf("RX %s;\n", qPrintable(commands[shown]));
        std::fflush(stdout);
    });
    listing.start(100);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[512];
        if (!std::fgets(line, sizeof line, stdin)) {
            // No terminal (started in the background): keep running until killed.
            input.setEnabled(false);
            return;
        }
        const QStringList words = QString::fromLocal8Bit(line).simplified().split(QLatin1Char(' '));
        const QString word = words.value(0).toLower();
        if (word == QLatin1String("freq") && words.size() == 3) {
            radio.setFrequency(words[1].toLower() == QLatin1String("b") ? vfoB : vfoA, words[2].toInt());
        } else if (word == QLatin1String("power") && words.size() == 2) {
            radio.setPower(words[1].toLower() == QLatin1String("on"));
        } else if (word == QLatin1String("quiet")) {
            verbose = false;
        } else if (word == QLatin1String("verbose")) {
            verbose = true;
        } else if (word == QLatin1String("quit")) {
            app.quit();
        } else if (!word.isEmpty()) {
            std::fprintf(stderr, "commands: freq a|b <Hz>, power on|off, quiet, verbose, quit\n");
        }
    });
    return app.exec();
}
