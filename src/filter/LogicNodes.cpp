#include "filter/LogicNodes.h"

namespace lorvanel {

bool AndNode::Matches(const PostRecord& post) const {
    return left_->Matches(post) && right_->Matches(post);
}

bool OrNode::Matches(const PostRecord& post) const {
    return left_->Matches(post) || right_->Matches(post);
}

bool NotNode::Matches(const PostRecord& post) const {
    return !child_->Matches(post);
}

} // namespace lorvanel
