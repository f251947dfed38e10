#include "Author.h"

#include <algorithm>
#include <cmath>

namespace loggen {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kFiveChFrom = 1506783600; // 2017-10-01 in Japan: the main BBS moves
constexpr std::int64_t kHttpsFrom = 1420070400;  // 2015-01-01: https starts to appear
constexpr std::size_t kMaxFollowed = 24;

const std::vector<double> kFamilyCw = cumulate({0.93, 0.015, 0.02, 0.02, 0.015});

// Lines per ordinary body: mostly one to three, with a tail up to thirty.
const std::vector<double> kLineCountCw = [] {
    std::vector<double> w = {32, 23, 14, 9, 6};
    w.insert(w.end(), 5, 1.8);
    w.insert(w.end(), 10, 0.3);
    w.insert(w.end(), 10, 0.08);
    return cumulate(w);
}();

std::string schemeAndHost(Random& r, const Board& b, std::int64_t created) {
    switch (b.family) {
    case Family::Main:
        if (created >= kFiveChFrom)
            return (r.chance(0.95) ? "https://" : "http://") + b.server + ".5ch.net";
        return (created >= kHttpsFrom && r.chance(0.5) ? "https://" : "http://") + b.server +
               ".2ch.net";
    case Family::Adult:
        return (created >= kHttpsFrom + 3 * 365 * kDay ? "https://" : "http://") + b.server +
               ".bbspink.com";
    case Family::Regional:
        return (created >= kHttpsFrom ? "https://" : "http://") + b.server;
    case Family::Rental:
        return "http://" + b.server;
    case Family::Forum:
        return "https://" + b.server;
    }
    return {};
}

std::string threadUrl(const std::string& base, const Board& b, std::int64_t key) {
    const std::string k = std::to_string(key);
    switch (b.family) {
    case Family::Main:
    case Family::Adult:
        return base + "/test/read.cgi/" + b.dir + "/" + k + "/";
    case Family::Regional:
        return base + "/bbs/read.cgi/" + b.dir + "/" + k + "/";
    case Family::Rental:
        return base + "/bbs/read.cgi?bbs=" + b.dir + "&key=" + k;
    case Family::Forum:
        return base + "/" + b.dir + "/thread/" + k;
    }
    return {};
}

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) s += "\r\n";
        s += lines[i];
    }
    return s;
}

} // namespace

Author::Author(std::string_view seed, const Vocabulary& vocabulary, double newThreadRate)
    : r_(seed, "author"), vocabulary_(vocabulary), newThreadRate_(newThreadRate), otherBoards_(5) {
    for (const Board& b : allBoards()) {
        if (b.family == Family::Main)
            mainBoards_.push_back(&b);
        else
            otherBoards_[static_cast<int>(b.family)].push_back(&b);
    }
    const std::size_t n = 4 + r_.below(3);
    while (favourites_.size() < n) {
        const std::size_t i = r_.below(mainBoards_.size());
        if (std::find(favourites_.begin(), favourites_.end(), i) == favourites_.end())
            favourites_.push_back(i);
    }
    weighBoards();
    handles_ = vocabulary_.handles(r_);
}

void Author::weighBoards() {
    std::vector<double> w;
    for (const Board* b : mainBoards_) w.push_back(b->weight);
    for (std::size_t rank = 0; rank < favourites_.size(); ++rank)
        w[favourites_[rank]] += rank == 0 ? 40.0 : 15.0;
    mainCw_ = cumulate(w);
}

const Board& Author::pickBoard() {
    const std::size_t family = pickWeighted(r_, kFamilyCw);
    if (family == 0) return *mainBoards_[pickWeighted(r_, mainCw_)];
    return *r_.pick(otherBoards_[family]);
}

std::shared_ptr<Thread> Author::makeThread(const Board& b, std::int64_t now, std::int64_t key,
                                           ThreadTitle title, bool mine) {
    static const double kLife[3][2] = {
        {3600, 10 * 3600}, {kDay, 10 * kDay}, {10 * kDay, 150 * kDay}};
    const double* range = kLife[static_cast<int>(b.pace)];
    const auto life = static_cast<std::int64_t>(
        std::exp(std::log(range[0]) + r_.uniform() * (std::log(range[1]) - std::log(range[0]))));
    if (key == 0) {
        key = now - static_cast<std::int64_t>(life * (0.02 + 0.68 * r_.uniform())) -
              r_.between(30, 600);
        if (key < 1) key = std::max<std::int64_t>(1, now - 60);
    }
    auto t = std::make_shared<Thread>();
    t->board = &b;
    t->key = key;
    t->title = std::move(title);
    const std::string base = schemeAndHost(r_, b, key);
    t->url = threadUrl(base, b, key);
    t->boardUrl = base + "/" + b.dir + "/";
    t->expire = key + life;
    t->secondsPerPost = std::max(1.0, static_cast<double>(life) / 1000.0);
    const double x = r_.uniform();
    t->nameStyle = x < 0.66 ? 0 : x < 0.83 ? 1 : x < 0.96 ? 2 : 3;
    const double y = r_.uniform();
    t->mail = y < 0.56 ? "sage" : y < 0.98 ? "" : "age";
    t->weight = mine ? 3.0 : 1.0;
    return t;
}

std::shared_ptr<Thread> Author::successor(const Thread& old, std::int64_t now) {
    const std::int64_t key =
        std::max(old.key + 1, std::min(old.expire + r_.between(0, 3600), now - 60));
    ThreadTitle title = old.title;
    title.part += 1;
    title.text = seriesTitle(title.series, title.part);
    auto t = makeThread(*old.board, now, key, std::move(title), false);
    t->weight = old.weight;
    t->nameStyle = old.nameStyle;
    t->mail = old.mail;
    return t;
}

void Author::refresh(std::int64_t now, bool newSession) {
    if (nextFavouriteChange_ < 0) {
        nextFavouriteChange_ = now + static_cast<std::int64_t>((90 + 210 * r_.uniform()) * kDay);
    } else if (now >= nextFavouriteChange_) {
        std::size_t candidate;
        do candidate = r_.below(mainBoards_.size());
        while (std::find(favourites_.begin(), favourites_.end(), candidate) != favourites_.end());
        favourites_[r_.below(favourites_.size())] = candidate;
        if (r_.chance(0.3)) std::swap(favourites_[0], favourites_[r_.below(favourites_.size())]);
        weighBoards();
        nextFavouriteChange_ = now + static_cast<std::int64_t>((90 + 210 * r_.uniform()) * kDay);
    }
    std::vector<std::shared_ptr<Thread>> keep;
    for (auto& t : following_) {
        if (t->expire > now)
            keep.push_back(t);
        else if (!t->title.series.empty() && r_.chance(0.6))
            keep.push_back(successor(*t, now));
    }
    if (newSession && !keep.empty() && r_.chance(0.3))
        keep.erase(keep.begin() + r_.below(keep.size()));
    following_ = std::move(keep);
}

void Author::follow(std::shared_ptr<Thread> t) {
    following_.push_back(std::move(t));
    if (following_.size() > kMaxFollowed) following_.erase(following_.begin());
}

std::shared_ptr<Thread> Author::choose(std::int64_t now, bool newSession, bool opening) {
    bool stale = false;
    for (const auto& t : following_) stale = stale || t->expire <= now;
    if (newSession || stale) refresh(now, newSession);
    if (opening) {
        const Board& b = pickBoard();
        const std::int64_t key = std::max(now, lastKey_ + 1);
        lastKey_ = key;
        auto t = makeThread(b, now, key, vocabulary_.title(r_, b), true);
        if (!t->title.series.empty() && r_.chance(0.6)) {
            const std::int64_t previous = key - r_.between(3 * kDay, 60 * kDay);
            t->previousUrl = threadUrl(schemeAndHost(r_, b, previous), b, previous);
        }
        follow(t);
        return current_ = t;
    }
    std::shared_ptr<Thread> t;
    if (current_ && current_->expire > now && r_.chance(newSession ? 0.25 : 0.55)) {
        t = current_;
    } else if (!following_.empty() && r_.chance(0.75)) {
        std::vector<double> w;
        for (const auto& f : following_) w.push_back(f->weight);
        t = following_[pickWeighted(r_, cumulate(w))];
    } else {
        const Board& b = pickBoard();
        t = makeThread(b, now, 0, vocabulary_.title(r_, b), false);
        follow(t);
    }
    if (t->weight < 4.0) t->weight += 0.3;
    return current_ = t;
}

std::string Author::body(const Thread& t, std::int64_t now, bool opening) {
    const Topic topic = t.board->topic;
    if (!opening && r_.chance(0.022)) {
        std::vector<std::string> lines = vocabulary_.asciiArt(r_);
        const std::size_t indent = r_.below(3);
        if (indent) {
            std::string pad;
            for (std::size_t i = 0; i < indent; ++i) pad += "　";
            for (std::string& l : lines) l = pad + l;
        }
        if (r_.chance(0.4)) lines.push_back(vocabulary_.line(r_, topic));
        return join(lines);
    }
    const std::size_t n = 1 + pickWeighted(r_, kLineCountCw);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < n; ++i) lines.push_back(vocabulary_.line(r_, topic));
    if (n >= 4 && r_.chance(0.4)) lines.insert(lines.begin() + 1 + r_.below(n - 1), "");
    if (r_.chance(0.045))
        lines.insert(lines.begin() + r_.below(lines.size() + 1), vocabulary_.urlLine(r_));
    if (opening) {
        if (!t.previousUrl.empty())
            lines.insert(lines.begin(), {"前スレ", t.previousUrl, ""});
        else if (r_.chance(0.3))
            lines.insert(lines.begin(), "立てました。");
    } else if (r_.chance(0.35)) {
        long count = 1 + static_cast<long>(static_cast<double>(now - t.key) / t.secondsPerPost);
        count = std::clamp(count, 2L, 1000L);
        const long a =
            r_.chance(0.06) ? 1 : std::max(1L, count - static_cast<long>(r_.exponential(8)));
        const double x = r_.uniform();
        std::string anchor;
        if (x < 0.8)
            anchor = ">>" + std::to_string(a);
        else if (x < 0.92)
            anchor = "＞＞" + std::to_string(a);
        else if (x < 0.97)
            anchor = ">>" + std::to_string(a) + "-" + std::to_string(a + r_.between(1, 5));
        else
            anchor = ">>" + std::to_string(a) + " >>" +
                     std::to_string(std::max(1L, a - r_.between(1, 20)));
        if (r_.chance(0.7))
            lines.insert(lines.begin(), anchor);
        else
            lines[0] = anchor + " " + lines[0];
    }
    return join(lines);
}

Post Author::write(std::int64_t local, bool newSession, Opening opening) {
    const std::int64_t now = local - kZoneOffset;
    Post p;
    p.local = local;
    p.opening =
        opening == Opening::Always || (opening == Opening::Maybe && r_.chance(newThreadRate_));
    auto t = choose(now, newSession, p.opening);
    const int style = r_.chance(0.92) ? t->nameStyle : 0;
    if (style == 1)
        p.name = defaultName(*t->board);
    else if (style == 2)
        p.name = handles_[r_.chance(0.85) ? 0 : 1];
    else if (style == 3)
        p.name = handles_[r_.chance(0.85) ? 2 : 3];
    static const std::vector<std::string> kMails = {"", "sage", "sage", "sage", "age"};
    p.mail = r_.chance(0.94) ? t->mail : r_.pick(kMails);
    p.body = body(*t, now, p.opening);
    p.thread = std::move(t);
    return p;
}

} // namespace loggen
