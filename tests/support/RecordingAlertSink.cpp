#include "support/RecordingAlertSink.h"

namespace lorvanel::testing {

RecordingAlertSink& recordedAlerts() {
    static RecordingAlertSink sink;
    return sink;
}

} // namespace lorvanel::testing
