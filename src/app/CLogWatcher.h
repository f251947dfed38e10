#pragma once
// Watches the files of the open log for the browser's writes: a change counts once the files
// have stayed quiet for a settling time, a file replaced by one renamed over it is watched
// again, and a file that is gone is reported instead of a change.
#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <vector>

class QFileSystemWatcher;

namespace lorvanel {

class CLogWatcher : public QObject {
    Q_OBJECT
public:
    explicit CLogWatcher(QObject* parent = nullptr);

    // The files to watch from now on, as they are now; an empty list stops watching.
    void watch(const QStringList& paths);
    const QStringList& paths() const { return paths_; }
    // Off: nothing is reported (the files stay listed for when it is turned on again).
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    // How long the files must stay quiet before a change counts (1 s unless set).
    void setSettleTime(int milliseconds) { settle_.setInterval(milliseconds); }

signals:
    // Every file is there and at least one differs from when it was listed.
    void changed();
    // These files are gone (reported once until they come back).
    void missing(const QStringList& paths);

private:
    // Size and time of last change of a file; an absent file has none.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    void rewatch();
    void touched();
    void settled();

    QFileSystemWatcher* watcher_;
    QTimer settle_;
    QStringList paths_;
    std::vector<Stamp> stamps_;
    QStringList reportedMissing_;
    bool enabled_ = true;
};

} // namespace lorvanel
