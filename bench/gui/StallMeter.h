#pragma once
// How long the window's thread was kept from its event loop during a step: a timer ticks every
// few milliseconds on that thread, and the longest delay of a tick behind its time is the
// longest stall a user would have felt (no repaint, no answer to a key).
#include <QElapsedTimer>
#include <QTimer>

namespace lorvanel::bench {

class StallMeter {
public:
    StallMeter();
    void start();
    // Lets a late tick arrive, stops, and returns the longest stall in seconds.
    double stop();

private:
    void tick();

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

} // namespace lorvanel::bench
