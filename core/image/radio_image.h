#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace radio {

inline constexpr std::size_t kImageSize = 8192;
inline constexpr int kChannelCount = 200;

// Offsets into the radio's memory image. Everything not named here is carried through
// unchanged by every operation.
namespace offset {
inline constexpr std::size_t kChannelTable = 0x0000;  // 200 records of 16 bytes
inline constexpr std::size_t kRecordSize = 16;
inline constexpr std::size_t kChannelNames = 0x0CA0;  // 200 names of 8 bytes
inline constexpr std::size_t kNameSize = 8;
inline constexpr std::size_t kOptionFiller = 0x12E0;  // 6 bytes, 0xFF on every option OK
inline constexpr std::size_t kOptionFillerSize = 6;
inline constexpr std::size_t kPowerOnName = 0x12E8;  // 6 bytes
inline constexpr std::size_t kPowerOnNameSize = 6;
inline constexpr std::size_t kBeep = 0x1FC0;  // bit 0
inline constexpr std::size_t kSquelch = 0x1FC1;
inline constexpr std::size_t kTimeOutTimer = 0x1FC3;
inline constexpr std::size_t kRadioType = 0x1FD6;
inline constexpr std::size_t kBandIndex = 0x1FD7;
inline constexpr std::size_t kStep = 0x1FE0;
inline constexpr std::size_t kDisplayFlags = 0x1FE1;  // display, busy, scan mode, LED, keypad
inline constexpr std::size_t kScanFlags = 0x1FE2;     // priority scan, encoder, mode
inline constexpr std::size_t kVoiceSensitivity = 0x1FE4;
inline constexpr std::size_t kCallTone = 0x1FE5;
inline constexpr std::size_t kBatterySaver = 0x1FE7;
inline constexpr std::size_t kPriScanTime = 0x1FE8;
inline constexpr std::size_t kBandLimits = 0x1FF0;  // 3 bytes
}  // namespace offset

// The radio's 8192-byte configuration memory, byte for byte.
class RadioImage {
  public:
    using Bytes = std::array<std::uint8_t, kImageSize>;

    RadioImage();  // every byte 0xFF
    explicit RadioImage(const Bytes& bytes) : m_bytes(bytes) {}

    // The image File > New starts from: all 0xFF except the ten option, type and band bytes.
    static RadioImage Blank();

    std::uint8_t& operator[](std::size_t offset) { return m_bytes[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return m_bytes[offset]; }

    Bytes& bytes() { return m_bytes; }
    const Bytes& bytes() const { return m_bytes; }
    std::uint8_t* data() { return m_bytes.data(); }
    const std::uint8_t* data() const { return m_bytes.data(); }
    static constexpr std::size_t size() { return kImageSize; }

    // Record i (0 = "Pr", 1..199) and its 8 name bytes.
    std::span<std::uint8_t, offset::kRecordSize> Record(int i);
    std::span<const std::uint8_t, offset::kRecordSize> Record(int i) const;
    std::span<std::uint8_t, offset::kNameSize> NameBytes(int i);
    std::span<const std::uint8_t, offset::kNameSize> NameBytes(int i) const;

    friend bool operator==(const RadioImage&, const RadioImage&) = default;

  private:
    Bytes m_bytes;
};

// Packed BCD: two decimal digits per byte, tens in the high nibble. Decoding does not check
// the nibbles (0x7F reads as 7 * 10 + 15), as the radio's own firmware does not.
constexpr int BcdDecode(std::uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); }
// Only 0..99 fit a byte; anything else gives nullopt instead of wrapping (165 would otherwise
// come out as 0x05 and a frequency would silently change on save).
constexpr std::optional<std::uint8_t> BcdEncode(long long v) {
    if (v < 0 || v > 99) return std::nullopt;
    return static_cast<std::uint8_t>((v / 10) * 16 + v % 10);
}

// Name character code: 0-9 digits, 10-35 'A'-'Z', 36 '-', 38 '_', 0xFF fill.
inline constexpr std::uint8_t kNameFill = 0xFF;
std::uint8_t NameCharToCode(char c);     // 0xFF for characters outside the code
char NameCodeToChar(std::uint8_t code);  // '\0' for codes outside the code (ends a text)
// Decodes up to bytes.size() characters, stopping at 0xFF or any code outside the table.
std::string DecodeName(std::span<const std::uint8_t> bytes);
// Encodes character k into out[k]; positions past the text are 0xFF; extra characters dropped.
void EncodeName(std::string_view text, std::span<std::uint8_t> out);

// Band-limit bytes 0x1FF0..0x1FF2 from a band's lower and upper limit in whole MHz
// (136-174 MHz gives 13 17 63). Arithmetic truncates toward zero, results modulo 256.
std::array<std::uint8_t, 3> BandLimitBytes(int lowerMHz, int upperMHz);
void WriteBandLimits(RadioImage& image, int lowerMHz, int upperMHz);

struct BandLimits {
    int lowerMHz = 0;
    int upperMHz = 0;
    friend bool operator==(const BandLimits&, const BandLimits&) = default;
};
// The band WriteBandLimits stored, or nullopt when the three bytes are no band (a nibble past
// 9, the lower limit not below the upper one, the 0xFF of an image never given a band).
std::optional<BandLimits> ReadBandLimits(const RadioImage& image);

}  // namespace radio
