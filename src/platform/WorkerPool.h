#pragma once
// The process's worker threads, one per processor beside the calling thread: a walk over many
// posts is cut into parts that run side by side, and the caller goes on once all are done.
#include <cstddef>
#include <functional>
#include <utility>

namespace lorvanel {

// How many parts a walk over n items is cut into: one per processor, but no part smaller
// than a few thousand items, whose walk would cost less than handing it to a thread.
std::size_t partsFor(std::size_t n);

// The items [first, second) of part `part` of `parts` over n items: consecutive ranges of
// nearly equal size, in order.
std::pair<std::size_t, std::size_t> partRange(std::size_t n, std::size_t parts, std::size_t part);

// Runs work(part) for every part in 0..parts-1, on the workers and the calling thread, and
// returns when every part has ended. The first exception a part threw is thrown again here,
// after the others have ended. May be called from several threads and from inside a part.
void runParts(std::size_t parts, const std::function<void(std::size_t part)>& work);

// While it lives, partsFor cuts into `threads` parts at most, none smaller than minItems:
// tests compare the walk in one part with the walk in many, whatever the machine.
class PartsOverride {
public:
    PartsOverride(std::size_t threads, std::size_t minItems);
    ~PartsOverride();
    PartsOverride(const PartsOverride&) = delete;
    PartsOverride& operator=(const PartsOverride&) = delete;

private:
    std::size_t threads_, minItems_;
};

} // namespace lorvanel
