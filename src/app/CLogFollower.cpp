#include "app/CLogFollower.h"

#include "app/CFilterTree.h"
#include "app/CLogWatcher.h"
#include "app/CLorvanelView2.h"
#include "app/FilterTreeModel.h"
#include "ui/QtText.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace lorvanel {

namespace {
// How long a reload waits for another operation before it asks again.
constexpr int kBusyRetryMs = 300;
} // namespace

CLogFollower::CLogFollower(CFilterTree& tree, CLorvanelView2& list, Hooks hooks, QObject* parent)
    : QObject(parent), tree_(tree), list_(list), hooks_(std::move(hooks)),
      watcher_(new CLogWatcher(this)) {
    connect(watcher_, &CLogWatcher::changed, this, &CLogFollower::filesChanged);
    connect(watcher_, &CLogWatcher::missing, this, &CLogFollower::filesMissing);
}

void CLogFollower::follow(const std::vector<std::string>& paths) {
    QStringList files;
    for (const std::string& p : paths) files << pathToQString(p);
    watcher_->watch(files);
}

void CLogFollower::setEnabled(bool on) {
    watcher_->setEnabled(on);
}

std::string CLogFollower::keyOf(const QModelIndex& index) const {
    const TreeNode* node = tree_.nodeOf(index);
    if (node && node->item && !node->item->text.empty()) return "t:" + node->item->text;
    std::string rows;
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        rows = "/" + std::to_string(at.row()) + rows;
    return "r:" + rows;
}

void CLogFollower::collectExpanded(const QModelIndex& parent, std::set<std::string>& keys) const {
    const FilterTreeModel* model = tree_.itemModel();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (!tree_.isExpanded(index)) continue;
        keys.insert(keyOf(index));
        collectExpanded(index, keys);
    }
}

void CLogFollower::applyExpanded(const QModelIndex& parent, const std::set<std::string>& keys) {
    FilterTreeModel* model = tree_.itemModel();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        const bool open = keys.count(keyOf(index)) > 0;
        // Expanding gives a generated item its children.
        tree_.setExpanded(index, open);
        if (open) applyExpanded(index, keys);
    }
}

CLogFollower::ViewState CLogFollower::capture() const {
    ViewState state;
    state.filterText = hooks_.appliedText ? hooks_.appliedText() : std::string();
    collectExpanded(QModelIndex(), state.expanded);
    const PostRows& rows = list_.rows();
    const RowIndex top = list_.viewportRows().top();
    if (rows.contains(top)) {
        const RowPosition at = rows.locate(top);
        state.hasTopPost = true;
        state.topPostTime = rows.post(at.post).time;
        state.topRowOffset = at.offset;
    }
    return state;
}

void CLogFollower::restore(const ViewState& state) {
    applyExpanded(QModelIndex(), state.expanded);
    // The text selects its items where the reloaded tree has them, and is applied as it
    // stands otherwise.
    if (!state.filterText.empty()) tree_.selectFilterText(state.filterText);
    if (!state.hasTopPost) return;
    // A post is known by its time: one file never holds two posts of the same second.
    const PostRows& rows = list_.rows();
    for (std::size_t i = 0; i < rows.postCount(); ++i) {
        if (rows.post(i).time != state.topPostTime) continue;
        list_.setTopRow(rows.firstRowOf(i) + std::min(state.topRowOffset, rows.rowsOf(i) - 1));
        return;
    }
}

void CLogFollower::filesChanged() {
    if (reloading_) return;
    if (hooks_.idle && !hooks_.idle()) {
        // Another operation runs: the change is taken once it is done.
        QTimer::singleShot(kBusyRetryMs, this, &CLogFollower::filesChanged);
        return;
    }
    reloading_ = true;
    const ViewState state = capture();
    const bool ok = hooks_.reload && hooks_.reload();
    if (ok) restore(state);
    reloading_ = false;
    if (ok) emit reloaded();
}

void CLogFollower::filesMissing(const QStringList& paths) {
    QStringList names;
    for (const QString& p : paths) names << QFileInfo(p).fileName();
    emit statusMessage(
        QStringLiteral("%1 が見つかりません。読み込み済みのレスはそのまま表示しています")
            .arg(names.join(QStringLiteral(", "))));
}

} // namespace lorvanel
