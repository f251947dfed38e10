#include "match/Regex.h"

#include "match/RegexLiterals.h"

#include <oniguruma.h>

namespace lorvanel {

namespace {

// Initialises the library for Shift_JIS on first use; the static's destruction at exit shuts
// it down again.
// Backtracking budgets. A pattern that nests repetitions ("(.*.*)*x", "(a|a)+b") takes time
// exponential in the text; the engine then gives up after this many retries instead of
// running for minutes. Ordinary patterns over a 100-line post stay far below them: the
// budget of a search covers all its start positions.
constexpr unsigned long kRetryLimitInMatch = 2'000'000;
constexpr unsigned long kRetryLimitInSearch = 10'000'000;

class OnigurumaLibrary {
public:
    OnigurumaLibrary() {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        onig_initialize(encodings, 1);
        onig_set_retry_limit_in_match(kRetryLimitInMatch);
        onig_set_retry_limit_in_search(kRetryLimitInSearch);
    }
    ~OnigurumaLibrary() { onig_end(); }
};

void ensureLibrary() {
    static OnigurumaLibrary library;
}

const OnigUChar* bytes(const char* p) {
    return reinterpret_cast<const OnigUChar*>(p);
}

} // namespace

RegexSearchError::RegexSearchError(const std::string& pattern)
    : message_("正規表現の照合が複雑すぎます: " + pattern) {}

Regex& Regex::operator=(Regex&& other) noexcept {
    if (this != &other) {
        if (regex_) onig_free(regex_);
        regex_ = other.regex_;
        other.regex_ = nullptr;
        required_ = std::move(other.required_);
        pattern_ = std::move(other.pattern_);
    }
    return *this;
}

Regex::~Regex() {
    if (regex_) onig_free(regex_);
}

bool Regex::compile(std::string_view pattern, std::string* error) {
    ensureLibrary();
    if (regex_) {
        onig_free(regex_);
        regex_ = nullptr;
    }
    required_ = LiteralSet();
    OnigRegex compiled = nullptr;
    OnigErrorInfo info{};
    const int r = onig_new(&compiled, bytes(pattern.data()), bytes(pattern.data() + pattern.size()),
                           ONIG_OPTION_NONE, ONIG_ENCODING_SJIS, ONIG_SYNTAX_DEFAULT, &info);
    if (r != ONIG_NORMAL) {
        if (compiled) onig_free(compiled);
        if (error) {
            OnigUChar text[ONIG_MAX_ERROR_MESSAGE_LEN];
            const int n = onig_error_code_to_str(text, r, &info);
            error->assign(reinterpret_cast<const char*>(text),
                          n > 0 ? static_cast<std::size_t>(n) : 0);
        }
        return false;
    }
    regex_ = compiled;
    pattern_.assign(pattern);
    required_ = LiteralSet(requiredLiterals(pattern).value_or(std::vector<std::string>()));
    return true;
}

bool Regex::search(std::string_view text) const {
    if (!regex_) return false;
    if (!required_.empty() && !required_.foundIn(text)) return false;
    const OnigUChar* start = bytes(text.data() ? text.data() : "");
    const OnigUChar* end = start + text.size();
    // No match region is asked for: only whether there is a match matters.
    const int r = onig_search(regex_, start, end, start, end, nullptr, ONIG_OPTION_NONE);
    if (r >= 0) return true;
    if (r == ONIG_MISMATCH) return false;
    throw RegexSearchError(pattern_);
}

} // namespace lorvanel
