#include "platform/WorkerPool.h"
#include "platform/Cancellation.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace lorvanel {

namespace {

constexpr std::size_t kMaxThreads = 16;
constexpr std::size_t kMinItemsPerPart = 8192;

// One per processor; LORVANEL_THREADS=N sets fewer or more, as benchmarks that compare the
// walk on one processor with the walk on all of them do.
std::size_t machineThreads() {
    std::size_t n = std::thread::hardware_concurrency();
    if (const char* forced = std::getenv("LORVANEL_THREADS")) n = std::strtoul(forced, nullptr, 10);
    return std::clamp<std::size_t>(n, 1, kMaxThreads);
}

std::atomic<std::size_t> maxParts{machineThreads()};
std::atomic<std::size_t> minItemsPerPart{kMinItemsPerPart};

// One call of runParts: its parts are claimed one by one, by the caller and by any worker.
struct Job {
    const std::function<void(std::size_t)>* work = nullptr;
    std::size_t parts = 0;
    std::atomic<std::size_t> next{0};
    // Under the pool's mutex:
    std::size_t finished = 0;
    int helpers = 0; // workers that may still touch the job
    std::exception_ptr error;
};

class Pool {
public:
    Pool() {
        for (std::size_t i = 1; i < machineThreads(); ++i)
            threads_.emplace_back([this] { serve(); });
    }
    ~Pool() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    void run(Job& job) {
        if (!threads_.empty() && job.parts > 1) {
            {
                std::lock_guard lock(mutex_);
                jobs_.push_back(&job);
            }
            wake_.notify_all();
        }
        work(job);
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return job.finished == job.parts && job.helpers == 0; });
        const auto it = std::find(jobs_.begin(), jobs_.end(), &job);
        if (it != jobs_.end()) jobs_.erase(it);
    }

private:
    // Runs parts of the job until none is left to claim.
    void work(Job& job) {
        for (;;) {
            const std::size_t part = job.next.fetch_add(1);
            if (part >= job.parts) return;
            std::exception_ptr error;
            try {
                (*job.work)(part);
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard lock(mutex_);
            if (error && !job.error) job.error = error;
            if (++job.finished == job.parts) done_.notify_all();
        }
    }

    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stop_ || !jobs_.empty(); });
            if (stop_) return;
            Job* job = jobs_.front();
            if (job->next.load() >= job->parts) {
                jobs_.pop_front(); // every part is taken; its caller waits for the last
                continue;
            }
            ++job->helpers;
            lock.unlock();
            work(*job);
            lock.lock();
            if (--job->helpers == 0) done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::deque<Job*> jobs_;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

Pool& pool() {
    static Pool p;
    return p;
}

} // namespace

std::size_t partsFor(std::size_t n) {
    const std::size_t byItems = n / std::max<std::size_t>(minItemsPerPart.load(), 1);
    return std::clamp<std::size_t>(byItems, 1, std::max<std::size_t>(maxParts.load(), 1));
}

std::pair<std::size_t, std::size_t> partRange(std::size_t n, std::size_t parts, std::size_t part) {
    return {n * part / parts, n * (part + 1) / parts};
}

void runParts(std::size_t parts, const std::function<void(std::size_t)>& work) {
    if (parts == 0) return;
    if (parts == 1) {
        work(0);
        return;
    }
    // The parts check the caller's cancellation token; the first to see it cancelled throws,
    // and the caller throws again once every part has ended.
    CancelToken* token = currentCancelToken();
    const std::function<void(std::size_t)> tokenWork = [&](std::size_t part) {
        CancelScope scope(token);
        work(part);
    };
    Job job;
    job.work = token ? &tokenWork : &work;
    job.parts = parts;
    pool().run(job);
    if (job.error) std::rethrow_exception(job.error);
}

PartsOverride::PartsOverride(std::size_t threads, std::size_t minItems)
    : threads_(maxParts.exchange(threads)), minItems_(minItemsPerPart.exchange(minItems)) {}

PartsOverride::~PartsOverride() {
    maxParts = threads_;
    minItemsPerPart = minItems_;
}

} // namespace lorvanel
