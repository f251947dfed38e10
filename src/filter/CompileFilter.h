#pragma once
// The filter language's compiler: a text such as "!(week1|week7)&hour4-6" becomes a tree of
// FilterNodes, or the user is told exactly what is wrong with it.
#include "filter/FilterNode.h"

#include <string>
#include <string_view>

namespace lorvanel {

// Compiles the whole text (CP932; it ends at its first NUL byte, if any). On an error shows
// the message through the alert sink and returns null.
FilterPtr CompileFilter(std::string_view text);

// The same without the message box: on an error returns null and, when message is given,
// puts the message there.
FilterPtr compileFilterQuietly(std::string_view text, std::string* message);

// Limits that keep compilation, evaluation and destruction of a tree within a sane stack:
// how deeply parentheses and "!" may nest, and how many levels the finished tree may have
// (a chain of n terms joined by "|" or "&" is n levels deep).
inline constexpr int kMaxFilterNesting = 1000;
inline constexpr int kMaxFilterTreeDepth = 10000;

} // namespace lorvanel
