#include "lib/boundary.h"

#include "cli/command_support.h"
#include "physics/numeric/errors.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tavro::lib {

std::string_view RequireText(const char* text, std::string_view what) {
    if (text == nullptr) throw StatusError(TAVRO_BAD_ARGUMENT, std::string(what) + " is NULL");
    // strnlen: a text without its NUL within the limit is not read further.
    const size_t length = strnlen(text, kMaxText + 1);
    if (length > kMaxText) {
        throw StatusError(TAVRO_BAD_ARGUMENT, std::string(what) + " is longer than " +
                                                  std::to_string(kMaxText) + " bytes");
    }
    return {text, length};
}

void RequirePointer(const void* p, std::string_view what) {
    if (p == nullptr) throw StatusError(TAVRO_BAD_ARGUMENT, std::string(what) + " is NULL");
}

void RequireFinite(double v, std::string_view what) {
    if (!std::isfinite(v)) {
        throw StatusError(TAVRO_BAD_ARGUMENT, std::string(what) + " is not a finite number");
    }
}

char* CopyOut(std::string_view text) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

int StatusOfCurrentException(std::string* message) noexcept {
    int status = TAVRO_INTERNAL;
    std::string_view text = "unknown internal error";
    std::string owned;
    try {
        throw;
    } catch (const StatusError& e) {
        status = e.status();
        text = e.what();
    } catch (const cli::UsageError& e) {
        status = TAVRO_BAD_ARGUMENT;
        text = e.what();
    } catch (const DimensionError& e) {
        // A unit that cannot be built is a matter of the input.
        status = TAVRO_BAD_ARGUMENT;
        text = e.what();
    } catch (const Error& e) {
        status = TAVRO_CALCULATION_FAULT;
        text = *e.what() ? e.what() : "arithmetic fault";
    } catch (const std::bad_alloc&) {
        status = TAVRO_OUT_OF_MEMORY;
        text = "out of memory";
    } catch (const std::exception& e) {
        status = TAVRO_INTERNAL;
        try {
            owned = std::string("internal error: ") + e.what();
            text = owned;
        } catch (...) {
            text = "internal error";
        }
    } catch (...) {
    }
    if (message != nullptr) {
        try {
            message->assign(text);
        } catch (...) {
            // The old message stays; the status tells what happened.
        }
    }
    return status;
}

void HandOutMessage(const std::string& message, char** error) noexcept {
    if (error == nullptr) return;
    try {
        *error = CopyOut(message);
    } catch (...) {
        *error = nullptr;
    }
}

} // namespace tavro::lib

extern "C" void tavro_free(char* text) {
    std::free(text);
}
