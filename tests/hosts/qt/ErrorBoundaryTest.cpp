#include "hosts/qt/QtScheduler.h"
#include "platform/core/Exception.h"
#include "platform/time/TTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace dd {
namespace {

TEST(ErrorBoundary, WhatATimerThrowsReachesTheHandlerAndTheLoopGoesOn) {
    QtScheduler scheduler;
    std::vector<std::string> errors;
    scheduler.OnError = [&](const std::exception& e) { errors.push_back(e.what()); };
    TTimer failing(scheduler), healthy(scheduler);
    failing.SetInterval(5);
    failing.OnTimer = [&] {
        failing.SetEnabled(false);
        throw Exception("no font for the game's texts");
    };
    int ticks = 0;
    healthy.SetInterval(5);
    healthy.OnTimer = [&] { ++ticks; };
    failing.SetEnabled(true);
    healthy.SetEnabled(true);
    QElapsedTimer waited;
    waited.start();
    while ((errors.empty() || ticks < 3) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(errors, std::vector<std::string>{"no font for the game's texts"});
    EXPECT_GE(ticks, 3) << "other timers keep running";
}

} // namespace
} // namespace dd
