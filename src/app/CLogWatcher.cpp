#include "app/CLogWatcher.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace lorvanel {

CLogWatcher::CLogWatcher(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)) {
    settle_.setSingleShot(true);
    settle_.setInterval(1000);
    connect(&settle_, &QTimer::timeout, this, &CLogWatcher::settled);
    // Every write restarts the wait, so that a browser appending in several writes causes one
    // reload once it is done.
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &CLogWatcher::touched);
    // The folders tell of a file renamed over a watched one (the watch on the old file ends
    // with it) and of a file that comes back.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &CLogWatcher::touched);
}

CLogWatcher::Stamp CLogWatcher::stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {true, info.size(), info.lastModified()};
}

void CLogWatcher::watch(const QStringList& paths) {
    settle_.stop();
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    paths_ = paths;
    stamps_.clear();
    reportedMissing_.clear();
    for (const QString& path : paths_) stamps_.push_back(stampOf(path));
    rewatch();
}

void CLogWatcher::rewatch() {
    QStringList files, folders;
    for (const QString& path : paths_) {
        const QFileInfo info(path);
        if (info.exists() && !watcher_->files().contains(path)) files << path;
        const QString folder = info.absolutePath();
        if (!watcher_->directories().contains(folder) && !folders.contains(folder))
            folders << folder;
    }
    if (!files.isEmpty()) watcher_->addPaths(files);
    if (!folders.isEmpty()) watcher_->addPaths(folders);
}

void CLogWatcher::setEnabled(bool on) {
    enabled_ = on;
    if (!on) settle_.stop();
}

void CLogWatcher::touched() {
    // A file renamed over a watched one has a new watch at once, before the wait ends.
    rewatch();
    if (enabled_ && !paths_.isEmpty()) settle_.start();
}

void CLogWatcher::settled() {
    rewatch();
    QStringList gone;
    bool differs = false;
    for (std::size_t i = 0; i < stamps_.size(); ++i) {
        const Stamp now = stampOf(paths_[static_cast<qsizetype>(i)]);
        if (!now.exists) gone << paths_[static_cast<qsizetype>(i)];
        differs |= !(now == stamps_[i]);
    }
    if (!gone.isEmpty()) {
        if (gone != reportedMissing_) {
            reportedMissing_ = gone;
            emit missing(gone);
        }
        return;
    }
    reportedMissing_.clear();
    if (!differs) return;
    // The stamps are taken again when the reloaded files are listed anew; until then the
    // same change is not reported twice.
    for (std::size_t i = 0; i < stamps_.size(); ++i)
        stamps_[i] = stampOf(paths_[static_cast<qsizetype>(i)]);
    emit changed();
}

} // namespace lorvanel
