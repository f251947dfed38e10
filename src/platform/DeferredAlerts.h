#pragma once
// A scope in which messages wait: while it lives, every message is kept instead of shown, and
// when it ends they are shown in the order they came. An operation that must not be
// interrupted by a message box (whose event loop would let the user act on a half-changed
// state) runs inside one. Scopes nest: an inner scope hands its messages to the outer one.
// A scope holds the messages of its own thread only.
#include "platform/Alert.h"

#include <string>
#include <utility>
#include <vector>

namespace lorvanel {

class DeferredAlerts : private AlertSink {
public:
    DeferredAlerts();
    // Restores the sink that was current before and shows the kept messages through it.
    ~DeferredAlerts() override;
    DeferredAlerts(const DeferredAlerts&) = delete;
    DeferredAlerts& operator=(const DeferredAlerts&) = delete;

    std::size_t pending() const { return texts_.size(); }
    // Hands over the kept messages, which are then not shown when the scope ends: an operation
    // prepared on a worker takes them along to the thread that shows them.
    std::vector<std::string> take() { return std::exchange(texts_, {}); }

private:
    // Each kept text is shown with showAlert, which raises the main window first.
    void raiseMainWindow() override {}
    void alert(std::string_view text) override { texts_.emplace_back(text); }

    AlertSink* previous_;
    std::vector<std::string> texts_;
};

} // namespace lorvanel
