#pragma once
// An engine on the manual clock that records every command it sends, with the three ways a
// setter is reached: a user action on a connected link, a user action without a radio, and a
// radio answer.

#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

// What one change event reported: how often, the last value and the VFO it named.
struct EventLog {
    int count = 0;
    int value = -1;
    int vfo = -1;

    template <typename V>
    void add(V v)
    {
        ++count;
        value = int(v);
    }
    template <typename V>
    void add(uint8_t index, V v)
    {
        add(v);
        vfo = index;
    }
};

// Points an event of the engine at a log.
template <typename... Args>
void listen(std::function<void(Args...)>& event, EventLog& log)
{
    event = [&log](Args... args) { log.add(args...); };
}

// One property under the command rule, as a table row for checkCommandRule().
struct PropertyCase {
    const char* name;
    TTransceiver model;
    std::function<void(TFTCATInterface&, int)> set;
    std::function<int(const TFTCATInterface&)> get;
    std::function<void(TFTCATInterface&, EventLog&)> hook;
    int value;             // what the caller assigns
    QStringList command;   // what a connected engine sends for it
    int stored;            // what is stored and reported without a link or from the radio
    int vfo = -1;          // the VFO the event names; -1: the event names none
    QStringList queries{}; // what storing the value sends by itself
};

class CATFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        fresh();
    }
    // A new engine, for table tests that start each row from the initial state.
    virtual void fresh()
    {
        cat = std::make_unique<TFTCATInterface>();
        cat->OnCATCommandTX = [this](const QString& s) { sent << s; };
        sent.clear();
    }
    void TearDown() override
    {
        cat.reset();
        vx::Clock::useSystem();
    }

    // A radio answer brings the link up; the power request it causes is dropped.
    void connect()
    {
        cat->HandleCATCommand(QStringLiteral("PS1;"));
        cat->RequestTimer()->stop();
        sent.clear();
    }
    // The next setter takes a radio answer: it stores and raises the event.
    void received() { cat->PrepareRX(); }
    // A value as the radio reports it, on whatever link state.
    template <typename F>
    void received(F&& set)
    {
        received();
        set();
    }
    // The next setter is a user action on a connected link: it only sends.
    void userOnLink()
    {
        if (cat->ComState() != csConnected)
            connect();
        cat->PrepareTX();
    }
    // A value as the user sets it on the present link state: sent on a connected link,
    // stored otherwise.
    template <typename F>
    void user(F&& set)
    {
        cat->PrepareTX();
        set();
    }
    void setModel(TTransceiver model) { cat->SetTransceiver(model); }

    // The four faces of one property: on a connected link the command goes out and nothing
    // changes; from the radio (PrepareRX) and without a link (PrepareTX while offline) the
    // value is stored and reported; the stored value again does nothing in either mode.
    // snapshot, when given, shows the whole state the connected command must leave alone.
    static void checkCommandRule(const PropertyCase& c,
                                 const std::function<QString(const TFTCATInterface&)>& snapshot = {})
    {
        SCOPED_TRACE(std::string(c.name) + ", model " + std::to_string(int(c.model)));
        QStringList out;
        const auto engine = [&out, &c](bool connected) {
            auto e = std::make_unique<TFTCATInterface>();
            e->SetTransceiver(c.model);
            if (connected) {
                e->HandleCATCommand(QStringLiteral("PS1;"));
                e->RequestTimer()->stop();
            }
            e->OnCATCommandTX = [&out](const QString& s) { out << s; };
            return e;
        };

        EventLog log;
        auto radio = engine(true);
        c.hook(*radio, log);
        const int initial = c.get(*radio);
        const QString before = snapshot ? snapshot(*radio) : QString();
        radio->PrepareTX();
        c.set(*radio, c.value);
        EXPECT_EQ(out, c.command);
        EXPECT_EQ(c.get(*radio), initial);
        if (snapshot) {
            EXPECT_EQ(snapshot(*radio).toStdString(), before.toStdString());
        }
        EXPECT_EQ(log.count, 0);

        out.clear();
        radio->PrepareRX();
        c.set(*radio, c.value);
        EXPECT_EQ(out, c.queries);
        EXPECT_EQ(c.get(*radio), c.stored);
        EXPECT_EQ(log.count, 1);
        EXPECT_EQ(log.value, c.stored);
        EXPECT_EQ(log.vfo, c.vfo);

        out.clear();
        radio->PrepareRX();
        c.set(*radio, c.stored);
        radio->PrepareTX();
        c.set(*radio, c.stored);
        EXPECT_TRUE(out.isEmpty());
        EXPECT_EQ(log.count, 1);

        EventLog offline;
        auto alone = engine(false);
        c.hook(*alone, offline);
        alone->PrepareTX();
        c.set(*alone, c.value);
        EXPECT_EQ(out, c.queries);
        EXPECT_EQ(c.get(*alone), c.stored);
        EXPECT_EQ(offline.count, 1);
        EXPECT_EQ(offline.value, c.stored);
        EXPECT_EQ(offline.vfo, c.vfo);
    }

    std::unique_ptr<TFTCATInterface> cat;
    QStringList sent;
};

// Shorthands for the rows of property tables.
#define VX_SET(call) [](TFTCATInterface& c, [[maybe_unused]] int v) { c.call; }
#define VX_GET(call) [](const TFTCATInterface& c) { return int(c.call); }
#define VX_ON(event) [](TFTCATInterface& c, EventLog& l) { listen(c.event, l); }
