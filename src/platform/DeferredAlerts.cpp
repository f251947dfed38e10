#include "platform/DeferredAlerts.h"

namespace lorvanel {

DeferredAlerts::DeferredAlerts() : previous_(setThreadAlertSink(this)) {}

DeferredAlerts::~DeferredAlerts() {
    setThreadAlertSink(previous_);
    for (const std::string& text : texts_) showAlert(text);
}

} // namespace lorvanel
