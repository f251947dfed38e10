#include "gui/StallMeter.h"

#include <QCoreApplication>

#include <algorithm>

namespace lorvanel::bench {

namespace {
constexpr int kTickMs = 5;
} // namespace

StallMeter::StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTickMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void StallMeter::start() {
    clock_.start();
    last_ = 0;
    longest_ = 0;
    timer_.start();
}

void StallMeter::tick() {
    const qint64 now = clock_.nsecsElapsed();
    longest_ = std::max(longest_, now - last_ - qint64{kTickMs} * 1000000);
    last_ = now;
}

double StallMeter::stop() {
    QCoreApplication::processEvents();
    tick();
    timer_.stop();
    return static_cast<double>(std::max<qint64>(longest_, 0)) / 1e9;
}

} // namespace lorvanel::bench
