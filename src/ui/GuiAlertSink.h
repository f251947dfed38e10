#pragma once
// The desktop program's alert sink: brings the main window to the front and shows the text
// in a message box over it.
#include "platform/Alert.h"

#include <QPointer>
#include <QWidget>

namespace lorvanel {

class GuiAlertSink : public AlertSink {
public:
    void setMainWindow(QWidget* window) { window_ = window; }
    void raiseMainWindow() override;
    void alert(std::string_view text) override;

private:
    QPointer<QWidget> window_;
};

} // namespace lorvanel
