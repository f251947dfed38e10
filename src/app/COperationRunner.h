#pragma once
// Runs the document's long operations one at a time on a worker thread: the change is
// prepared there while the window goes on painting and answering, and committed here, on the
// window's thread, where the views hear of it. A caller waits for its operation with the event
// loop running, as a modal dialog does.
#include "doc/PreparedChange.h"

#include <QObject>

#include <functional>
#include <memory>
#include <thread>

namespace lorvanel {

class COperationRunner : public QObject {
    Q_OBJECT
public:
    using Prepare = std::function<PreparedChange(CancelToken* token)>;
    using Commit = std::function<bool(PreparedChange change)>;

    explicit COperationRunner(QObject* parent = nullptr);
    // Cancels a running operation and waits for its thread.
    ~COperationRunner() override;

    // Prepares on the worker and commits here; returns the commit's result, or false when the
    // operation was cancelled or replaced. A request made while another runs waits for it;
    // with replacesRunning (a filter choice, which the next choice makes useless), a running
    // operation of that sort is cancelled first. A waiting request is replaced by a newer one.
    bool run(Prepare prepare, Commit commit, bool replacesRunning = false);

    // Cancels the running operation (the cancel button, Esc, closing the window); the
    // document stays as it was.
    void cancel();
    bool busy() const { return running_ != nullptr; }
    // The step of the running operation.
    OperationStep step() const;
    // Waits, the event loop running, until no operation runs.
    void waitUntilIdle();

signals:
    void started();
    void finished();

private:
    struct Running;
    std::unique_ptr<Running> running_;
    // Counts requests: a waiting request that sees a newer one gives way to it.
    unsigned requests_ = 0;
};

} // namespace lorvanel
