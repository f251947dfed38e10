#pragma once
// Advice to the system about buffers that hold a whole log.
#include <cstddef>

namespace lorvanel {

// Asks for the buffer to be backed by large pages where the system offers them on request:
// a log of hundreds of megabytes then costs hundreds of page faults rather than tens of
// thousands. Only advice: nothing changes where it is not followed.
void adviseLargeBuffer(void* buffer, std::size_t size);

} // namespace lorvanel
