#pragma once

#include "platform/core/ErrorBoundary.h"
#include "platform/time/Scheduler.h"

#include <QElapsedTimer>
#include <QTimer>
#include <map>
#include <memory>

namespace dd {

// Timers on the Qt event loop; they keep firing inside modal dialogs' nested loops.
class QtScheduler : public Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;

    void Schedule(TTimer& timer, Milliseconds interval) override;
    void Cancel(TTimer& timer) override;
    Milliseconds Elapsed() const override;
    double TimeOfDay() const override;

    // Gets what a timer's handler throws.
    ErrorHandler OnError;

private:
    QElapsedTimer clock_;
    std::map<TTimer*, QTimer*> timers_;
};

} // namespace dd
