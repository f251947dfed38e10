#pragma once
// The process-wide running text of loading and analysis messages (the newest 100 entries),
// shown under the report. Texts are CP932 and carry their own "\r\n".
#include <deque>
#include <exception>
#include <string>

namespace lorvanel {

class AnalysisLog {
public:
    static constexpr std::size_t kMaxEntries = 100;
    static constexpr std::size_t kMaxEntryBytes = 1023;

    // printf-style: %s texts, %d integers. Longer results are cut at 1023 bytes.
    void append(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Shows the text in a message box first.
    void appendAndAlert(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Shows the operating system's message for the code, then adds it.
    void appendSystemError(int errorCode);
    // Shows the error's message (up to 500 bytes), then adds it (up to 1020) with "\r\n".
    void appendException(const std::exception& error);

    // Adds other's entries after this log's own.
    void appendLog(const AnalysisLog& other);

    std::string text() const;
    void clear() { entries_.clear(); }
    std::size_t entryCount() const { return entries_.size(); }
    const std::deque<std::string>& entries() const { return entries_; }

private:
    void add(std::string entry);
    std::deque<std::string> entries_;
};

// The calling thread's log while a RedirectAnalysisLog is in place, else the process's.
AnalysisLog& analysisLog();

// Sends the calling thread's analysis-log entries to log while it lives (scopes nest): an
// operation prepared on a worker writes to a log of its own, which takes the process's place
// only if the operation is committed.
class RedirectAnalysisLog {
public:
    explicit RedirectAnalysisLog(AnalysisLog& log);
    ~RedirectAnalysisLog();
    RedirectAnalysisLog(const RedirectAnalysisLog&) = delete;
    RedirectAnalysisLog& operator=(const RedirectAnalysisLog&) = delete;

private:
    AnalysisLog* previous_;
};

} // namespace lorvanel
