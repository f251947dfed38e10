#pragma once
// Stopping a long operation from another thread. The thread that runs the operation installs
// a token with a CancelScope; the long loops call CancelPoll, which throws OperationCancelled
// once the token is cancelled. The operation works on objects of its own until it is done, so
// unwinding leaves nothing half-changed behind.
#include <atomic>
#include <cstdint>

namespace lorvanel {

// Thrown out of a cancelled operation. Deliberately no std::exception: the handlers that
// report a failed load must not take it for a failure.
struct OperationCancelled {};

// What a running operation is doing, for a progress display.
enum class OperationStep : std::uint8_t { kNone, kLoading, kCounting, kKeywords };

// Shared between the thread that runs an operation and the one that may cancel it; both only
// touch atomics, so either may call anything at any time.
class CancelToken {
public:
    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    void setStep(OperationStep step) { step_.store(step, std::memory_order_relaxed); }
    OperationStep step() const { return step_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> cancelled_{false};
    std::atomic<OperationStep> step_{OperationStep::kNone};
};

// Makes token the current thread's token while it lives (scopes nest; null installs none).
class CancelScope {
public:
    explicit CancelScope(CancelToken* token);
    ~CancelScope();
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;

private:
    CancelToken* previous_;
};

// The current thread's token, or null. Work handed to other threads (a pool's parts) takes it
// along and checks it there; CancelPoll on a thread without a token never throws.
CancelToken* currentCancelToken();

// Throws OperationCancelled when the current thread's token has been cancelled.
void throwIfCancelled();

// Tells the current thread's token (if any) which step the operation is at.
void reportStep(OperationStep step);

// A check for a hot loop: looks at the token only every 4096th call, so that a loop over
// millions of posts pays a counter increment per post.
class CancelPoll {
public:
    void operator()() {
        if ((++calls_ & 4095u) == 0) throwIfCancelled();
    }

private:
    std::uint32_t calls_ = 0;
};

} // namespace lorvanel
