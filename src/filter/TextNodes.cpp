#include "filter/TextNodes.h"

#include <string_view>

namespace lorvanel {

namespace {
// Record texts are NUL-terminated; a server that addPost has not derived yet is null.
std::string_view field(const char* text) {
    return text ? std::string_view(text) : std::string_view();
}
} // namespace

bool DirNode::Matches(const PostRecord& post) const {
    return field(post.dir) == pattern_;
}

bool BoardNode::Matches(const PostRecord& post) const {
    return (server_.empty() || field(post.server) == server_) && field(post.dir) == dir_;
}

bool FieldSearchNode::contains(const char* text) const {
    return pattern_.foundIn(field(text));
}

bool FieldSearchNode::containsOrBothEmpty(const char* text) const {
    if (pattern_.empty()) return !text || !*text;
    return pattern_.foundIn(field(text));
}

bool BodyRegexNode::Matches(const PostRecord& post) const {
    return regex_.search(field(post.body));
}

} // namespace lorvanel
