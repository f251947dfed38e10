#include "platform/Alert.h"

#include "platform/Encoding.h"

#include <cstdio>
#include <string>

namespace lorvanel {

namespace {

class StderrSink : public AlertSink {
public:
    void alert(std::string_view text) override {
        std::string line = cp932ToUtf8(text);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        line.push_back('\n');
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
};

StderrSink defaultSink;
AlertSink* current = &defaultSink;
thread_local AlertSink* threadSink = nullptr;

} // namespace

void setAlertSink(AlertSink* sink) {
    current = sink ? sink : &defaultSink;
}

AlertSink* setThreadAlertSink(AlertSink* sink) {
    AlertSink* before = threadSink;
    threadSink = sink;
    return before;
}

AlertSink& alertSink() {
    return threadSink ? *threadSink : *current;
}

void showAlert(std::string_view text) {
    AlertSink& sink = alertSink();
    sink.raiseMainWindow();
    sink.alert(text);
}

} // namespace lorvanel
