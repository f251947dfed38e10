#pragma once
// "--jdim" on the command line of every command that loads logs: JDim's post log in place of
// FILE..., found where JDim keeps it.
#include "platform/UserDirs.h"

#include <string>
#include <vector>

namespace lorvanel::cli {

// Replaces each "--jdim" among the arguments by the files of JDim's post log, oldest first.
// False when none is found: the message that says where they were looked for is written to
// standard error (the command then exits with status 1).
bool expandJDimOption(std::vector<std::string>& args,
                      const EnvironmentLookup& env = processEnvironment);

} // namespace lorvanel::cli
