#include "input/LogFormat.h"
#include "input/LogReader.h"

namespace lorvanel {

std::unique_ptr<LogReader> createReader(int format) {
    (void)format;
    return nullptr;
}

} // namespace lorvanel
