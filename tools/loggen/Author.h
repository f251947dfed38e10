#pragma once
// The imaginary user behind a generated log: the boards they like (changing every few
// months), the threads they follow, open and come back to, and what they write.
#include "Random.h"
#include "Vocabulary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace loggen {

// Local times are written as Japan time, which has kept +09:00 without daylight saving.
inline constexpr std::int64_t kZoneOffset = 9 * 3600;

struct Thread {
    const Board* board = nullptr;
    std::int64_t key = 0; // the thread number: its creation time (UTC seconds)
    ThreadTitle title;
    std::string url;
    std::string boardUrl;
    std::string previousUrl; // the previous part's URL, quoted when the user opens the thread
    std::int64_t expire = 0;
    double secondsPerPost = 1;
    int nameStyle = 0; // 0 empty, 1 board default, 2 handle, 3 handle with trip
    std::string mail;
    double weight = 1;
};

struct Post {
    std::int64_t local = 0; // local wall-clock seconds
    std::shared_ptr<const Thread> thread;
    bool opening = false; // the post opened the thread
    std::string name;
    std::string mail;
    std::string body; // lines joined by CR LF; never empty, never ending in an empty line
};

class Author {
public:
    Author(std::string_view seed, const Vocabulary& vocabulary, double newThreadRate);

    enum class Opening { Never, Maybe, Always };
    // The post at a local time; newSession after a long pause. Opening says whether the post
    // may open a new thread (at the configured rate) or must.
    Post write(std::int64_t local, bool newSession, Opening opening);

private:
    const Board& pickBoard();
    void weighBoards();
    std::shared_ptr<Thread> makeThread(const Board& b, std::int64_t now, std::int64_t key,
                                       ThreadTitle title, bool mine);
    std::shared_ptr<Thread> successor(const Thread& old, std::int64_t now);
    void refresh(std::int64_t now, bool newSession);
    void follow(std::shared_ptr<Thread> t);
    std::shared_ptr<Thread> choose(std::int64_t now, bool newSession, bool opening);
    std::string body(const Thread& t, std::int64_t now, bool opening);

    Random r_;
    const Vocabulary& vocabulary_;
    double newThreadRate_;
    std::vector<const Board*> mainBoards_;
    std::vector<std::vector<const Board*>> otherBoards_; // by family
    std::vector<std::size_t> favourites_;
    std::vector<double> mainCw_;
    std::int64_t nextFavouriteChange_ = -1;
    std::vector<std::string> handles_;
    std::vector<std::shared_ptr<Thread>> following_;
    std::shared_ptr<Thread> current_;
    std::int64_t lastKey_ = 0;
};

} // namespace loggen
