#pragma once
// Filter commands that test what kind of post it is: a new thread, ASCII art, its length.
#include "filter/FilterNode.h"

namespace lorvanel {

// suretate: the post opened a new thread.
class NewThreadNode final : public FilterNode {
public:
    bool Matches(const PostRecord& post) const override { return post.newThread(); }
};

// AA: the body is ASCII art (the answer is cached in the post).
class AsciiArtNode final : public FilterNode {
public:
    bool Matches(const PostRecord& post) const override { return post.isAsciiArt(); }
    bool readsBody() const override { return true; }
    // Until the answer is cached in the post.
    bool readsBodyOf(const PostRecord& post) const override {
        return !(post.flags & (PostRecord::kAsciiArt | PostRecord::kNotAsciiArt));
    }
};

// line: the body's line count lies in [low, high].
class LineCountNode final : public FilterNode {
public:
    LineCountNode(int low, int high) : low_(low), high_(high) {}
    bool Matches(const PostRecord& post) const override {
        return low_ <= post.lineCount && post.lineCount <= high_;
    }
    int low() const { return low_; }
    int high() const { return high_; }

private:
    int low_;
    int high_;
};

} // namespace lorvanel
