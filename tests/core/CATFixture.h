#pragma once
// An engine on the manual clock that records every command it sends.

#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <memory>

class CATFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        cat = std::make_unique<TFTCATInterface>();
        cat->OnCATCommandTX = [this](const QString& s) { sent << s; };
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
    // A value as the radio reports it, on whatever link state.
    template <typename F>
    void received(F&& set)
    {
        cat->PrepareRX();
        set();
    }
    // A value as the user sets it: sent on a connected link, stored otherwise.
    template <typename F>
    void user(F&& set)
    {
        cat->PrepareTX();
        set();
    }
    void setModel(TTransceiver model)
    {
        cat->SetTransceiver(model);
    }

    std::unique_ptr<TFTCATInterface> cat;
    QStringList sent;
};
