#include "filter/CompileFilter.h"

#include "filter/CompileCommand.h"
#include "filter/FilterLexis.h"
#include "filter/LogicNodes.h"
#include "platform/Alert.h"
#include "platform/Exception.h"

#include <algorithm>

namespace lorvanel {

using namespace filterlex;

namespace {

// A parsed part of the text: its node (null when it didn't parse) and the depth of its tree.
struct Parsed {
    FilterPtr node;
    int depth = 0;
    explicit operator bool() const { return node != nullptr; }
};

// Recursive descent over the grammar
//   expression := term (ws '|' ws term)*
//   term       := factor ('&' factor)*
//   factor     := atom | ws '!' factor ws | ws '(' expression ')' ws
//   atom       := ws word argument? ws
// with its alternatives tried in this order. Every function takes the position to start at
// and, on success, moves it past what it consumed; on failure the position stays and the
// parts built on the way are dropped, so a failed sequence gives back all it consumed.
// Commands are compiled the moment their text is recognised, so a bad command is reported
// even when the text around it would not parse either.
class FilterParser {
public:
    Parsed expression(const char*& pos, int nesting) {
        const char* p = pos;
        Parsed left = term(p, nesting);
        if (!left) return {};
        for (;;) {
            const char* q = skipSpaces(p);
            if (*q != '|') break;
            const char* op = q;
            q = skipSpaces(q + 1);
            Parsed right = term(q, nesting);
            if (!right) break;
            left = join<OrNode>(std::move(left), std::move(right), op);
            p = q;
        }
        pos = p;
        return left;
    }

private:
    Parsed term(const char*& pos, int nesting) {
        const char* p = pos;
        Parsed left = factor(p, nesting);
        if (!left) return {};
        while (*p == '&') {
            const char* q = p + 1;
            Parsed right = factor(q, nesting);
            if (!right) break;
            left = join<AndNode>(std::move(left), std::move(right), p);
            p = q;
        }
        pos = p;
        return left;
    }

    Parsed factor(const char*& pos, int nesting) {
        if (Parsed a = atom(pos)) return a;
        const char* p = skipSpaces(pos);
        if (*p == '!') {
            checkNesting(p, nesting);
            const char* q = p + 1;
            if (Parsed inner = factor(q, nesting + 1)) {
                pos = skipSpaces(q);
                return {std::make_unique<NotNode>(std::move(inner.node)),
                        checkDepth(inner.depth + 1, p)};
            }
            return {};
        }
        if (*p == '(') {
            checkNesting(p, nesting);
            const char* q = p + 1;
            Parsed inner = expression(q, nesting + 1);
            if (inner && *q == ')') {
                pos = skipSpaces(q + 1);
                return inner;
            }
        }
        return {};
    }

    Parsed atom(const char*& pos) {
        const char* word = skipSpaces(pos);
        if (!isWordStart(*word)) return {};
        const char* p = word + 1;
        while (isWordChar(*p)) ++p;
        if (const char* close = findClosingQuote(p))
            p = close + 1;
        else
            while (*p && !isOperator(*p)) ++p;
        Parsed parsed{CompileCommand(std::string_view(word, static_cast<std::size_t>(p - word))),
                      1};
        pos = skipSpaces(p);
        return parsed;
    }

    template <class Node> static Parsed join(Parsed left, Parsed right, const char* at) {
        const int depth = checkDepth(std::max(left.depth, right.depth) + 1, at);
        return {std::make_unique<Node>(std::move(left.node), std::move(right.node)), depth};
    }

    static void checkNesting(const char* at, int nesting) {
        if (nesting >= kMaxFilterNesting)
            throw CEvalException("括弧と!の入れ子が深すぎます(%d段まで)\n'%s'\n", kMaxFilterNesting,
                                 at);
    }

    static int checkDepth(int depth, const char* at) {
        if (depth > kMaxFilterTreeDepth)
            throw CEvalException("フィルタの式が長すぎます(%d段まで)\n'%s'\n", kMaxFilterTreeDepth,
                                 at);
        return depth;
    }
};

FilterPtr compile(std::string_view text) {
    // The grammar reads up to a NUL byte, as the text ends there.
    const std::string buffer(text.substr(0, text.find('\0')));
    const char* p = buffer.c_str();
    Parsed parsed = FilterParser().expression(p, 0);
    if (*p || !parsed) throw CEvalException("構文エラー\n'%s'\n", p);
    return std::move(parsed.node);
}

} // namespace

FilterPtr compileFilterQuietly(std::string_view text, std::string* message) {
    try {
        return compile(text);
    } catch (const CException& e) {
        if (message) *message = e.message();
        return nullptr;
    }
}

FilterPtr CompileFilter(std::string_view text) {
    std::string message;
    FilterPtr filter = compileFilterQuietly(text, &message);
    if (!filter) showAlert(message);
    return filter;
}

} // namespace lorvanel
