#pragma once
// A CAT engine whose commands are collected, with the three ways a setter is reached:
// a user action on a connected link, a user action without a radio, and a radio answer.

#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

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

    // A power answer brings the link up; what that sends is not what a test looks at.
    void connect()
    {
        cat->HandleCATCommand(QStringLiteral("PS1;"));
        sent.clear();
    }
    // The next setter is a user action on a connected link: it only sends.
    void user()
    {
        if (cat->ComState() != csConnected)
            connect();
        cat->PrepareTX();
    }
    // The next setter takes a radio answer: it stores and raises the event.
    void received() { cat->PrepareRX(); }
    void model(TTransceiver m) { cat->SetTransceiver(m); }

    std::unique_ptr<TFTCATInterface> cat;
    QStringList sent;
};

// Engine setters that another part of the engine provides; a test that needs one is
// skipped while it is missing.
template <typename E>
bool trySetModes(E& e, TMode a, TMode b)
{
    if constexpr (requires { e.SetModeA(a); e.SetModeB(b); }) {
        e.PrepareRX();
        e.SetModeA(a);
        e.PrepareRX();
        e.SetModeB(b);
        return true;
    } else {
        return false;
    }
}

template <typename E>
bool trySetVFOSelect(E& e, TVFO v)
{
    if constexpr (requires { e.SetVFOSelect(v); }) {
        e.PrepareRX();
        e.SetVFOSelect(v);
        return true;
    } else {
        return false;
    }
}

template <typename E>
bool trySetShowMeter(E& e, bool on)
{
    if constexpr (requires { e.SetShowMeter(on); }) {
        e.SetShowMeter(on);
        return true;
    } else {
        return false;
    }
}
