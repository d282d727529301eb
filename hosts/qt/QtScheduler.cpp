#include "hosts/qt/QtScheduler.h"

#include "platform/time/TTimer.h"

#include <QTime>

namespace dd {

QtScheduler::QtScheduler() {
    clock_.start();
}

QtScheduler::~QtScheduler() {
    for (auto& [timer, qtimer] : timers_)
        delete qtimer;
}

void QtScheduler::Schedule(TTimer& timer, Milliseconds interval) {
    QTimer*& qtimer = timers_[&timer];
    if (!qtimer) {
        qtimer = new QTimer;
        qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(qtimer, &QTimer::timeout,
                         [this, t = &timer] { RunGuarded([t] { t->Fire(); }, OnError); });
    }
    qtimer->start(static_cast<int>(interval.count()));
}

void QtScheduler::Cancel(TTimer& timer) {
    const auto it = timers_.find(&timer);
    if (it == timers_.end())
        return;
    it->second->stop();
    // The timer may be cancelled from inside its own timeout.
    it->second->deleteLater();
    timers_.erase(it);
}

Milliseconds QtScheduler::Elapsed() const {
    return Milliseconds(clock_.elapsed());
}

double QtScheduler::TimeOfDay() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 86'400'000.0;
}

} // namespace dd
