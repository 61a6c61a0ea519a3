#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/image/status.h"

namespace radio {

// "UTF-16LE" or "UTF-16BE" when `bytes` start with that byte order mark; nullopt otherwise.
std::optional<std::string_view> Utf16ByteOrder(std::string_view bytes);

// Text with a UTF-16 byte order mark as UTF-8 (with the UTF-8 mark in its place, so readers
// that skip one skip it). Fails naming the encoding and the byte where the text breaks (a
// lone surrogate, an odd length).
Status Utf16ToUtf8(std::string_view bytes, std::string& out);

}  // namespace radio
