#pragma once
// A regular expression of a keyword file: Oniguruma, Shift_JIS encoding, its default syntax,
// no options. Owns the compiled pattern.
#include <memory>
#include <string_view>

struct re_pattern_buffer;

namespace lorvanel {

class SjisRegex {
public:
    // False when the pattern does not compile; the object then matches nothing.
    bool compile(std::string_view pattern);
    // Whether the pattern is found anywhere in the text.
    bool search(std::string_view text) const;

private:
    struct Free {
        void operator()(re_pattern_buffer* r) const;
    };
    std::unique_ptr<re_pattern_buffer, Free> regex_;
};

// Initialises Oniguruma for Shift_JIS once per process.
void initOnigurumaSjis();

} // namespace lorvanel
