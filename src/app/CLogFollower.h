#pragma once
// Keeps the window on the browser's log: when the watched files change, the log is reloaded
// as F5 does and the view is put back where it was — the applied filter text, the filter
// tree's expanded items and the post list's top post, where they still exist. A file that
// is gone leaves the loaded posts in place and is named in the status bar.
#include "platform/Time32.h"

#include <QObject>

#include <functional>
#include <set>
#include <string>
#include <vector>

class QModelIndex;

namespace lorvanel {

class CFilterTree;
class CLogWatcher;
class CLorvanelView2;

class CLogFollower : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // Reloads the open files as F5 does; false when nothing was loaded.
        std::function<bool()> reload;
        // The filter text applied now (CP932; empty for the whole log).
        std::function<std::string()> appliedText;
        // False while another operation runs: the reload waits for it.
        std::function<bool()> idle;
    };
    CLogFollower(CFilterTree& tree, CLorvanelView2& list, Hooks hooks, QObject* parent = nullptr);

    // The files of the log now open (none after closing).
    void follow(const std::vector<std::string>& paths);
    void setEnabled(bool on);
    CLogWatcher& watcher() const { return *watcher_; }

    // What the window shows, and putting it back after a reload.
    struct ViewState {
        std::string filterText;
        std::set<std::string> expanded; // the tree's expanded items by their keys
        bool hasTopPost = false;
        Time32 topPostTime = 0;
        int topRowOffset = 0; // rows of the top post above the window's top
    };
    ViewState capture() const;
    void restore(const ViewState& state);

signals:
    // A text for the status bar's message pane.
    void statusMessage(const QString& text);
    // The files were reloaded after a change.
    void reloaded();

private:
    void filesChanged();
    void filesMissing(const QStringList& paths);
    // An item's key: its filter text, or for an item without one its rows from the top.
    std::string keyOf(const QModelIndex& index) const;
    void collectExpanded(const QModelIndex& parent, std::set<std::string>& keys) const;
    void applyExpanded(const QModelIndex& parent, const std::set<std::string>& keys);

    CFilterTree& tree_;
    CLorvanelView2& list_;
    Hooks hooks_;
    CLogWatcher* watcher_;
    bool reloading_ = false;
};

} // namespace lorvanel
