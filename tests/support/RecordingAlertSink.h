#pragma once
// An alert sink that keeps the texts of message boxes for tests to inspect.
#include "platform/Alert.h"

#include <string>
#include <vector>

namespace lorvanel::testing {

class RecordingAlertSink : public AlertSink {
public:
    void raiseMainWindow() override { ++raised; }
    void alert(std::string_view text) override { texts.emplace_back(text); }
    void clear() {
        texts.clear();
        raised = 0;
    }
    std::vector<std::string> texts;
    int raised = 0;
};

// The sink installed for the whole test run.
RecordingAlertSink& recordedAlerts();

} // namespace lorvanel::testing
