#include "input/PostList.h"

#include "input/AnalysisLog.h"
#include "input/DomainConstants.h"
#include "input/PostArena.h"
#include "input/ShortSearch.h"
#include "platform/Cancellation.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cstring>

namespace lorvanel {

void PostList::renumber() {
    std::int32_t seq = 0;
    for (PostRecord* p : items_) p->seq = ++seq;
}

void PostList::clear() {
    items_.clear();
    outOfOrder_ = false;
    newestFirst_ = false;
    admittedTimes_.clear();
}

bool PostList::takesTime(Time32 t, bool atFront) {
    if (atFront) newestFirst_ = true;
    if (items_.empty()) return true;
    if (!outOfOrder_) {
        if (atFront ? t < items_.front()->time : t > items_.back()->time) return true;
        // Until now the times rose strictly, so they were all distinct.
        outOfOrder_ = true;
        admittedTimes_.reserve(items_.size() * 2);
        for (const PostRecord* p : items_) admittedTimes_.insert(p->time);
    }
    return admittedTimes_.insert(t).second;
}

namespace {

std::string postTimeText(const PostRecord& r) {
    return formatLocalTime(r.time, "%Y/%m/%d %H:%M:%S");
}

bool reject(PostRecord* record, PostArena* releaseTo) {
    if (releaseTo) releaseTo->recycle(record);
    return false;
}

// Splits "scheme://host/rest" in place after the host.
void deriveServer(PostRecord& r) {
    char* slashes = findInShort(const_cast<char*>(r.url), "//");
    char* end = slashes ? findInShort(slashes + 2, '/') : nullptr;
    if (!end) {
        r.server = "";
        r.flags |= PostRecord::kKnownBbs;
        return;
    }
    *end = '\0';
    r.flags |= PostRecord::kHostCut;
    r.server = slashes + 2;
    if (isKnownBbsHost(r.server)) r.flags |= PostRecord::kKnownBbs;
}

} // namespace

bool addPost(PostList& list, PostRecord* record, PostArena* releaseTo, bool atFront) {
    // Every reader admits its posts here: the one place a load's parsing is stopped.
    thread_local CancelPoll poll;
    poll();
    PostRecord& r = *record;
    // The reader has said what was wrong with the date text.
    if (r.flags & PostRecord::kBadTime) return reject(record, releaseTo);
    if (r.lineCount < 0 || r.lineCount > 100) {
        analysisLog().append("(%s) レス行数が異常です(%d行)。この書き込みを無視します。\r\n",
                             postTimeText(r).c_str(), r.lineCount);
        return reject(record, releaseTo);
    }
    if (!list.takesTime(r.time, atFront)) {
        analysisLog().append("(%s) 書き込み時間が遡っています。この書き込みを無視します。\r\n",
                             postTimeText(r).c_str());
        return reject(record, releaseTo);
    }
    // Final for a file in order; otherwise finishFilePosts numbers the posts.
    r.seq = list.empty() ? 1 : (atFront ? list.front()->seq : list.back()->seq) + 1;
    if (!r.server) deriveServer(r);
    if (atFront)
        list.pushFront(record);
    else
        list.pushBack(record);
    return true;
}

void finishFilePosts(PostList& list) {
    if (list.outOfOrder_) {
        std::sort(list.items_.begin(), list.items_.end(),
                  [](const PostRecord* a, const PostRecord* b) { return a->time < b->time; });
        list.renumber();
    } else if (list.newestFirst_) {
        list.renumber();
    }
    list.outOfOrder_ = false;
    list.newestFirst_ = false;
    std::unordered_set<Time32>().swap(list.admittedTimes_);
}

std::size_t mergePosts(PostList& log, PostList& added) {
    auto& a = added.items();
    auto& l = log.items();
    if (a.empty()) return l.size();
    if (l.empty()) {
        l.swap(a);
    } else if (l.back()->time < a.front()->time) {
        l.insert(l.end(), a.begin(), a.end());
    } else {
        // One pass over both lists into a fresh one; a tie keeps the log's post.
        PostList::Items merged;
        auto li = l.begin();
        auto ai = a.begin();
        while (ai != a.end()) {
            if (li == l.end()) {
                merged.insert(merged.end(), ai, a.end());
                break;
            }
            if ((*ai)->time < (*li)->time) {
                merged.push_back(*ai++);
            } else if ((*ai)->time == (*li)->time) {
                analysisLog().append("書き込み時間が同一のレスがあります。無視します\r\n");
                ++ai;
                merged.push_back(*li++);
            } else {
                merged.push_back(*li++);
            }
        }
        merged.insert(merged.end(), li, l.end());
        l.swap(merged);
    }
    added.clear();
    log.renumber();
    return l.size();
}

} // namespace lorvanel
