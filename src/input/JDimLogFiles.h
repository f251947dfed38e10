#pragma once
// Where JDim keeps its post log: the files of the first cache folder that exists, oldest
// first, so that they load as one log.
#include "platform/UserDirs.h"

#include <string>
#include <vector>

namespace lorvanel {

struct JDimLogSearch {
    std::vector<std::string> searched; // the log folders looked at, in order
    std::vector<std::string> files;    // postlog-1 .. postlog-N by number, then postlog
    std::string missingCache;          // the folder $JDIM_CACHE names, when it does not exist
};

// The cache folder is $JDIM_CACHE when set (a leading "~" standing for the home folder), and
// then that folder alone, as JDim has it; else ~/.jd when it exists, else
// $XDG_CACHE_HOME/jdim (~/.cache/jdim), the first of these that exists.
JDimLogSearch findJDimLogs(const EnvironmentLookup& env = processEnvironment);

// The message for a search that found nothing: the folders searched and the JDim setting
// that writes the log. CP932, lines ending in "\r\n".
std::string jdimLogNotFoundMessage(const JDimLogSearch& search);

} // namespace lorvanel
