#pragma once
// Turns the text of one command of the filter language (a command word and its argument,
// such as "hour4-6" or "msg_\"abc\"") into its node.
#include "filter/FilterNode.h"

#include <string_view>

namespace lorvanel {

// Throws CEvalException with the message for the user when the text is not a valid command.
FilterPtr CompileCommand(std::string_view command);

} // namespace lorvanel
