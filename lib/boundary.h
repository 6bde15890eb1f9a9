#pragma once

// The edge between the C interface and the C++ core: every exported
// function runs its body through Guard, which turns every exception into a
// status and a message, and hands strings out through CopyOut.

#include "tavro/tavro.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavro::lib {

/// A failure with its status chosen where it is found (a NULL pointer, an
/// unknown field, ...).
class StatusError : public std::runtime_error {
public:
    StatusError(int status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

/// The longest text (field name, value, request) the interface takes, in
/// bytes; longer ones are bad arguments.
inline constexpr size_t kMaxText = size_t{1} << 20;

/// `text` as a string view; throws StatusError (bad argument) naming
/// `what` when it is NULL or longer than kMaxText.
std::string_view RequireText(const char* text, std::string_view what);

/// Throws StatusError (bad argument) naming `what` when `p` is NULL.
void RequirePointer(const void* p, std::string_view what);

/// Throws StatusError (bad argument) naming `what` when `v` is NaN or an
/// infinity.
void RequireFinite(double v, std::string_view what);

/// A copy of `text` in memory the caller releases with tavro_free; throws
/// std::bad_alloc when there is none.
char* CopyOut(std::string_view text);

/// The status of the exception being handled, with its message in
/// `message` (left as it is when even that cannot be stored). Call only
/// inside a catch block.
int StatusOfCurrentException(std::string* message) noexcept;

/// Runs `body`, returns TAVRO_OK and clears `message` (when given) if it
/// returns, otherwise the status of what it threw with the message.
template <class Body> int Guard(std::string* message, Body&& body) noexcept {
    try {
        body();
        if (message != nullptr) message->clear();
        return TAVRO_OK;
    } catch (...) {
        return StatusOfCurrentException(message);
    }
}

/// Writes `message` to *error (when error is not NULL) as a string the
/// caller frees; leaves *error NULL when memory runs out.
void HandOutMessage(const std::string& message, char** error) noexcept;

} // namespace tavro::lib
