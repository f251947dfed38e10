#include "input/DomainConstants.h"

namespace lorvanel {

bool isKnownBbsHost(std::string_view server) {
    for (const char* domain :
         {kMainBbsDomain, kMainBbsCurrentDomain, kAdultBbsDomain, kRegionalBbsDomain})
        if (server.find(domain) != std::string_view::npos) return true;
    return false;
}

} // namespace lorvanel
