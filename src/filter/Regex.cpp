#include "filter/Regex.h"

#include "filter/RegexLiterals.h"

#include <oniguruma.h>

namespace lorvanel {

namespace {

// Initialises the library for Shift_JIS on first use; the static's destruction at exit shuts
// it down again.
class OnigurumaLibrary {
public:
    OnigurumaLibrary() {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        onig_initialize(encodings, 1);
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

Regex& Regex::operator=(Regex&& other) noexcept {
    if (this != &other) {
        if (regex_) onig_free(regex_);
        regex_ = other.regex_;
        other.regex_ = nullptr;
        required_ = std::move(other.required_);
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
    required_ = LiteralSet(requiredLiterals(pattern).value_or(std::vector<std::string>()));
    return true;
}

bool Regex::search(std::string_view text) const {
    if (!regex_) return false;
    if (!required_.empty() && !required_.foundIn(text)) return false;
    const OnigUChar* start = bytes(text.data() ? text.data() : "");
    const OnigUChar* end = start + text.size();
    // No match region is asked for: only whether there is a match matters.
    return onig_search(regex_, start, end, start, end, nullptr, ONIG_OPTION_NONE) >= 0;
}

} // namespace lorvanel
