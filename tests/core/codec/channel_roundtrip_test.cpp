#include <gtest/gtest.h>

#include <random>

#include "core/codec/channel_codec.h"

namespace radio {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RecordOf(const RadioImage& image, int record) {
    const auto r = image.Record(record);
    return {r.begin(), r.end()};
}

Bytes NameOf(const RadioImage& image, int record) {
    const auto n = image.NameBytes(record);
    return {n.begin(), n.end()};
}

// Offsets of the bytes a save may change when only `record` was edited.
bool InRecordOrName(std::size_t offset, int record) {
    const std::size_t r = static_cast<std::size_t>(record);
    const std::size_t rec = offset::kChannelTable + r * offset::kRecordSize;
    const std::size_t name = offset::kChannelNames + r * offset::kNameSize;
    return (offset >= rec && offset < rec + offset::kRecordSize) ||
           (offset >= name && offset < name + offset::kNameSize);
}

// Saves as the programs do: the grid encoded into the image it was decoded from.
RadioImage Saved(const ChannelGrid& grid, RadioImage image) {
    EXPECT_EQ(EncodeGridToImage(grid, image), 0);
    return image;
}

// A well-formed channel: 146.52500 / 146.52500, 67.0 / D023N, High Lock Yes Wide, "AB".
const Bytes kGood = {0x00, 0x25, 0x65, 0x14, 0x00, 0x25, 0x65, 0x14,
                     0x70, 0x06, 0x23, 0x80, 0xEE, 0x12, 0x34, 0x56};
const Bytes kGoodName = {0x0A, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

Bytes With(Bytes bytes, std::initializer_list<std::pair<int, std::uint8_t>> changes) {
    for (const auto& [k, v] : changes) bytes.at(static_cast<std::size_t>(k)) = v;
    return bytes;
}

struct OddCase {
    const char* what;
    Bytes record, name;
    int shownCol;       // the column whose text cannot give its bytes back
    std::string shown;  // what that column shows
};

// Records whose bytes the grid cannot show exactly. Saving must not change them, neither
// untouched nor when another field of the same row, or another row, is edited.
TEST(UntouchedRows, KeepBytesTheTextsCannotShow) {
    const std::vector<OddCase> cases = {
        {"power code 11", With(kGood, {{12, 0xFE}}), kGoodName, kColPower, ""},
        {"rx digits above 9", With(kGood, {{0, 0xFF}, {1, 0xFF}, {2, 0xFF}, {3, 0xFE}}), kGoodName,
         kColRxFreq, "1656.66665"},
        {"tx tone FF FE", With(kGood, {{10, 0xFF}, {11, 0xFE}}), kGoodName, kColTxTone, "D6365I"},
        {"rx tone 00 23", With(kGood, {{8, 0x23}, {9, 0x00}}), kGoodName, kColRxTone, "None"},
        {"tx 00 with stray digits", With(kGood, {{4, 0x12}, {5, 0x34}, {6, 0x56}, {7, 0x00}}),
         kGoodName, kColTxFreq, ""},
        {"name with a gap", kGood, {0x0A, 0x25, 0x0B, 0x0C, 0xFF, 0xFF, 0x01, 0x02}, kColName, "A"},
        {"name of 8", kGood, {1, 2, 3, 4, 5, 6, 7, 8}, kColName, "12345678"},
    };
    for (const OddCase& c : cases) {
        RadioImage image = RadioImage::Blank();
        std::ranges::copy(c.record, image.Record(7).begin());
        std::ranges::copy(c.name, image.NameBytes(7).begin());
        std::ranges::copy(kGood, image.Record(8).begin());
        ChannelGrid grid;
        DecodeImageToGrid(image, grid, Language::English);
        ASSERT_EQ(grid.Text(8, c.shownCol), c.shown) << c.what;

        EXPECT_EQ(Saved(grid, image), image) << c.what << ": save without edits";

        // Another row edited: only that row's bytes change.
        ChannelGrid other = grid;
        ASSERT_EQ(CommitCellEdit(other, 9, kColPower, "Low", Language::English),
                  CommitResult::Accepted);
        const RadioImage afterOther = Saved(other, image);
        for (std::size_t off = 0; off < kImageSize; ++off) {
            if (!InRecordOrName(off, 8)) {
                ASSERT_EQ(afterOther[off], image[off]) << c.what << off;
            }
        }
        EXPECT_EQ(DecodeChannelRow(afterOther, 8, Language::English)[4], "Low") << c.what;

        // Another field of the same row edited: the odd field keeps its bytes, and a second
        // save of the reopened file changes nothing more.
        ChannelGrid same = grid;
        const int editCol = c.shownCol == kColLock ? kColScanAdd : kColLock;
        ASSERT_EQ(CommitCellEdit(same, 8, editCol, "Unlock", Language::English),
                  CommitResult::Accepted);
        const RadioImage first = Saved(same, image);
        EXPECT_EQ(RecordOf(first, 7)[12] & 0x08, 0) << c.what << ": the edit is stored";
        EXPECT_EQ(With(RecordOf(first, 7), {{12, c.record[12]}}), c.record) << c.what;
        EXPECT_EQ(RecordOf(first, 7)[12], c.record[12] & ~0x08) << c.what;
        EXPECT_EQ(NameOf(first, 7), c.name) << c.what;
        ChannelGrid reopened;
        DecodeImageToGrid(first, reopened, Language::English);
        EXPECT_EQ(Saved(reopened, first), first) << c.what << ": second save";
    }
}

// Any 8192 bytes: open + save without edits is byte-identical; one cell edited changes that
// record and its name only, and the result is a fixed point of the next open + save.
TEST(UntouchedRows, RandomImagesSaveUnchangedAndEditsStayInTheirRow) {
    std::mt19937 rng(20240601);
    for (int n = 0; n < 150; ++n) {
        const Language lang = n % 2 ? Language::Chinese : Language::English;
        RadioImage image;
        for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
        ChannelGrid grid(lang);
        DecodeImageToGrid(image, grid, lang);
        ASSERT_EQ(Saved(grid, image), image) << "image " << n;

        const int row = 1 + static_cast<int>(rng() % kChannelCount);
        const int col = kColRxFreq + static_cast<int>(rng() % kChannelColumns);
        const std::vector<std::string> items = ColumnItems(col, lang);
        const std::string text = col <= kColTxFreq ? "438.5"
                                 : col == kColName ? "Z9"
                                                   : items[rng() % items.size()];
        ASSERT_EQ(CommitCellEdit(grid, row, col, text, lang), CommitResult::Accepted);
        const RadioImage edited = Saved(grid, image);
        for (std::size_t off = 0; off < kImageSize; ++off) {
            if (!InRecordOrName(off, row - 1)) {
                ASSERT_EQ(edited[off], image[off]) << "image " << n << " offset " << off;
            }
        }
        // What the grid shows is what the file now holds.
        EXPECT_EQ(DecodeChannelRow(edited, row - 1, lang), grid.RowTexts(row)) << "image " << n;
        ChannelGrid reopened(lang);
        DecodeImageToGrid(edited, reopened, lang);
        ASSERT_EQ(Saved(reopened, edited), edited) << "image " << n;
    }
}

// Undo puts a row's earlier texts back (or a whole copy of the grid): the row is untouched
// again and gets its own bytes, not an encoding of its texts.
TEST(UntouchedRows, PuttingTheTextsBackMakesARowUntouchedAgain) {
    RadioImage image = RadioImage::Blank();
    std::ranges::copy(With(kGood, {{12, 0xFE}}), image.Record(3).begin());
    ChannelGrid grid;
    DecodeImageToGrid(image, grid, Language::English);
    const ChannelGrid snapshot = grid;
    const ChannelTexts before = grid.RowTexts(4);
    ASSERT_TRUE(grid.Untouched(4));

    ASSERT_EQ(CommitCellEdit(grid, 4, kColPower, "High", Language::English),
              CommitResult::Accepted);
    EXPECT_FALSE(grid.Untouched(4));
    EXPECT_NE(Saved(grid, image), image);

    grid.SetRowTexts(4, before);
    EXPECT_TRUE(grid.Untouched(4));
    EXPECT_EQ(Saved(grid, image), image);

    ASSERT_EQ(CommitCellEdit(grid, 4, kColRxFreq, "", Language::English), CommitResult::Accepted);
    grid = snapshot;
    EXPECT_EQ(Saved(grid, image), image);
}

// A text set around CommitCellEdit that the record cannot hold keeps that field's bytes and is
// counted; it is never wrapped into another value (1656.66665 MHz into 56.66665).
TEST(EncodeRow, NeverWrapsAValueItCannotHold) {
    const std::vector<std::pair<int, std::string>> cases = {
        {kColRxFreq, "1656.66665"}, {kColTxFreq, "99999.99"}, {kColTxFreq, "-146.52"},
        {kColRxTone, "D9999N"},     {kColTxTone, "900.0"},
    };
    for (const auto& [col, text] : cases) {
        RadioImage image = RadioImage::Blank();
        std::ranges::copy(kGood, image.Record(0).begin());
        ChannelTexts texts = DecodeChannelRow(image, 0, Language::English);
        texts[static_cast<std::size_t>(col - 1)] = text;
        RadioImage encoded = image;
        EXPECT_EQ(EncodeChannelRow(texts, encoded, 0), 1) << text;
        EXPECT_EQ(RecordOf(encoded, 0), kGood) << text;
    }
}

}  // namespace
}  // namespace radio
