#pragma once
// What a regular expression's matches must contain: for simple patterns a set of byte
// strings one of which occurs in every text the pattern matches anywhere. A text without
// any of them can be passed over without asking the regex engine, which over whole logs is
// most of the texts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

// For a Shift_JIS pattern of Oniguruma's default syntax: the literals, or none when the
// pattern could match without any literal text (an optional or empty branch, a branch of
// classes and wildcards only) or uses a construct that is not analysed here (escapes,
// intervals, "(?" groups, nested classes); such patterns always go to the engine.
std::optional<std::vector<std::string>> requiredLiterals(std::string_view pattern);

} // namespace lorvanel
