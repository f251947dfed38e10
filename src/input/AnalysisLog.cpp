#include "input/AnalysisLog.h"

#include "platform/Alert.h"
#include "platform/File.h"

#include <cstdarg>
#include <cstdio>
#include <new>

namespace lorvanel {

namespace {
std::string vformat(const char* format, va_list args) {
    char buf[AnalysisLog::kMaxEntryBytes + 1];
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    if (n < 0) return {};
    return std::string(buf, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buf - 1));
}
} // namespace

namespace {
thread_local AnalysisLog* threadLog = nullptr;
} // namespace

AnalysisLog& analysisLog() {
    static AnalysisLog log;
    return threadLog ? *threadLog : log;
}

RedirectAnalysisLog::RedirectAnalysisLog(AnalysisLog& log) : previous_(threadLog) {
    threadLog = &log;
}

RedirectAnalysisLog::~RedirectAnalysisLog() {
    threadLog = previous_;
}

void AnalysisLog::add(std::string entry) {
    entries_.push_back(std::move(entry));
    if (entries_.size() > kMaxEntries) entries_.pop_front();
}

void AnalysisLog::appendLog(const AnalysisLog& other) {
    for (const std::string& entry : other.entries_) add(entry);
}

void AnalysisLog::append(const char* format, ...) {
    va_list args;
    va_start(args, format);
    add(vformat(format, args));
    va_end(args);
}

void AnalysisLog::appendAndAlert(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vformat(format, args);
    va_end(args);
    showAlert(text);
    add(std::move(text));
}

void AnalysisLog::appendSystemError(int errorCode) {
    std::string text = systemErrorMessage(errorCode) + "\r\n";
    showAlert(text);
    add(std::move(text));
}

void AnalysisLog::appendException(const std::exception& error) {
    // The library's text for a failed allocation means nothing to a user.
    std::string message =
        dynamic_cast<const std::bad_alloc*>(&error) ? "メモリが不足しています。" : error.what();
    showAlert(message.substr(0, 500));
    if (message.size() > 1020) message.resize(1020);
    add(message + "\r\n");
}

std::string AnalysisLog::text() const {
    std::string s;
    for (const std::string& e : entries_) s += e;
    return s;
}

} // namespace lorvanel
