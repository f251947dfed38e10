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

    // The predicate interface of selectPosts.
    bool acceptPost(const PostRecord& post) const { return Matches(post); }
};

// The root of a compiled filter; its owner deletes it after use.
using FilterPtr = std::unique_ptr<FilterNode>;

} // namespace lorvanel
