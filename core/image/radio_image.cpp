#include "core/image/radio_image.h"

#include <cassert>

namespace radio {

RadioImage::RadioImage() { m_bytes.fill(0xFF); }

RadioImage RadioImage::Blank() {
    RadioImage image;
    image[offset::kSquelch] = 0x01;       // Squelch Level 1
    image[offset::kTimeOutTimer] = 0x01;  // Time-Out Timer "1"
    image[offset::kRadioType] = 0x00;     // replaced from the stored settings on first decode
    image[offset::kBandIndex] = 0x00;
    image[offset::kStep] = 0x04;              // "25k"
    image[offset::kDisplayFlags] = 0xD4;      // display off, busy off, CO, LED auto, keypad manual
    image[offset::kScanFlags] = 0x21;         // priority scan off, encoder on, frequency mode
    image[offset::kVoiceSensitivity] = 0x00;  // "Off"
    image[offset::kCallTone] = 0x01;          // "1"
    image[offset::kBatterySaver] = 0x00;      // "Off"
    return image;
}

namespace {
// Records and names live in fixed tables; an index outside 0..199 is a caller's bug.
std::size_t RecordOffset(int i) {
    assert(i >= 0 && i < kChannelCount);
    return offset::kChannelTable + static_cast<std::size_t>(i) * offset::kRecordSize;
}
std::size_t NameOffset(int i) {
    assert(i >= 0 && i < kChannelCount);
    return offset::kChannelNames + static_cast<std::size_t>(i) * offset::kNameSize;
}
}  // namespace

std::span<std::uint8_t, offset::kRecordSize> RadioImage::Record(int i) {
    return std::span<std::uint8_t, offset::kRecordSize>(m_bytes.data() + RecordOffset(i),
                                                        offset::kRecordSize);
}

std::span<const std::uint8_t, offset::kRecordSize> RadioImage::Record(int i) const {
    return std::span<const std::uint8_t, offset::kRecordSize>(m_bytes.data() + RecordOffset(i),
                                                              offset::kRecordSize);
}

std::span<std::uint8_t, offset::kNameSize> RadioImage::NameBytes(int i) {
    return std::span<std::uint8_t, offset::kNameSize>(m_bytes.data() + NameOffset(i),
                                                      offset::kNameSize);
}

std::span<const std::uint8_t, offset::kNameSize> RadioImage::NameBytes(int i) const {
    return std::span<const std::uint8_t, offset::kNameSize>(m_bytes.data() + NameOffset(i),
                                                            offset::kNameSize);
}

std::uint8_t NameCharToCode(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(10 + (c - 'A'));
    if (c == '-') return 36;
    if (c == '_') return 38;
    return kNameFill;
}

char NameCodeToChar(std::uint8_t code) {
    if (code <= 9) return static_cast<char>('0' + code);
    if (code <= 35) return static_cast<char>('A' + (code - 10));
    if (code == 36) return '-';
    if (code == 38) return '_';
    return '\0';  // 37 ("no character"), 0xFF fill and everything else end the text
}

std::string DecodeName(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t code : bytes) {
        const char c = NameCodeToChar(code);
        if (c == '\0') break;
        text.push_back(c);
    }
    return text;
}

void EncodeName(std::string_view text, std::span<std::uint8_t> out) {
    // Byte by byte: a multibyte character becomes fill bytes, which end the name on decoding.
    for (std::size_t k = 0; k < out.size(); ++k)
        out[k] = k < text.size() ? NameCharToCode(text[k]) : kNameFill;
}

std::array<std::uint8_t, 3> BandLimitBytes(int lowerMHz, int upperMHz) {
    // C's truncating division and sign-of-dividend remainder are kept on purpose: an
    // unreadable band (0-0) must give the same bytes the radio has always been sent.
    const long long l = lowerMHz;
    const long long h = static_cast<long long>(upperMHz) - 1;
    const long long b0 = (l / 100) * 16 + (l / 10) % 10;
    const long long b1 = (h / 100) * 16 + (h / 10) % 10;
    const long long b2 = (l % 10) * 16 + (h % 10);
    return {static_cast<std::uint8_t>(b0), static_cast<std::uint8_t>(b1),
            static_cast<std::uint8_t>(b2)};
}

void WriteBandLimits(RadioImage& image, int lowerMHz, int upperMHz) {
    const auto bytes = BandLimitBytes(lowerMHz, upperMHz);
    for (std::size_t k = 0; k < bytes.size(); ++k) image[offset::kBandLimits + k] = bytes[k];
}

std::optional<BandLimits> ReadBandLimits(const RadioImage& image) {
    const std::uint8_t b0 = image[offset::kBandLimits];
    const std::uint8_t b1 = image[offset::kBandLimits + 1];
    const std::uint8_t b2 = image[offset::kBandLimits + 2];
    for (std::uint8_t b : {b0, b1, b2}) {
        if ((b >> 4) > 9 || (b & 0x0F) > 9) return std::nullopt;
    }
    // The inverse of BandLimitBytes: hundreds and tens in b0/b1, the units in b2's nibbles, and
    // the upper limit stored less one.
    const int lower = (b0 >> 4) * 100 + (b0 & 0x0F) * 10 + (b2 >> 4);
    const int upper = (b1 >> 4) * 100 + (b1 & 0x0F) * 10 + (b2 & 0x0F) + 1;
    if (lower <= 0 || lower >= upper) return std::nullopt;
    return BandLimits{lower, upper};
}

}  // namespace radio
