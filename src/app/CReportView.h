#pragma once
// The text pane of the report window: the report and the analysis log, read-only and not
// wrapped, so that every text line is one line of the pane.
#include <QPlainTextEdit>

#include <string_view>

class QMenu;

namespace lorvanel {

class CReportView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kWheelLines = 4;

    explicit CReportView(QWidget* parent = nullptr);

    // A CP932 text whose lines end in CR LF, a lone CR or a lone LF.
    void setReportText(std::string_view cp932);
    // Makes the line the first visible one (or as near as the end of the text allows) and
    // puts the caret at its start with nothing selected.
    void scrollToLine(int line);
    int firstVisibleLine() const;

    // The context menu: "コピー(&C)" (greyed without a selection), "全て選択(&A)".
    QMenu* createReportMenu(QWidget* parent);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Wheel delta not yet turned into lines: touch pads send small steps that add up to the
    // 120 of one mouse-wheel notch.
    int wheelRemainder_ = 0;
};

} // namespace lorvanel
