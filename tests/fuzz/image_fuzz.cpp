// Channel decode and encode: any 8192 bytes, saved untouched and after edits.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_rows.h"

using namespace radio;

namespace {

// The input's bytes, repeated to fill an image (all 0xFF for an empty input).
RadioImage ImageFrom(const std::uint8_t* data, std::size_t size) {
    RadioImage image;
    for (std::size_t i = 0; size > 0 && i < kImageSize; ++i) image[i] = data[i % size];
    return image;
}

// An edit's text from the input: mostly entries and frequencies, sometimes raw bytes.
std::string TextFor(int col, Language lang, std::uint8_t pick, std::uint8_t a, std::uint8_t b) {
    if (pick % 4 == 0) return std::string(1, static_cast<char>(a)) + static_cast<char>(b);
    if (col == kColRxFreq || col == kColTxFreq) {
        const int base = pick % 2 ? 136 : 400;
        return std::to_string(base + a % 120) + "." + std::to_string(b * 25);
    }
    if (col == kColName)
        return std::string(1, static_cast<char>('A' + a % 26)) + "-" + std::to_string(b % 10);
    const std::vector<std::string> items = ColumnItems(col, lang);
    return items[(a * 256u + b) % items.size()];
}

bool InRecordOrName(std::size_t offset, const std::set<int>& records) {
    for (int r : records) {
        const std::size_t rec = static_cast<std::size_t>(r) * offset::kRecordSize;
        const std::size_t name =
            offset::kChannelNames + static_cast<std::size_t>(r) * offset::kNameSize;
        if ((offset >= rec && offset < rec + offset::kRecordSize) ||
            (offset >= name && offset < name + offset::kNameSize))
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RadioImage original = ImageFrom(data, size);
    const Language lang = size > 0 && data[0] & 1 ? Language::Chinese : Language::English;
    ChannelGrid grid(lang);
    DecodeImageToGrid(original, grid, lang);

    RadioImage saved = original;
    FUZZ_CHECK(EncodeGridToImage(grid, saved) == 0, "an untouched grid stores");
    FUZZ_CHECK(saved == original, "open + save without edits keeps every byte");

    // Up to eight edits taken from the end of the input.
    std::set<int> edited;
    for (std::size_t k = 0; k < 8 && size >= 5 * (k + 1); ++k) {
        const std::uint8_t* e = data + size - 5 * (k + 1);
        const int row = 1 + e[0] % kChannelCount;
        const int col = kColRxFreq + e[1] % kChannelColumns;
        (void)CommitCellEdit(grid, row, col, TextFor(col, lang, e[2], e[3], e[4]), lang);
        edited.insert(row - 1);
    }
    RadioImage first = original;
    FUZZ_CHECK(EncodeGridToImage(grid, first) == 0, "every committed text stores");
    for (std::size_t off = 0; off < kImageSize; ++off) {
        if (!InRecordOrName(off, edited))
            FUZZ_CHECK(first[off] == original[off], "edits stay in their rows");
    }
    for (int record : edited) fuzz::CheckRowIsStorable(grid, record + 1);

    // Reopening what was saved and saving again changes nothing.
    ChannelGrid reopened(lang);
    DecodeImageToGrid(first, reopened, lang);
    for (int record : edited)
        FUZZ_CHECK(reopened.RowTexts(record + 1) == grid.RowTexts(record + 1),
                   "the file holds what was shown");
    RadioImage second = first;
    FUZZ_CHECK(EncodeGridToImage(reopened, second) == 0 && second == first,
               "decode, encode is stable");
    return 0;
}
