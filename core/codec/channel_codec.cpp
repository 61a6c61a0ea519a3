#include "core/codec/channel_codec.h"

#include <algorithm>

#include "core/codec/decimal.h"
#include "core/codec/tone_table.h"

namespace radio {

namespace {

// Both versions of each fixed cell text; decoding writes the current language's, encoding
// accepts either.
struct TextPair {
    std::string_view english;
    std::string_view chinese;
    std::string_view In(Language lang) const { return Pick(lang, english, chinese); }
    bool Matches(std::string_view text) const { return text == english || text == chinese; }
};

constexpr TextPair kHigh{"High", "高"}, kMiddle{"Middle", "中"}, kLow{"Low", "低"};
constexpr TextPair kLock{"Lock", "锁定"}, kUnlock{"Unlock", "未锁定"};
constexpr TextPair kYes{"Yes", "有"}, kNo{"No", "无"};
constexpr TextPair kWide{"Wide", "宽"}, kNarrow{"Narrow", "窄"};

// Record byte 12.
constexpr std::uint8_t kPowerMask = 0x30, kLockBit = 0x08, kScanBit = 0x04, kWideBit = 0x02;

bool ValidRecord(int record) { return record >= 0 && record < kChannelCount; }

// Four packed-BCD bytes, most significant last, read as 10 Hz units.
std::int64_t ReadFrequency(std::span<const std::uint8_t> bytes) {
    std::int64_t m = 0;
    for (int k = 3; k >= 0; --k) m = m * 100 + BcdDecode(bytes[k]);
    return m;
}

std::uint8_t Bcd(std::int64_t v) { return static_cast<std::uint8_t>((v / 10) * 16 + v % 10); }

void WriteFrequency(std::string_view text, std::span<std::uint8_t> bytes) {
    const std::int64_t f = text.empty() ? 0 : FrequencyUnits(text);
    if (f == 0) {
        std::fill(bytes.begin(), bytes.end(), 0xFF);
        return;
    }
    bytes[3] = Bcd(f / 1000000);
    bytes[2] = Bcd(f % 1000000 / 10000);
    bytes[1] = Bcd(f % 10000 / 100);
    bytes[0] = Bcd(f % 100);
}

bool RecordEmpty(std::uint8_t msb) { return msb == 0x00 || msb == 0xFF; }

ChannelTexts NewChannelTexts(const std::string& frequency, Language lang) {
    const std::string noTone(Pick(lang, "None", "无"));
    return {frequency,
            frequency,
            noTone,
            noTone,
            std::string(kHigh.In(lang)),
            std::string(kLock.In(lang)),
            std::string(kYes.In(lang)),
            std::string(kWide.In(lang)),
            std::string()};
}

// Validates a frequency text; on success `text` is what the grid stores.
CommitResult CheckFrequency(std::string_view editorText, std::string& text) {
    const std::int64_t f = FrequencyUnits(editorText);
    if (!FrequencyInBands(f)) return CommitResult::OutOfRange;
    if (!FrequencyOnStep(f)) return CommitResult::StepError;
    // The stored text is made from the validated value itself: formatting the typed number
    // would round "146.525006" up to 146.52501, an off-step frequency the radio would get.
    text = FrequencyUnitsToText(f);
    return CommitResult::Accepted;
}

}  // namespace

bool FrequencyInBands(std::int64_t units) {
    return (units >= kBand1Low && units <= kBand1High) ||
           (units >= kBand2Low && units <= kBand2High);
}

bool FrequencyOnStep(std::int64_t units) { return units % 250 == 0 || units % 625 == 0; }

std::string_view PowerText(int bits, Language lang) {
    switch (bits & 0x03) {
        case 0:
            return kLow.In(lang);
        case 1:
            return kMiddle.In(lang);
        case 2:
            return kHigh.In(lang);
        default:
            return {};  // 11 has no power level
    }
}

std::vector<std::string> ColumnItems(int col, Language lang) {
    auto items = [lang](std::initializer_list<TextPair> pairs) {
        std::vector<std::string> out;
        for (const TextPair& p : pairs) out.emplace_back(p.In(lang));
        return out;
    };
    switch (col) {
        case kColRxTone:
        case kColTxTone:
            return BuildToneTable(lang);
        case kColPower:
            return items({kHigh, kMiddle, kLow});
        case kColLock:
            return items({kLock, kUnlock});
        case kColScanAdd:
            return items({kYes, kNo});
        case kColBandwidth:
            return items({kWide, kNarrow});
        default:
            return {};
    }
}

ChannelTexts DecodeChannelRow(const RadioImage& image, int record, Language lang) {
    ChannelTexts texts;
    if (!ValidRecord(record)) return texts;
    const auto r = image.Record(record);
    if (RecordEmpty(r[3])) return texts;  // nothing else of an empty record is read

    texts[0] = FrequencyUnitsToText(ReadFrequency(r.subspan<0, 4>()));
    if (!RecordEmpty(r[7])) texts[1] = FrequencyUnitsToText(ReadFrequency(r.subspan<4, 4>()));
    texts[2] = DecodeTone(r[9], r[8], lang);
    texts[3] = DecodeTone(r[11], r[10], lang);
    const std::uint8_t flags = r[12];
    texts[4] = PowerText((flags & kPowerMask) >> 4, lang);
    texts[5] = ((flags & kLockBit) ? kLock : kUnlock).In(lang);
    texts[6] = ((flags & kScanBit) ? kYes : kNo).In(lang);
    texts[7] = ((flags & kWideBit) ? kWide : kNarrow).In(lang);
    texts[8] = DecodeName(image.NameBytes(record));
    return texts;
}

void DecodeImageToGrid(const RadioImage& image, ChannelGrid& grid, Language lang) {
    for (int i = 0; i < kChannelCount; ++i)
        grid.SetRowTexts(i + 1, DecodeChannelRow(image, i, lang));
}

void EncodeChannelRow(const ChannelTexts& t, RadioImage& image, int record) {
    if (!ValidRecord(record)) return;
    const auto r = image.Record(record);
    if (t[0].empty()) {
        // An emptied record is all 0xFF; its name bytes are left as they were.
        std::fill(r.begin(), r.end(), 0xFF);
        return;
    }
    WriteFrequency(t[0], r.subspan<0, 4>());
    WriteFrequency(t[1], r.subspan<4, 4>());
    const ToneWord rx = EncodeTone(t[2]);
    r[9] = rx.high;
    r[8] = rx.low;
    const ToneWord tx = EncodeTone(t[3]);
    r[11] = tx.high;
    r[10] = tx.low;

    // Bits 7, 6 and 0 are not ours and keep their values.
    std::uint8_t flags =
        r[12] & static_cast<std::uint8_t>(~(kPowerMask | kLockBit | kScanBit | kWideBit));
    if (kHigh.Matches(t[4]))
        flags |= 0x20;
    else if (kMiddle.Matches(t[4]))
        flags |= 0x10;
    if (!kUnlock.Matches(t[5])) flags |= kLockBit;
    if (!kNo.Matches(t[6])) flags |= kScanBit;
    if (!kNarrow.Matches(t[7])) flags |= kWideBit;
    r[12] = flags;

    EncodeName(t[8], image.NameBytes(record));
}

void EncodeGridToImage(const ChannelGrid& grid, RadioImage& image) {
    for (int row = 1; row <= kChannelCount; ++row)
        EncodeChannelRow(grid.RowTexts(row), image, row - 1);
}

CommitResult CommitCellEdit(ChannelGrid& grid, int row, int col, std::string_view editorText,
                            Language lang) {
    if (row < 1 || row > kChannelCount || col < kColRxFreq || col > kColName)
        return CommitResult::Accepted;  // not a channel cell: nothing to store
    const bool old1Empty = grid.Text(row, kColRxFreq).empty();
    const bool old2Empty = grid.Text(row, kColTxFreq).empty();

    if (col == kColRxFreq) {
        if (editorText.empty()) {
            grid.ClearRow(row);  // deleting the frequency deletes the channel
            return CommitResult::Accepted;
        }
        std::string text;
        const CommitResult result = CheckFrequency(editorText, text);
        if (result != CommitResult::Accepted) {
            grid.ClearRow(row);
            return result;
        }
        if (old1Empty)
            grid.SetRowTexts(row, NewChannelTexts(text, lang));
        else
            grid.SetText(row, kColRxFreq, std::move(text));
        return CommitResult::Accepted;
    }

    if (col == kColTxFreq) {
        if (editorText.empty()) {
            grid.SetText(row, kColTxFreq, std::string());
            return CommitResult::Accepted;
        }
        std::string text;
        const CommitResult result = CheckFrequency(editorText, text);
        // No transmit frequency without a receive frequency.
        grid.SetText(
            row, kColTxFreq,
            result == CommitResult::Accepted && !old1Empty ? std::move(text) : std::string());
        return result;
    }

    // An empty channel takes no settings.
    grid.SetText(row, col, old1Empty && old2Empty ? std::string() : std::string(editorText));
    return CommitResult::Accepted;
}

}  // namespace radio
