#pragma once
// A compiled Oniguruma pattern over Shift_JIS text (the library's default syntax, no options,
// so no case folding), freed with the object. The library is initialised once, on the first
// compilation, and shut down when the process exits.
#include "match/LiteralSet.h"
#include "platform/Exception.h"

#include <string>
#include <string_view>

struct re_pattern_buffer;

namespace lorvanel {

// Raised by Regex::search when the engine gave up on a text (the pattern backtracks beyond
// the search budget, or another search error): answering "no match" would silently give a
// wrong result, so whatever runs the search stops and shows the message, which names the
// pattern.
class RegexSearchError : public CException {
public:
    explicit RegexSearchError(const std::string& pattern);
    const std::string& message() const override { return message_; }

private:
    std::string message_;
};

class Regex {
public:
    Regex() = default;
    Regex(Regex&& other) noexcept
        : regex_(other.regex_), required_(std::move(other.required_)),
          pattern_(std::move(other.pattern_)) {
        other.regex_ = nullptr;
    }
    Regex& operator=(Regex&& other) noexcept;
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;
    ~Regex();

    // Compiles the pattern, replacing any earlier one. On failure the object holds none and,
    // when error is given, it receives the library's description of the fault.
    bool compile(std::string_view pattern, std::string* error = nullptr);
    bool valid() const { return regex_ != nullptr; }

    // Whether the pattern is found anywhere in text; false without a compiled pattern. Each
    // search has a budget of backtracking steps that no ordinary pattern needs on a post of a
    // hundred lines; a search that exceeds it (or fails otherwise) throws RegexSearchError.
    bool search(std::string_view text) const;

private:
    re_pattern_buffer* regex_ = nullptr;
    // Byte strings one of which every match contains (see RegexLiterals.h); empty when the
    // pattern gives none. A text holding none of them is answered without the engine.
    LiteralSet required_;
    std::string pattern_; // as compiled, for the message of a failed search
};

} // namespace lorvanel
