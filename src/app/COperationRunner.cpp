#include "app/COperationRunner.h"

#include <QEventLoop>

namespace lorvanel {

struct COperationRunner::Running {
    CancelToken token;
    PreparedChange change;
    bool prepared = false;
    bool replaceable = false;
    std::thread thread;
};

COperationRunner::COperationRunner(QObject* parent) : QObject(parent) {}

COperationRunner::~COperationRunner() {
    if (running_) {
        running_->token.cancel();
        if (running_->thread.joinable()) running_->thread.join();
    }
}

void COperationRunner::cancel() {
    if (running_) running_->token.cancel();
}

OperationStep COperationRunner::step() const {
    return running_ ? running_->token.step() : OperationStep::kNone;
}

void COperationRunner::waitUntilIdle() {
    while (running_) {
        QEventLoop loop;
        connect(this, &COperationRunner::finished, &loop, &QEventLoop::quit);
        if (running_) loop.exec();
    }
}

bool COperationRunner::run(Prepare prepare, Commit commit, bool replacesRunning) {
    const unsigned request = ++requests_;
    if (running_ && replacesRunning && running_->replaceable) cancel();
    waitUntilIdle();
    if (request != requests_) return false; // a newer request took this one's place

    running_ = std::make_unique<Running>();
    Running& r = *running_;
    r.replaceable = replacesRunning;
    QEventLoop loop;
    r.thread = std::thread([&r, &loop, prepare = std::move(prepare)] {
        r.change = prepare(&r.token);
        // Back on the window's thread: the loop that waits for the change ends.
        QMetaObject::invokeMethod(
            &loop,
            [&r, &loop] {
                r.prepared = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    });
    emit started();
    while (!r.prepared) loop.exec();
    r.thread.join();
    PreparedChange change = std::move(r.change);
    const bool cancelled = change.cancelled;
    std::unique_ptr<Running> done = std::move(running_);
    const bool ok = !cancelled && commit(std::move(change));
    emit finished();
    return ok;
}

} // namespace lorvanel
