#pragma once
// Where messages that must reach the user at once go: the GUI shows a message box, the CLI
// writes a line to standard error, tests record them. Texts are CP932.
#include <string_view>

namespace lorvanel {

class AlertSink {
public:
    virtual ~AlertSink() = default;
    // Brings the main window, when there is one, to the foreground before a message.
    virtual void raiseMainWindow() {}
    // Shows text and returns when the user has seen it (or at once, outside a GUI).
    virtual void alert(std::string_view text) = 0;
};

// Sets the process's sink; null restores the default, which writes UTF-8 lines to stderr.
void setAlertSink(AlertSink* sink);
// The sink of the calling thread alone, ahead of the process's while it is set (an operation
// running on a worker keeps its messages for the thread that shows them); null returns the
// thread to the process's sink. Returns the thread's sink before the call.
AlertSink* setThreadAlertSink(AlertSink* sink);
// The calling thread's sink when it has one, else the process's.
AlertSink& alertSink();

// Raises the main window, then shows the text.
void showAlert(std::string_view text);

} // namespace lorvanel
