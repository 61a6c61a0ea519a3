#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace radio {

// The SHA-256 digest of `size` bytes as 64 lower-case hex digits: what a log records of an
// image, so the file a radio got can be told apart from any other afterwards.
std::string Sha256Hex(const std::uint8_t* data, std::size_t size);

}  // namespace radio
