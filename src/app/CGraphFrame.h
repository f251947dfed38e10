#pragma once
// The main view's tab "グラフ": a bar with the kind chooser ("グラフの種類:"), the options
// drop-down button (enabled while the kind has options) and "画像をコピー", over the graph
// view. The chosen kind is kept in the settings as GraphView/DefaultPane.
#include <QWidget>

class QComboBox;
class QToolButton;

namespace lorvanel {

class CDoc;
class CGraphView;

class CGraphFrame : public QWidget {
    Q_OBJECT
public:
    explicit CGraphFrame(CDoc& doc, QWidget* parent = nullptr);
    // Writes DefaultPane.
    ~CGraphFrame() override;

    CGraphView* view() const { return view_; }
    QComboBox* kindChooser() const { return chooser_; }
    QToolButton* optionsButton() const { return options_; }
    QToolButton* copyButton() const { return copy_; }

    // The chooser's index changed: the kind becomes the default pane and the view shows it.
    void chooseKind(int index);

private:
    void updateOptionsButton();

    CGraphView* view_;
    QComboBox* chooser_;
    QToolButton* options_;
    QToolButton* copy_;
    int defaultPane_ = 0;
};

} // namespace lorvanel
