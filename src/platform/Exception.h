#pragma once
// Errors that carry a message meant for the user. CEvalException is what the filter compiler
// raises; whoever compiles a filter catches CException and shows the message.
#include <cstddef>
#include <string>

namespace lorvanel {

class CException {
public:
    virtual ~CException() = default;
    // The whole message (CP932).
    virtual const std::string& message() const = 0;
    // Copies the message into buffer (size bytes, NUL included), cut to fit; false when
    // there is no room at all.
    bool GetErrorMessage(char* buffer, std::size_t size) const;
};

class CEvalException : public CException {
public:
    // The message is formatted printf-style into at most 1024 bytes, NUL included; longer
    // text is cut, never in the middle of a double-byte character.
    explicit CEvalException(const char* format, ...) __attribute__((format(printf, 2, 3)));
    const std::string& message() const override { return message_; }

private:
    std::string message_;
};

// The longest prefix of text, at most limit bytes, that doesn't end inside a double-byte
// character.
std::size_t mbcsCutLength(const char* text, std::size_t length, std::size_t limit);

} // namespace lorvanel
