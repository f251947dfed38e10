#pragma once
// Back and forward through the filter selections applied since the load: the two commands
// (Alt+Left, Alt+Right), the history they step through, and the restoring of a step through
// the filter tree, so that a step is applied exactly as a click on the tree's items.
#include "app/SelectionHistory.h"

#include <QObject>

#include <string>

class QAction;
class QWidget;

namespace lorvanel {

class CFilterTree;

class CSelectionNavigator : public QObject {
    Q_OBJECT
public:
    // The commands act in the whole window.
    CSelectionNavigator(CFilterTree& tree, QWidget* window);

    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }
    const SelectionHistory& history() const { return history_; }

    // What an application of a filter text starts from: the tree's selection at its start,
    // and whether it is a step of this navigator.
    struct Ticket {
        SelectionEntry entry;
        bool step = false;
        std::size_t previous = 0;
        unsigned generation = 0;
    };
    Ticket beginApply(const std::string& text);
    // An applied selection joins the history; a step that failed puts the cursor back unless a
    // newer application has begun since.
    void finishApply(const Ticket& ticket, bool applied);

    // A new log: the history starts again from what the tree shows now (the whole log).
    void restart();
    // A selection applied without the tree's announcing it (フィルタ解除).
    void recordShown(const std::string& text);
    void clear();

    void goBack();
    void goForward();

private:
    SelectionEntry snapshot(std::string text) const;
    void restore(const SelectionEntry& entry);
    void updateActions();

    CFilterTree& tree_;
    SelectionHistory history_;
    QAction* back_;
    QAction* forward_;
    // Set while a step hands its selection to the tree; its application takes it.
    bool stepping_ = false;
    std::size_t stepFrom_ = 0;
    unsigned generation_ = 0;
};

} // namespace lorvanel
