#include "core/codec/channel_codec.h"

#include "core/config/phrase.h"

#include <algorithm>

#include "core/codec/decimal.h"
#include "core/codec/edit_rules.h"
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

constexpr TextPair kHigh{QT_TRANSLATE_NOOP("radio", "High"), "高"},
    kMiddle{QT_TRANSLATE_NOOP("radio", "Middle"), "中"},
    kLow{QT_TRANSLATE_NOOP("radio", "Low"), "低"};
constexpr TextPair kLock{QT_TRANSLATE_NOOP("radio", "Lock"), "锁定"},
    kUnlock{QT_TRANSLATE_NOOP("radio", "Unlock"), "未锁定"};
constexpr TextPair kYes{QT_TRANSLATE_NOOP("radio", "Yes"), "有"},
    kNo{QT_TRANSLATE_NOOP("radio", "No"), "无"};
constexpr TextPair kWide{QT_TRANSLATE_NOOP("radio", "Wide"), "宽"},
    kNarrow{QT_TRANSLATE_NOOP("radio", "Narrow"), "窄"};

// Record byte 12.
constexpr std::uint8_t kPowerMask = 0x30, kLockBit = 0x08, kScanBit = 0x04, kWideBit = 0x02;

bool ValidRecord(int record) { return record >= 0 && record < kChannelCount; }

// Four packed-BCD bytes, most significant last, read as 10 Hz units.
std::int64_t ReadFrequency(std::span<const std::uint8_t> bytes) {
    std::int64_t m = 0;
    for (int k = 3; k >= 0; --k) m = m * 100 + BcdDecode(bytes[k]);
    return m;
}

// Writes a frequency text as four BCD bytes (no text: 0xFF). A value that eight digits cannot
// hold leaves the bytes as they were and gives false: wrapping would store another frequency.
bool WriteFrequency(std::string_view text, std::span<std::uint8_t> bytes) {
    const std::int64_t f = text.empty() ? 0 : FrequencyUnits(text);
    if (f == 0) {
        std::fill(bytes.begin(), bytes.end(), 0xFF);
        return true;
    }
    const auto b3 = BcdEncode(f / 1000000);
    if (f < 0 || !b3) return false;
    bytes[3] = *b3;
    bytes[2] = *BcdEncode(f % 1000000 / 10000);
    bytes[1] = *BcdEncode(f % 10000 / 100);
    bytes[0] = *BcdEncode(f % 100);
    return true;
}

bool WriteTone(std::string_view text, std::uint8_t& high, std::uint8_t& low) {
    const std::optional<ToneWord> word = EncodeTone(text);
    if (!word) return false;
    high = word->high;
    low = word->low;
    return true;
}

// Writes column `col`'s text into its bytes of a record in use; the other bytes stay. Returns
// false when the text cannot be stored, its bytes then unchanged.
bool EncodeField(int col, const std::string& text, std::span<std::uint8_t, 16> r,
                 std::span<std::uint8_t, offset::kNameSize> name) {
    std::uint8_t& flags = r[12];
    auto setBit = [&flags](std::uint8_t bit, bool on) {
        flags = static_cast<std::uint8_t>(on ? (flags | bit) : (flags & ~bit));
    };
    switch (col) {
        case kColRxFreq:
            return WriteFrequency(text, r.subspan<0, 4>());
        case kColTxFreq:
            return WriteFrequency(text, r.subspan<4, 4>());
        case kColRxTone:
            return WriteTone(text, r[9], r[8]);
        case kColTxTone:
            return WriteTone(text, r[11], r[10]);
        case kColPower: {
            // Anything but High or Middle is Low, as the radio has always been sent.
            const std::uint8_t bits = kHigh.Matches(text) ? 0x20 : kMiddle.Matches(text) ? 0x10 : 0;
            flags = static_cast<std::uint8_t>((flags & ~kPowerMask) | bits);
            return true;
        }
        case kColLock:
            setBit(kLockBit, !kUnlock.Matches(text));
            return true;
        case kColScanAdd:
            setBit(kScanBit, !kNo.Matches(text));
            return true;
        case kColBandwidth:
            setBit(kWideBit, !kNarrow.Matches(text));
            return true;
        case kColName:
            EncodeName(text, name);
            return true;
        default:
            return false;
    }
}

bool RecordEmpty(std::uint8_t msb) { return msb == 0x00 || msb == 0xFF; }

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

CommitResult CheckFrequencyText(std::string_view text) {
    std::string stored;
    return CheckFrequency(text, stored);
}

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
    for (int i = 0; i < kChannelCount; ++i) {
        RowOrigin origin;
        origin.texts = DecodeChannelRow(image, i, lang);
        std::ranges::copy(image.Record(i), origin.record.begin());
        std::ranges::copy(image.NameBytes(i), origin.name.begin());
        grid.SetDecodedRow(i + 1, origin);
    }
}

int EncodeChannelRow(const ChannelTexts& t, RadioImage& image, int record) {
    if (!ValidRecord(record)) return 0;
    const auto r = image.Record(record);
    if (t[0].empty()) {
        // An emptied record is all 0xFF; its name bytes are left as they were.
        std::fill(r.begin(), r.end(), 0xFF);
        return 0;
    }
    // Bits 7, 6 and 0 of the flags and bytes 13-15 are not ours and keep their values.
    int refused = 0;
    for (int col = kColRxFreq; col <= kColName; ++col) {
        if (!EncodeField(col, t[static_cast<std::size_t>(col - 1)], r, image.NameBytes(record)))
            ++refused;
    }
    return refused;
}

int EncodeGridRow(const ChannelGrid& grid, int row, RadioImage& image) {
    if (row < 1 || row > kChannelCount) return 0;
    const int record = row - 1;
    const ChannelTexts texts = grid.RowTexts(row);
    const RowOrigin* origin = grid.Origin(row);
    if (origin && texts == origin->texts) {
        // Untouched: the bytes it was decoded from, whatever the texts could show of them.
        std::ranges::copy(origin->record, image.Record(record).begin());
        std::ranges::copy(origin->name, image.NameBytes(record).begin());
        return 0;
    }
    if (origin && !origin->texts[0].empty() && !texts[0].empty()) {
        // Edited but still the same channel: only the fields whose text changed are written,
        // so a field the texts cannot show keeps its bytes unless it was edited.
        std::ranges::copy(origin->record, image.Record(record).begin());
        std::ranges::copy(origin->name, image.NameBytes(record).begin());
        int refused = 0;
        for (int col = kColRxFreq; col <= kColName; ++col) {
            const auto k = static_cast<std::size_t>(col - 1);
            if (texts[k] != origin->texts[k] &&
                !EncodeField(col, texts[k], image.Record(record), image.NameBytes(record)))
                ++refused;
        }
        return refused;
    }
    // A new channel, an emptied one, or a row that was never decoded.
    return EncodeChannelRow(texts, image, record);
}

int EncodeGridToImage(const ChannelGrid& grid, RadioImage& image) {
    int refused = 0;
    for (int row = 1; row <= kChannelCount; ++row) refused += EncodeGridRow(grid, row, image);
    return refused;
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
        // A refused frequency changes nothing: a typo must not cost the channel it lands on.
        const CommitResult result = CheckFrequency(editorText, text);
        if (result != CommitResult::Accepted) return result;
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
        if (result != CommitResult::Accepted) return result;  // the stored Tx stays
        // No transmit frequency without a receive frequency.
        grid.SetText(row, kColTxFreq, old1Empty ? std::string() : std::move(text));
        return result;
    }

    // An empty channel takes no settings.
    if (old1Empty && old2Empty) {
        grid.SetText(row, col, std::string());
        return CommitResult::Accepted;
    }
    // Only what the radio can store is kept, so a save never has to drop or wrap a text:
    // a list column takes one of its entries (either language, any case), the name column a
    // name of the radio's characters. Anything else leaves the cell as it was.
    if (col == kColName) {
        std::string name(editorText);
        // The record's eight places, not the six a user types: a longer decoded name may be
        // shortened and stored as it stands.
        if (CheckRadioName(name, offset::kNameSize)) return CommitResult::NameRefused;
        grid.SetText(row, col, std::move(name));
        return CommitResult::Accepted;
    }
    std::optional<std::string> entry = ResolveListEntry(col, editorText, lang);
    if (!entry) return CommitResult::NotAnEntry;
    grid.SetText(row, col, std::move(*entry));
    return CommitResult::Accepted;
}

}  // namespace radio
