#pragma once
// A compiled filter: a tree of nodes, each of which tells whether a post satisfies it.
#include "input/PostRecord.h"

#include <memory>

namespace lorvanel {

class FilterNode {
public:
    FilterNode() = default;
    FilterNode(const FilterNode&) = delete;
    FilterNode& operator=(const FilterNode&) = delete;
    virtual ~FilterNode() = default;

    virtual bool Matches(const PostRecord& post) const = 0;
    // Hints for walks over many posts, which fetch what Matches will read ahead of it:
    // whether Matches may read a post's body at all, and whether it would read this post's.
    virtual bool readsBody() const { return false; }
    virtual bool readsBodyOf(const PostRecord&) const { return false; }

    // The predicate interface of selectPosts.
    bool acceptPost(const PostRecord& post) const { return Matches(post); }
};

// The root of a compiled filter; its owner deletes it after use.
using FilterPtr = std::unique_ptr<FilterNode>;

} // namespace lorvanel
