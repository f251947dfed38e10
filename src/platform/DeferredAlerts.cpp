#include "platform/DeferredAlerts.h"

namespace lorvanel {

DeferredAlerts::DeferredAlerts() : previous_(&alertSink()) {
    setAlertSink(this);
}

DeferredAlerts::~DeferredAlerts() {
    setAlertSink(previous_);
    for (const std::string& text : texts_) showAlert(text);
}

} // namespace lorvanel
