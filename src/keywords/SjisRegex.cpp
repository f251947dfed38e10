#include "keywords/SjisRegex.h"

#include <oniguruma.h>

namespace lorvanel {

void initOnigurumaSjis() {
    // onig_initialize ignores every call after the first, whatever encodings that one named,
    // so the encoding is initialised on its own as well.
    static const bool done = [] {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        onig_initialize(encodings, 1);
        onig_initialize_encoding(ONIG_ENCODING_SJIS);
        return true;
    }();
    (void)done;
}

void SjisRegex::Free::operator()(re_pattern_buffer* r) const {
    onig_free(r);
}

bool SjisRegex::compile(std::string_view pattern) {
    initOnigurumaSjis();
    regex_.reset();
    const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
    OnigRegex r = nullptr;
    OnigErrorInfo info;
    if (onig_new(&r, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS,
                 ONIG_SYNTAX_DEFAULT, &info) != ONIG_NORMAL) {
        return false;
    }
    regex_.reset(r);
    return true;
}

bool SjisRegex::search(std::string_view text) const {
    if (!regex_) return false;
    const auto* s = reinterpret_cast<const OnigUChar*>(text.data());
    const auto* end = s + text.size();
    return onig_search(regex_.get(), s, end, s, end, nullptr, ONIG_OPTION_NONE) >= 0;
}

} // namespace lorvanel
