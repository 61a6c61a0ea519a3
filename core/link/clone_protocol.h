#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace radio::clone {

// Bytes and frame sizes of the radio's clone protocol, shared by the PC side (RadioLink) and
// the radio side (VirtualRadio) so the two can never drift apart.
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::array<std::uint8_t, 7> kWakeUp = {0x02, 'P', 'R', 'O', 'E', 'R', 'G'};
inline constexpr std::uint8_t kIdentRequest0 = 0x4D;  // "M"
inline constexpr std::uint8_t kIdentRequest1 = 0x02;
inline constexpr std::size_t kIdentReplySize = 8;

inline constexpr std::uint8_t kReadCommand = 0x52;   // "R"
inline constexpr std::uint8_t kWriteCommand = 0x57;  // "W"
inline constexpr std::size_t kHeaderSize = 4;        // command, address high, address low, length
inline constexpr std::size_t kBlockSize = 8;
inline constexpr std::size_t kReadReplySize = 12;  // 4 bytes the PC ignores, then 8 data bytes

inline constexpr int kReadBlocks = 1024;   // 0x0000 .. 0x1FF8: the whole image
inline constexpr int kWriteBlocks = 1022;  // 0x0000 .. 0x1FE8
inline constexpr std::uint16_t kBandAddress =
    0x1FF0;  // band-limit bytes, sent in a frame of their own
inline constexpr std::size_t kBandSize = 3;

// One progress step per 16 bytes: 512 for a read, 511 for a write (the band frame has none).
inline constexpr int kReadProgressMax = kReadBlocks / 2;
inline constexpr int kWriteProgressMax = (kWriteBlocks + 1) / 2;

// Block index of an address, as the virtual radio counts blocks for its faults and logs.
constexpr int BlockOf(std::uint16_t address) { return address / static_cast<int>(kBlockSize); }

constexpr std::array<std::uint8_t, kHeaderSize> Header(std::uint8_t command, std::uint16_t address,
                                                       std::size_t length) {
    return {command, static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(length)};
}

}  // namespace radio::clone
