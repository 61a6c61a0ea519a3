#include "core/formats/image_diff.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

#include "core/codec/channel_codec.h"
#include "core/link/clone_protocol.h"
#include "core/options/option_values.h"

namespace radio {
namespace {

// Bits of one byte that belong to a field.
struct FieldBits {
    std::size_t at;
    std::uint8_t mask;
};

// The bytes and bits each line of the option sheet shows, in OptionSheetLines' order. A line
// whose text differs explains a change of these bits; any other changed bit is shown as bytes.
constexpr std::array<FieldBits, 16> kSheetBits = {{
    {offset::kTimeOutTimer, 0x03},
    {offset::kSquelch, 0x0F},
    {offset::kBeep, 0x01},
    {offset::kCallTone, 0x0F},
    {offset::kDisplayFlags, 0x80},
    {offset::kScanFlags, 0x40},
    {offset::kDisplayFlags, 0x40},
    {offset::kPriScanTime, 0x03},
    {offset::kDisplayFlags, 0x30},
    {offset::kDisplayFlags, 0x02},
    {offset::kDisplayFlags, 0x0C},
    {offset::kScanFlags, 0x03},
    {offset::kScanFlags, 0x20},
    {offset::kVoiceSensitivity, 0x1F},
    {offset::kStep, 0xFF},
    {offset::kBatterySaver, 0x07},
}};

// Record byte 12 holds four of the grid's columns.
constexpr std::uint8_t kFlagMasks[] = {0x30, 0x08, 0x04, 0x02};  // power, lock, scan, width

std::size_t RecordAt(int record) {
    return offset::kChannelTable + static_cast<std::size_t>(record) * offset::kRecordSize;
}
std::size_t NameAt(int record) {
    return offset::kChannelNames + static_cast<std::size_t>(record) * offset::kNameSize;
}

// Which record's bytes an address holds: its channel record or its name; -1 for neither.
int RecordOwning(std::size_t at) {
    if (at >= offset::kChannelTable && at < RecordAt(kChannelCount))
        return static_cast<int>((at - offset::kChannelTable) / offset::kRecordSize);
    if (at >= offset::kChannelNames && at < NameAt(kChannelCount))
        return static_cast<int>((at - offset::kChannelNames) / offset::kNameSize);
    return -1;
}

std::string Hex(std::size_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*zX", digits, value);
    return text;
}

std::string HexBytes(const RadioImage& image, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t at = from; at < to; ++at) {
        if (!text.empty()) text += ' ';
        text += Hex(image[at], 2);
    }
    return text;
}

// Collects differences and remembers which changed bits they explain.
class Differ {
  public:
    Differ(const RadioImage& a, const RadioImage& b, Language lang) : m_a(a), m_b(b), m_lang(lang) {
        m_explained.fill(0);
    }

    std::vector<ImageDifference> Run() {
        for (int record = 0; record < kChannelCount; ++record) Channel(record);
        Options();
        Band();
        RemainingBytes();
        // A channel's bytes next to its fields; then options, band and other bytes as found.
        std::stable_sort(m_found.begin(), m_found.end(),
                         [](const ImageDifference& x, const ImageDifference& y) {
                             return SortKey(x) < SortKey(y);
                         });
        return std::move(m_found);
    }

  private:
    static std::pair<int, int> SortKey(const ImageDifference& d) {
        if (d.record >= 0)
            return {d.record, d.area == DiffArea::Bytes ? kChannelColumns + 1 : d.column};
        const int group = d.area == DiffArea::Option ? 1 : d.area == DiffArea::Band ? 2 : 3;
        return {kChannelCount + group, 0};
    }

    bool Differs(std::size_t from, std::size_t count) const {
        for (std::size_t at = from; at < from + count; ++at)
            if (m_a[at] != m_b[at]) return true;
        return false;
    }

    void Explain(std::size_t at, std::size_t count, std::uint8_t mask = 0xFF) {
        for (std::size_t k = at; k < at + count; ++k) m_explained[k] |= mask;
    }

    void Channel(int record) {
        if (!Differs(RecordAt(record), offset::kRecordSize) &&
            !Differs(NameAt(record), offset::kNameSize))
            return;
        const ChannelTexts before = DecodeChannelRow(m_a, record, m_lang);
        const ChannelTexts after = DecodeChannelRow(m_b, record, m_lang);
        const std::size_t r = RecordAt(record);
        for (int col = kColRxFreq; col <= kColName; ++col) {
            const std::size_t i = static_cast<std::size_t>(col - 1);
            if (before[i] == after[i]) continue;
            m_found.push_back({DiffArea::Channel, record, col,
                               std::string(ChannelGrid::Heading(col, m_lang)), before[i],
                               after[i]});
            switch (col) {
                case kColRxFreq:
                    Explain(r, 4);
                    break;
                case kColTxFreq:
                    Explain(r + 4, 4);
                    break;
                case kColRxTone:
                    Explain(r + 8, 2);
                    break;
                case kColTxTone:
                    Explain(r + 10, 2);
                    break;
                case kColName:
                    Explain(NameAt(record), offset::kNameSize);
                    break;
                default:
                    Explain(r + 12, 1, kFlagMasks[col - kColPower]);
                    break;
            }
        }
    }

    void Options() {
        const std::vector<OptionSheetLine> before = OptionSheetLines(m_a, m_lang);
        const std::vector<OptionSheetLine> after = OptionSheetLines(m_b, m_lang);
        for (std::size_t i = 0; i < before.size() && i < kSheetBits.size(); ++i) {
            if (before[i].value == after[i].value) continue;
            std::string label = before[i].label;
            while (!label.empty() && label.back() == ':') label.pop_back();
            m_found.push_back({DiffArea::Option, -1, 0, label, before[i].value, after[i].value});
            Explain(kSheetBits[i].at, 1, kSheetBits[i].mask);
        }
        const auto name = [](const RadioImage& image) {
            return DecodeName(std::span<const std::uint8_t>(image.data() + offset::kPowerOnName,
                                                            offset::kPowerOnNameSize));
        };
        if (name(m_a) != name(m_b)) {
            m_found.push_back({DiffArea::Option, -1, 0,
                               std::string(Pick(m_lang, "Power-on Name", "开机名称")), name(m_a),
                               name(m_b)});
            Explain(offset::kPowerOnName, offset::kPowerOnNameSize);
        }
    }

    static std::string LimitsText(const RadioImage& image) {
        const auto limits = ReadBandLimits(image);
        if (!limits)
            return HexBytes(image, offset::kBandLimits, offset::kBandLimits + clone::kBandSize);
        return std::to_string(limits->lowerMHz) + "-" + std::to_string(limits->upperMHz) + " MHz";
    }

    void Band() {
        const auto index = [&](std::size_t at, std::string_view en, std::string_view zh) {
            if (m_a[at] == m_b[at]) return;
            // Counted from 1 as Program.ini's Type1 / Field1 count them.
            m_found.push_back({DiffArea::Band, -1, 0, std::string(Pick(m_lang, en, zh)),
                               std::to_string(m_a[at] + 1), std::to_string(m_b[at] + 1)});
            Explain(at, 1);
        };
        index(offset::kRadioType, "Radio Type", "机型");
        index(offset::kBandIndex, "Band", "频段");
        if (Differs(offset::kBandLimits, clone::kBandSize)) {
            m_found.push_back({DiffArea::Band, -1, 0,
                               std::string(Pick(m_lang, "Band Limits", "频率范围")),
                               LimitsText(m_a), LimitsText(m_b)});
            Explain(offset::kBandLimits, clone::kBandSize);
        }
    }

    bool Unexplained(std::size_t at) const { return ((m_a[at] ^ m_b[at]) & ~m_explained[at]) != 0; }

    // Runs of unexplained bytes, cut at block boundaries and where the owning channel changes.
    void RemainingBytes() {
        std::size_t at = 0;
        while (at < kImageSize) {
            if (!Unexplained(at)) {
                ++at;
                continue;
            }
            const std::size_t blockEnd = (at / clone::kBlockSize + 1) * clone::kBlockSize;
            const int owner = RecordOwning(at);
            std::size_t end = at + 1;
            while (end < blockEnd && Unexplained(end) && RecordOwning(end) == owner) ++end;
            std::string field = std::string(Pick(m_lang, "bytes 0x", "字节 0x")) + Hex(at, 4);
            if (end - at > 1) field += "-0x" + Hex(end - 1, 4);
            m_found.push_back(
                {DiffArea::Bytes, owner, 0, field, HexBytes(m_a, at, end), HexBytes(m_b, at, end)});
            at = end;
        }
    }

    const RadioImage& m_a;
    const RadioImage& m_b;
    Language m_lang;
    std::array<std::uint8_t, kImageSize> m_explained;
    std::vector<ImageDifference> m_found;
};

Phrase Shown(const std::string& text) {
    return text.empty() ? Phrase::Of(QT_TRANSLATE_NOOP("radio", "(empty)")) : Phrase::Text(text);
}

// "channel 12, Tx Tone", "option Squelch Level", "Band Limits", "channel 20, bytes 0x0140".
Phrase Subject(const ImageDifference& d) {
    switch (d.area) {
        case DiffArea::Option:
            return Phrase::Of(QT_TRANSLATE_NOOP("radio", "option %1"), d.field);
        case DiffArea::Band:
            return Phrase::Text(d.field);
        case DiffArea::Channel:
        case DiffArea::Bytes:
            break;
    }
    return d.record >= 0 ? Phrase::Of(QT_TRANSLATE_NOOP("radio", "channel %1, %2"),
                                      ChannelLabel(d.record), d.field)
                         : Phrase::Text(d.field);
}

Phrase VerifyDifferencePhrase(const ImageDifference& d) {
    return Phrase::Of(QT_TRANSLATE_NOOP("radio", "%1: wrote %2, the radio holds %3"), Subject(d),
                      Shown(d.before), Shown(d.after));
}

}  // namespace

std::vector<ImageDifference> DiffImages(const RadioImage& a, const RadioImage& b, Language lang) {
    if (a == b) return {};
    return Differ(a, b, lang).Run();
}

std::vector<ImageDifference> VerifyWrittenImage(const RadioImage& written,
                                                const RadioImage& readBack, Language lang) {
    RadioImage compared = readBack;
    const std::size_t sentEnd = clone::kBandAddress + clone::kBandSize;
    for (std::size_t at = sentEnd; at < kImageSize; ++at) compared[at] = written[at];
    return DiffImages(written, compared, lang);
}

std::string ChannelLabel(int record) {
    if (record < 0 || record >= kChannelCount) return {};
    return record == 0 ? "Pr" : std::to_string(record);
}

std::string FormatDifference(const ImageDifference& d) {
    std::string where;
    switch (d.area) {
        case DiffArea::Channel:
            where = ChannelLabel(d.record);
            break;
        case DiffArea::Option:
            where = "option";
            break;
        case DiffArea::Band:
            where = "band";
            break;
        case DiffArea::Bytes:
            where = d.record >= 0 ? ChannelLabel(d.record) : "other";
            break;
    }
    return where + "  " + d.field + "  " + Shown(d.before).English() + " -> " +
           Shown(d.after).English();
}

std::string DescribeVerifyDifference(const ImageDifference& d) {
    return VerifyDifferencePhrase(d).English();
}

Phrase VerifyReportPhrase(const std::vector<ImageDifference>& differences, std::size_t limit) {
    if (differences.empty())
        return Phrase::Of(QT_TRANSLATE_NOOP("radio", "Verified: the radio holds what was written"));
    std::vector<Phrase> lines;
    lines.push_back(
        differences.size() == 1
            ? Phrase::Of(QT_TRANSLATE_NOOP(
                  "radio",
                  "Verify failed: the radio does not hold what was written (1 difference)"))
            : Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                           "Verify failed: the radio does not hold what was "
                                           "written (%1 differences)"),
                         differences.size()));
    for (std::size_t i = 0; i < differences.size() && i < limit; ++i)
        lines.push_back(VerifyDifferencePhrase(differences[i]));
    if (differences.size() > limit)
        lines.push_back(
            Phrase::Of(QT_TRANSLATE_NOOP("radio", "... and %1 more"), differences.size() - limit));
    return Phrase::Join(std::move(lines), "\n");
}

std::string VerifyReport(const std::vector<ImageDifference>& differences, std::size_t limit) {
    return VerifyReportPhrase(differences, limit).English();
}

}  // namespace radio
