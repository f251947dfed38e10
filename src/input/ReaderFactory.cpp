#include "input/BlockReader.h"
#include "input/JDimReader.h"
#include "input/KeyValueReader.h"
#include "input/LogFormat.h"

namespace lorvanel {

std::unique_ptr<LogReader> createReader(int format) {
    if (format == kFormatGikonavi) return std::make_unique<KeyValueReader>();
    if (format == kFormatJDim) return std::make_unique<JDimReader>();
    if (format < kFormatJane || format > kFormatHotzonu) return nullptr;
    return std::make_unique<BlockReader>(format);
}

} // namespace lorvanel
