#include <gtest/gtest.h>

#include <random>

#include "core/codec/channel_codec.h"

namespace radio {
namespace {

// Random images: about half the records are well formed (proper BCD digits, as the radio
// writes them), the rest are arbitrary bytes.
class RandomImages {
  public:
    explicit RandomImages(unsigned seed) : m_rng(seed) {}

    RadioImage Next(std::vector<bool>& wellFormed) {
        RadioImage image;
        for (auto& b : image.bytes()) b = Byte();
        wellFormed.assign(kChannelCount, false);
        for (int i = 0; i < kChannelCount; ++i) {
            if (m_rng() % 2) continue;
            wellFormed[i] = true;
            auto r = image.Record(i);
            for (int k = 0; k < 3; ++k) r[k] = Bcd(0, 99);
            r[3] = Bcd(1, 99);
            for (int k = 4; k < 7; ++k) r[k] = Bcd(0, 99);
            r[7] = m_rng() % 4 == 0 ? (m_rng() % 2 ? 0x00 : 0xFF) : Bcd(1, 99);
            SetTone(r[9], r[8]);
            SetTone(r[11], r[10]);
        }
        return image;
    }

  private:
    std::uint8_t Byte() { return static_cast<std::uint8_t>(m_rng()); }
    std::uint8_t Bcd(int lo, int hi) {
        return BcdEncode(lo + static_cast<int>(m_rng() % (hi - lo + 1)));
    }
    void SetTone(std::uint8_t& high, std::uint8_t& low) {
        low = Bcd(0, 99);
        switch (m_rng() % 3) {
            case 0:
                high = m_rng() % 2 ? 0x00 : 0xFF;
                low = Byte();
                break;  // no tone
            case 1:
                high = Bcd(1, 79);
                break;  // CTCSS
            default:
                high = static_cast<std::uint8_t>(0x80 + m_rng() % 0x7F);  // DCS
        }
    }
    std::mt19937 m_rng;
};

bool OwnedByEncoder(std::size_t offset, const RadioImage& before) {
    if (offset < offset::kChannelNames + kChannelCount * offset::kNameSize &&
        offset >= offset::kChannelNames) {
        const int record = static_cast<int>((offset - offset::kChannelNames) / offset::kNameSize);
        const std::uint8_t msb = before.Record(record)[3];
        return msb != 0x00 && msb != 0xFF;  // an emptied record keeps its name
    }
    if (offset >= kChannelCount * offset::kRecordSize) return false;
    const int record = static_cast<int>(offset / offset::kRecordSize);
    const std::size_t k = offset % offset::kRecordSize;
    const std::uint8_t msb = before.Record(record)[3];
    return msb == 0x00 || msb == 0xFF || k <= 12;  // byte 12 is checked bit by bit
}

TEST(ChannelRoundTrip, DecodeThenEncodeKeepsWhatTheEncoderDoesNotOwn) {
    RandomImages random(20240601);
    std::vector<bool> wellFormed;
    for (int n = 0; n < 120; ++n) {
        const Language lang = n % 2 ? Language::Chinese : Language::English;
        const RadioImage before = random.Next(wellFormed);
        ChannelGrid grid(lang);
        DecodeImageToGrid(before, grid, lang);
        RadioImage after = before;
        EncodeGridToImage(grid, after);

        for (std::size_t offset = 0; offset < kImageSize; ++offset) {
            if (!OwnedByEncoder(offset, before)) {
                ASSERT_EQ(after[offset], before[offset]) << "image " << n << " offset " << offset;
            }
        }
        for (int i = 0; i < kChannelCount; ++i) {
            const std::uint8_t msb = before.Record(i)[3];
            if (msb != 0x00 && msb != 0xFF) {
                ASSERT_EQ(after.Record(i)[12] & 0xC1, before.Record(i)[12] & 0xC1)
                    << "record " << i;
            }
            if (!wellFormed[i]) continue;
            // The texts read back the same; only an empty power text is stored as Low.
            ChannelTexts expected = DecodeChannelRow(before, i, lang);
            if (expected[4].empty()) expected[4] = PowerText(0, lang);
            ASSERT_EQ(DecodeChannelRow(after, i, lang), expected)
                << "image " << n << " record " << i;
        }
    }
}

}  // namespace
}  // namespace radio
