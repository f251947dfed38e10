#pragma once
// The main view's tab "グラフ": a bar with the kind chooser ("グラフの種類:"), the options
// drop-down button (enabled while the kind has options), "画像をコピー" and "画像を保存...",
// over the graph view. The chosen kind is kept in the settings as GraphView/DefaultPane.
#include <QWidget>

class QBoxLayout;
class QComboBox;
class QLabel;
class QToolButton;

namespace lorvanel {

class CGraphView;
class DocBridge;
class IniFile;

class CGraphFrame : public QWidget {
    Q_OBJECT
public:
    explicit CGraphFrame(DocBridge& bridge, QWidget* parent = nullptr);

    // DefaultPane chooses the kind shown; the kinds' own sections go to the view.
    void loadSettings(const IniFile& ini);
    void saveSettings(IniFile& ini);

    CGraphView* view() const { return view_; }
    QComboBox* kindChooser() const { return chooser_; }
    QToolButton* optionsButton() const { return options_; }
    QToolButton* copyButton() const { return copy_; }
    QToolButton* saveButton() const { return save_; }

    // The chooser's index changed: the kind becomes the default pane and the view shows it.
    void chooseKind(int index);

    // "画像を保存...": asks for a file name (PNG or SVG), then saveImageTo.
    void saveImage();
    // The picture at the view's size into the file, PNG or SVG by its suffix; a failure is
    // told in a message box and leaves no file behind.
    bool saveImageTo(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateOptionsButton();

    QBoxLayout* bar_;
    CGraphView* view_;
    QComboBox* chooser_;
    QLabel* caption_;
    QToolButton* options_;
    QToolButton* copy_;
    QToolButton* save_;
    int defaultPane_ = 0;
};

} // namespace lorvanel
