#pragma once
// Advice to the system about buffers that hold a whole log.
#include <cstddef>

namespace lorvanel {

// Asks for the buffer to be backed by large pages where the system offers them on request:
// a log of hundreds of megabytes then costs hundreds of page faults rather than tens of
// thousands. Only advice: nothing changes where it is not followed.
void adviseLargeBuffer(void* buffer, std::size_t size);

// Maps every page of the buffer in one call, before it is written. A buffer written all over
// otherwise takes a page fault for each of its pages, and a fault is dear inside a virtual
// machine: folding a large log's bodies spent more time in faults than in folding. Only a
// request: where the system lacks it, the pages come at their first write as before.
void prefaultBuffer(void* buffer, std::size_t size);

} // namespace lorvanel
