#pragma once
// A document listener that records the hints it is told, with names for messages.
#include "doc/DocListener.h"

#include <string>
#include <vector>

namespace lorvanel::testing {

const char* docHintName(DocHint hint);

class RecordingListener : public DocListener {
public:
    void documentUpdated(CDoc&, const DocUpdate& update) override;
    void clear() { hints.clear(); }

    // The hint names; a result page adds "+" or "-" and its title ("ResultPage+title").
    std::vector<std::string> hints;
};

} // namespace lorvanel::testing
