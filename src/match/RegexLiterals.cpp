#include "match/RegexLiterals.h"

#include "platform/Mbcs.h"

#include <algorithm>

namespace lorvanel {

namespace {

using Literals = std::vector<std::string>;

// A recursive-descent reading of the pattern that is sound rather than complete: a
// construct it does not know stops the analysis (unsupported), and anything whose presence in
// a match is not certain (optional atoms, classes, anchors) only ends the literal run it
// interrupts.
class Analysis {
public:
    explicit Analysis(std::string_view p) : p_(p) {}

    std::optional<Literals> run() {
        std::optional<Literals> result = alternation(0);
        if (unsupported_ || i_ != p_.size()) return std::nullopt;
        return result;
    }

private:
    static constexpr int kMaxDepth = 64;

    bool atEnd() const { return i_ >= p_.size(); }
    unsigned char peek() const { return static_cast<unsigned char>(p_[i_]); }

    // Alternatives up to a ')' or the end: every branch must have literals of its own.
    std::optional<Literals> alternation(int depth) {
        if (depth > kMaxDepth) {
            unsupported_ = true;
            return std::nullopt;
        }
        Literals all;
        bool every = true;
        for (;;) {
            std::optional<Literals> branch = concatenation(depth);
            if (unsupported_) return std::nullopt;
            if (branch)
                all.insert(all.end(), branch->begin(), branch->end());
            else
                every = false;
            if (atEnd() || peek() != '|') break;
            ++i_;
        }
        if (!every) return std::nullopt;
        return all;
    }

    // Reads the quantifier after an atom; true when the atom is certain to occur at least
    // once. Intervals are not analysed.
    bool quantifierKeepsAtom(bool& repeats) {
        bool keeps = true;
        repeats = false;
        while (!atEnd()) {
            const unsigned char c = peek();
            if (c == '{') {
                unsupported_ = true;
                return false;
            }
            if (c != '?' && c != '*' && c != '+') break;
            if (c != '+') keeps = false;
            repeats = true;
            ++i_;
        }
        return keeps;
    }

    // A branch: the literal runs and groups every match of it must contain; the best of them.
    std::optional<Literals> concatenation(int depth) {
        std::vector<Literals> candidates;
        std::string run;
        auto endRun = [&] {
            if (!run.empty()) candidates.push_back({run});
            run.clear();
        };
        while (!atEnd() && !unsupported_) {
            const unsigned char c = peek();
            if (c == '|' || c == ')') break;
            bool repeats = false;
            switch (c) {
            case '(': {
                ++i_;
                if (!atEnd() && peek() == '?') {
                    unsupported_ = true;
                    break;
                }
                std::optional<Literals> inner = alternation(depth + 1);
                if (unsupported_ || atEnd() || peek() != ')') {
                    unsupported_ = true;
                    break;
                }
                ++i_;
                endRun();
                if (quantifierKeepsAtom(repeats) && inner) candidates.push_back(*inner);
                break;
            }
            case '[':
                skipClass();
                endRun();
                quantifierKeepsAtom(repeats);
                break;
            case '.':
                ++i_;
                endRun();
                quantifierKeepsAtom(repeats);
                break;
            case '^':
            case '$':
                ++i_;
                endRun();
                if (!atEnd() && (peek() == '?' || peek() == '*' || peek() == '+' || peek() == '{'))
                    unsupported_ = true;
                break;
            case '\\':
            case '{':
            case '}':
            case ']':
            case '*':
            case '+':
            case '?':
                unsupported_ = true;
                break;
            default: {
                std::string ch;
                if (!character(ch)) {
                    unsupported_ = true;
                    break;
                }
                const bool keeps = quantifierKeepsAtom(repeats);
                if (!keeps) {
                    endRun();
                } else {
                    run += ch;
                    if (repeats) endRun(); // what follows a repeated atom need not touch it
                }
                break;
            }
            }
        }
        endRun();
        if (unsupported_ || candidates.empty()) return std::nullopt;
        // The most selective candidate: the one whose shortest literal is longest.
        auto shortest = [](const Literals& l) {
            std::size_t n = l.front().size();
            for (const std::string& s : l) n = std::min(n, s.size());
            return n;
        };
        return *std::max_element(
            candidates.begin(), candidates.end(),
            [&](const Literals& a, const Literals& b) { return shortest(a) < shortest(b); });
    }

    // One literal character: a valid double-byte character or a plain single byte.
    bool character(std::string& out) {
        const unsigned char c = peek();
        if (isLeadByte(c)) {
            if (i_ + 1 >= p_.size() || !isTrailByte(static_cast<unsigned char>(p_[i_ + 1])))
                return false;
            out.assign(p_.substr(i_, 2));
            i_ += 2;
            return true;
        }
        // Bytes that are no character of Shift_JIS are left to the engine.
        if (c == 0 || c == 0x80 || c == 0xA0 || c >= 0xFD) return false;
        out.assign(1, static_cast<char>(c));
        ++i_;
        return true;
    }

    // A bracket class without nesting or escapes, its members walked as characters so that a
    // trail byte is never taken for a closing bracket.
    void skipClass() {
        ++i_;
        if (!atEnd() && peek() == '^') ++i_;
        if (!atEnd() && peek() == ']') ++i_;
        std::string ch;
        while (!atEnd() && peek() != ']') {
            if (peek() == '[' || peek() == '\\' || !character(ch)) {
                unsupported_ = true;
                return;
            }
        }
        if (atEnd())
            unsupported_ = true;
        else
            ++i_;
    }

    std::string_view p_;
    std::size_t i_ = 0;
    bool unsupported_ = false;
};

} // namespace

std::optional<std::vector<std::string>> requiredLiterals(std::string_view pattern) {
    return Analysis(pattern).run();
}

} // namespace lorvanel
