#include "platform/Cancellation.h"

namespace lorvanel {

namespace {
thread_local CancelToken* currentToken = nullptr;
} // namespace

CancelScope::CancelScope(CancelToken* token) : previous_(currentToken) {
    currentToken = token;
}

CancelScope::~CancelScope() {
    currentToken = previous_;
}

CancelToken* currentCancelToken() {
    return currentToken;
}

void throwIfCancelled() {
    if (currentToken && currentToken->cancelled()) throw OperationCancelled{};
}

void reportStep(OperationStep step) {
    if (currentToken) currentToken->setStep(step);
}

} // namespace lorvanel
