#include "input/PostRecord.h"

#include "input/AsciiArt.h"
#include "input/BoardDirectory.h"
#include "platform/LocalTime.h"

#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace lorvanel {

static_assert(sizeof(void*) != 8 || sizeof(PostRecord) == 88,
              "a post record has grown: every byte counts a million times in a large log");

const char* PostRecord::hostCut() const {
    // No NUL lay between the host's start and the '/' that addPost cut, so the host ends there.
    return (flags & kHostCut) && server ? server + std::strlen(server) : nullptr;
}

std::string PostRecord::urlText() const {
    const char* end = urlEnd();
    if (!url || !*url || !end || end <= url) return {};
    const char* dirCutAt = dirCut();
    const char* hostCutAt = hostCut();
    std::string s(url, static_cast<std::size_t>(end - url) - 1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\0') continue;
        const char* at = url + i;
        if (at == dirCutAt)
            s[i] = dirCutChar;
        else if (at == hostCutAt)
            s[i] = '/';
        else {
            // A NUL the log itself held: the line ends there.
            s.resize(i);
            break;
        }
    }
    return s;
}

bool PostRecord::isAsciiArt() const {
    if (flags & kAsciiArt) return true;
    if (flags & kNotAsciiArt) return false;
    const bool art = isAsciiArtText(body);
    flags |= art ? kAsciiArt : kNotAsciiArt;
    return art;
}

PostLocalTime PostRecord::local() const {
    const LocalTime lt = toLocalTime(time);
    PostLocalTime t;
    t.dayNumber = lt.dayNumber;
    t.year = static_cast<std::int16_t>(lt.year);
    t.month = static_cast<std::uint8_t>(lt.month);
    t.day = static_cast<std::uint8_t>(lt.day);
    t.hour = static_cast<std::uint8_t>(lt.hour);
    t.minute = static_cast<std::uint8_t>(lt.minute);
    t.second = static_cast<std::uint8_t>(lt.second);
    t.weekday = static_cast<std::uint8_t>(lt.weekday);
    return t;
}

namespace {
// The board names that records have asked for, numbered from 1 in the order first asked:
// a record keeps the number, half the size of a pointer. The names themselves live in the
// board directory until the program ends. Walks over the posts run on several threads at
// once: a record without its number takes it under the lock, and the numbered names lie in
// blocks that never move, so that a name is read without the lock while another is being
// added.
class BoardNameNumbers {
public:
    std::uint32_t numberOf(const PostRecord& post) {
        std::lock_guard lock(mutex_);
        const std::string& name = boardDirectory().boardDisplayName(post);
        if (&name == lastName_) return lastNumber_;
        auto [it, added] = numbers_.try_emplace(&name, 0);
        if (added) {
            const std::size_t i = count_++;
            std::unique_ptr<const std::string*[]>& block = blocks_.at(i / kBlock);
            if (!block) block = std::make_unique<const std::string*[]>(kBlock);
            block[i % kBlock] = &name;
            it->second = static_cast<std::uint32_t>(count_);
        }
        lastName_ = &name;
        lastNumber_ = it->second;
        return it->second;
    }
    const std::string& name(std::uint32_t number) const {
        return *blocks_[(number - 1) / kBlock][(number - 1) % kBlock];
    }

private:
    static constexpr std::size_t kBlock = 4096;
    std::mutex mutex_;
    // Room for a million board names, far beyond any log.
    std::array<std::unique_ptr<const std::string*[]>, 256> blocks_;
    std::size_t count_ = 0;
    std::unordered_map<const std::string*, std::uint32_t> numbers_;
    // Neighbouring posts mostly share a board.
    const std::string* lastName_ = nullptr;
    std::uint32_t lastNumber_ = 0;
};

BoardNameNumbers& boardNameNumbers() {
    static BoardNameNumbers numbers;
    return numbers;
}
} // namespace

const std::string& PostRecord::boardName() const {
    return boardNameNumbers().name(boardNameNumber());
}

std::uint32_t PostRecord::boardNameNumber() const {
    if (!boardId_) boardId_ = boardNameNumbers().numberOf(*this);
    return boardId_;
}

} // namespace lorvanel
