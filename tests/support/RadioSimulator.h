#pragma once
// A Yaesu transceiver (FT-2000, FT-2000D, FT-950 or FT DX 5000) on the device side of a
// pseudo-terminal, for tests.  The program opens portName() as its CAT port; the simulator
// answers from the test's own event loop (no thread, no external process).
//
// The radio is a map of parameter texts keyed by the query that reads them ("FA", "AG0",
// "EX036"): a query is answered with its key and the parameter, a set command stores a new
// parameter.  Which commands a model knows, their parameter formats and their initial values
// come from the tables in RadioSimulator.cpp.  Like the real radios it answers "?;" to a
// command it does not know or whose parameter is malformed, says nothing to a set command
// unless auto information is on (then it reports what changed), and is silent while its
// power is off, except that "PS1;" switches it on.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QSocketNotifier;

namespace vxtest {

class Pty;

class RadioSimulator : public QObject {
    Q_OBJECT
public:
    explicit RadioSimulator(TTransceiver model = FT2000, QObject* parent = nullptr);
    ~RadioSimulator() override;

    // The device the program opens; false from ok() when no pseudo-terminal could be made.
    bool ok() const;
    QString portName() const;

    TTransceiver model() const { return model_; }
    // The answer to "ID": "0251", "0252", "0310" or "0362".
    static QString identification(TTransceiver model);
    QString identification() const { return identification(model_); }

    // Front panel.  Changes made here are quiet, as if the radio had been set up that way
    // before the test, except operate(), which the radio reports while auto information is on.
    bool power() const { return power_; }
    void setPower(bool on) { power_ = on; }
    bool autoInformation() const { return values_.value(QStringLiteral("AI")) == QLatin1String("1"); }
    void setAutoInformation(bool on) { values_[QStringLiteral("AI")] = on ? QStringLiteral("1") : QStringLiteral("0"); }
    // Parameter text of a state item by the query that reads it, for example value("AG0")
    // is "128" when the radio answers "AG0;" with "AG0128;".
    QString value(const QString& key) const { return values_.value(key); }
    void setValue(const QString& key, const QString& value) { values_[key] = value; }
    void operate(const QString& key, const QString& value);

    int frequency(TVFO vfo) const;
    void setFrequency(TVFO vfo, int hz);
    TMode mode(TVFO vfo) const;
    void setMode(TVFO vfo, TMode mode);
    int clarifierOffset() const;
    // Menu items by number ("EX" + three digits).
    QString menu(int number) const;
    void setMenu(int number, const QString& parameter);
    // Memory channels as the 24-character record of the "MR" answer; empty when unused.
    QString memory(int channel) const { return memories_.value(channel); }
    void setMemory(int channel, const QString& record);
    void setMeter(const QString& key, int value); // "SM0", "SM1", "RM3" … "RM8"

    // Whether the model knows this command (query or set), as the radio would judge it.
    bool knows(const QString& command) const;

    // Every command received so far, without its ";", in order; also while the power is off.
    QStringList commands() const { return commands_; }
    // The commands answered with "?;".
    QStringList rejected() const { return rejected_; }
    void clearCommands();

    // Sends bytes to the program as the radio would send them unasked ("AI0;").
    void push(const QByteArray& text);
    // Handles received text (one or more commands, each ending in ";") and returns the
    // radio's answer, as the port would carry it; for tests that need no port.
    QString process(const QString& text);

private:
    struct Match;
    void onReadable();
    QString handle(const QString& command);
    bool resolve(const QString& command, Match& m) const;
    QString answerFor(const QString& key) const;
    QString report(const QMap<QString, QString>& before) const;
    void initialise();

    TTransceiver model_;
    std::unique_ptr<Pty> pty_;
    int slaveKeeper_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
    bool power_ = true;
    QMap<QString, QString> values_;
    QMap<int, QString> memories_;
    QString qmb_;
    QStringList commands_;
    QStringList rejected_;

    friend struct SimulatorActions;
};

} // namespace vxtest
