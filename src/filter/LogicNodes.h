#pragma once
// The operators of the filter language: and, or, not. Each evaluates left to right and stops
// as soon as the answer is known.
#include "filter/FilterNode.h"

namespace lorvanel {

class AndNode final : public FilterNode {
public:
    AndNode(FilterPtr left, FilterPtr right) : left_(std::move(left)), right_(std::move(right)) {}
    bool Matches(const PostRecord& post) const override;
    bool readsBody() const override { return left_->readsBody() || right_->readsBody(); }
    bool readsBodyOf(const PostRecord& post) const override {
        return left_->readsBodyOf(post) || right_->readsBodyOf(post);
    }
    const FilterNode& left() const { return *left_; }
    const FilterNode& right() const { return *right_; }

private:
    FilterPtr left_;
    FilterPtr right_;
};

class OrNode final : public FilterNode {
public:
    OrNode(FilterPtr left, FilterPtr right) : left_(std::move(left)), right_(std::move(right)) {}
    bool Matches(const PostRecord& post) const override;
    bool readsBody() const override { return left_->readsBody() || right_->readsBody(); }
    bool readsBodyOf(const PostRecord& post) const override {
        return left_->readsBodyOf(post) || right_->readsBodyOf(post);
    }
    const FilterNode& left() const { return *left_; }
    const FilterNode& right() const { return *right_; }

private:
    FilterPtr left_;
    FilterPtr right_;
};

class NotNode final : public FilterNode {
public:
    explicit NotNode(FilterPtr child) : child_(std::move(child)) {}
    bool Matches(const PostRecord& post) const override;
    bool readsBody() const override { return child_->readsBody(); }
    bool readsBodyOf(const PostRecord& post) const override { return child_->readsBodyOf(post); }
    const FilterNode& child() const { return *child_; }

private:
    FilterPtr child_;
};

} // namespace lorvanel
