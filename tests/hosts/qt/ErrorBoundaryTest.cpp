#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "hosts/qt/HostWindow.h"
#include "hosts/qt/QtScheduler.h"
#include "platform/time/TTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
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

TEST(ErrorBoundary, WhatAWindowEventHandlerThrowsReachesTheHandler) {
    const Bitmap surface(4, 4);
    HostEvents events;
    events.keyDown = [](int) { throw Exception("Stream read error"); };
    events.mouseDown = [](int, int) { throw Exception("List index out of bounds"); };
    std::vector<std::string> errors;
    events.error = [&](const std::exception& e) { errors.push_back(e.what()); };
    HostWindow window(&surface, {}, std::move(events));
    window.resize(4, 4);
    window.show();
    QTest::keyClick(&window, Qt::Key_X);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(errors, (std::vector<std::string>{"Stream read error", "List index out of bounds"}));
}

} // namespace
} // namespace dd
