#pragma once

#include <string>
#include <utility>

namespace radio {

// Outcome of an operation that can fail for reasons the user must read (files, ports).
// The core raises no exceptions; callers show `message` to the user.
struct [[nodiscard]] Status {
    bool ok = true;
    std::string message;

    static Status Ok() { return {}; }
    static Status Error(std::string text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace radio
