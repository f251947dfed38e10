#pragma once
// Filter commands that test a post's texts: board directory, board, server, title, name,
// mail and body. Every comparison is exact and byte-wise.
#include "filter/BytePattern.h"
#include "filter/FilterNode.h"
#include "match/Regex.h"

#include <string>

namespace lorvanel {

// dir_: the board directory equals the pattern.
class DirNode final : public FilterNode {
public:
    explicit DirNode(std::string pattern) : pattern_(std::move(pattern)) {}
    bool Matches(const PostRecord& post) const override;
    const std::string& pattern() const { return pattern_; }

private:
    std::string pattern_;
};

// brd_: the directory equals the board's, and the server too unless the board names none.
class BoardNode final : public FilterNode {
public:
    BoardNode(std::string dir, std::string server)
        : dir_(std::move(dir)), server_(std::move(server)) {}
    bool Matches(const PostRecord& post) const override;
    const std::string& dir() const { return dir_; }
    const std::string& server() const { return server_; }

private:
    std::string dir_;
    std::string server_;
};

// The commands that search one text field for a pattern.
class FieldSearchNode : public FilterNode {
public:
    const std::string& pattern() const { return pattern_.text(); }

protected:
    explicit FieldSearchNode(std::string pattern) : pattern_(std::move(pattern)) {}
    // Whether the field contains the pattern; an empty pattern is contained in every field.
    bool contains(const char* field) const;
    // The same, except that an empty pattern asks for an empty field.
    bool containsOrBothEmpty(const char* field) const;

private:
    BytePattern pattern_;
};

// server_: the server contains the pattern.
class ServerNode final : public FieldSearchNode {
public:
    explicit ServerNode(std::string pattern) : FieldSearchNode(std::move(pattern)) {}
    bool Matches(const PostRecord& post) const override { return contains(post.server); }
};

// sbj_: the thread title contains the pattern; an empty pattern selects empty titles.
class TitleNode final : public FieldSearchNode {
public:
    explicit TitleNode(std::string pattern) : FieldSearchNode(std::move(pattern)) {}
    bool Matches(const PostRecord& post) const override { return containsOrBothEmpty(post.title); }
};

// name_: the name contains the pattern; an empty pattern selects posts without a name.
class NameNode final : public FieldSearchNode {
public:
    explicit NameNode(std::string pattern) : FieldSearchNode(std::move(pattern)) {}
    bool Matches(const PostRecord& post) const override { return containsOrBothEmpty(post.name); }
};

// mail_: the mail field contains the pattern; an empty pattern selects an empty field.
class MailNode final : public FieldSearchNode {
public:
    explicit MailNode(std::string pattern) : FieldSearchNode(std::move(pattern)) {}
    bool Matches(const PostRecord& post) const override { return containsOrBothEmpty(post.mail); }
};

// msg_: the body contains the pattern.
class BodyNode final : public FieldSearchNode {
public:
    explicit BodyNode(std::string pattern) : FieldSearchNode(std::move(pattern)) {}
    bool Matches(const PostRecord& post) const override { return contains(post.body); }
    bool readsBody() const override { return true; }
    bool readsBodyOf(const PostRecord&) const override { return true; }
};

// msgr_: the regular expression is found in the body.
class BodyRegexNode final : public FilterNode {
public:
    explicit BodyRegexNode(Regex regex) : regex_(std::move(regex)) {}
    bool Matches(const PostRecord& post) const override;
    bool readsBody() const override { return true; }
    bool readsBodyOf(const PostRecord&) const override { return true; }

private:
    Regex regex_;
};

} // namespace lorvanel
