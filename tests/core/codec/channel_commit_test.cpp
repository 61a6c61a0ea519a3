#include <gtest/gtest.h>

#include "core/codec/channel_codec.h"

namespace radio {
namespace {

const ChannelTexts kEmpty{};
const ChannelTexts kInUse{"145.00000", "145.60000", "67.0",   "None", "Low",
                          "Unlock",    "No",        "Narrow", "RPT"};
const ChannelTexts kNew{"146.52500", "146.52500", "None", "None", "High",
                        "Lock",      "Yes",       "Wide", ""};
const ChannelTexts kNewZh{"146.52500", "146.52500", "无", "无", "高", "锁定", "有", "宽", ""};
const ChannelTexts kTxOnly{"", "146.00000", "", "", "", "", "", "", ""};

ChannelTexts Changed(ChannelTexts texts, int col, std::string text) {
    texts[col - 1] = std::move(text);
    return texts;
}

struct CommitCase {
    ChannelTexts before;
    int col;
    std::string input;
    CommitResult result;
    ChannelTexts after;
    Language lang = Language::English;
};

TEST(CommitCellEdit, AppliesTheRulesOfEachColumn) {
    using R = CommitResult;
    const std::vector<CommitCase> cases = {
        // Rx Frequency: a new channel gets the defaults, an existing one only the frequency.
        {kEmpty, 1, "146.525", R::Accepted, kNew},
        {kEmpty, 1, "146.525", R::Accepted, kNewZh, Language::Chinese},
        {kInUse, 1, "146.525", R::Accepted, Changed(kInUse, 1, "146.52500")},
        {kInUse, 1, "", R::Accepted, kEmpty},
        {kInUse, 1, "146.521", R::StepError, kInUse},
        {kInUse, 1, "146.50625", R::Accepted, Changed(kInUse, 1, "146.50625")},
        {kInUse, 1, "146.5025", R::Accepted, Changed(kInUse, 1, "146.50250")},
        {kInUse, 1, "135.99999", R::OutOfRange, kInUse},
        {kInUse, 1, "175.00001", R::OutOfRange, kInUse},
        {kInUse, 1, "300", R::OutOfRange, kInUse},
        {kInUse, 1, "abc", R::OutOfRange, kInUse},
        {kInUse, 1, " 136", R::Accepted, Changed(kInUse, 1, "136.00000")},
        {kInUse, 1, "175", R::Accepted, Changed(kInUse, 1, "175.00000")},
        {kInUse, 1, "400MHz", R::Accepted, Changed(kInUse, 1, "400.00000")},
        {kInUse, 1, "520", R::Accepted, Changed(kInUse, 1, "520.00000")},
        {kInUse, 1, "520.0025", R::OutOfRange, kInUse},
        // The stored text is the validated frequency, never a rounded-up neighbour.
        {kInUse, 1, "146.525006", R::Accepted, Changed(kInUse, 1, "146.52500")},
        {kInUse, 1, "175.000009", R::Accepted, Changed(kInUse, 1, "175.00000")},
        // A refused frequency changes nothing, in either column; on an empty row it makes none.
        {kEmpty, 1, "146.521", R::StepError, kEmpty},
        {kTxOnly, 1, "999", R::OutOfRange, kTxOnly},
        // Tx Frequency.
        {kInUse, 2, "146.525", R::Accepted, Changed(kInUse, 2, "146.52500")},
        {kInUse, 2, "", R::Accepted, Changed(kInUse, 2, "")},
        {kInUse, 2, "146.521", R::StepError, kInUse},
        {kInUse, 2, "600", R::OutOfRange, kInUse},
        {kEmpty, 2, "146.525", R::Accepted, kEmpty},
        {kEmpty, 2, "146.521", R::StepError, kEmpty},
        // Settings: list entries of either language in the grid's language, names upper-cased;
        // anything the radio cannot store is refused and the cell keeps its text.
        {kInUse, 3, "D023N", R::Accepted, Changed(kInUse, 3, "D023N")},
        {kInUse, 5, "高", R::Accepted, Changed(kInUse, 5, "High")},
        {kInUse, 5, "middle", R::Accepted, Changed(kInUse, 5, "Middle")},
        {kInUse, 6, "Lock", R::Accepted, Changed(kInUse, 6, "锁定"), Language::Chinese},
        {kInUse, 4, "D9999N", R::NotAnEntry, kInUse},
        {kInUse, 4, "900.0", R::NotAnEntry, kInUse},
        {kInUse, 5, "", R::NotAnEntry, kInUse},
        {kInUse, 8, "Wide ", R::NotAnEntry, kInUse},
        {kInUse, 9, "HOME", R::Accepted, Changed(kInUse, 9, "HOME")},
        {kInUse, 9, "ho-1_", R::Accepted, Changed(kInUse, 9, "HO-1_")},
        {kInUse, 9, "", R::Accepted, Changed(kInUse, 9, "")},
        {kInUse, 9, "A B", R::NameRefused, kInUse},
        {kInUse, 9, "abcdefgh", R::Accepted, Changed(kInUse, 9, "ABCDEFGH")},
        {kInUse, 9, "ABCDEFGHI", R::NameRefused, kInUse},
        {kInUse, 9, "信道", R::NameRefused, kInUse},
        {kEmpty, 4, "67.0", R::Accepted, kEmpty},
        {kEmpty, 5, "High", R::Accepted, kEmpty},
        {kTxOnly, 6, "Lock", R::Accepted, Changed(kTxOnly, 6, "Lock")},
        {kTxOnly, 6, "Locked", R::NotAnEntry, kTxOnly},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const CommitCase& c = cases[i];
        ChannelGrid grid(c.lang);
        grid.SetRowTexts(37, c.before);
        grid.SetRowTexts(38, kInUse);
        EXPECT_EQ(CommitCellEdit(grid, 37, c.col, c.input, c.lang), c.result) << "case " << i;
        EXPECT_EQ(grid.RowTexts(37), c.after) << "case " << i;
        EXPECT_EQ(grid.RowTexts(38), kInUse) << "case " << i;
        EXPECT_EQ(grid.Text(37, 0), " 36") << "case " << i;
    }
}

TEST(CommitCellEdit, IgnoresCellsOutsideTheChannels) {
    ChannelGrid grid;
    const ChannelGrid before = grid;
    for (auto [row, col] : {std::pair{0, 1}, {201, 1}, {5, 0}, {5, 10}, {-3, 2}})
        EXPECT_EQ(CommitCellEdit(grid, row, col, "146.525", Language::English),
                  CommitResult::Accepted);
    for (int row = 0; row < ChannelGrid::kRows; ++row)
        EXPECT_EQ(grid.RowTexts(row), before.RowTexts(row));
}

// A new channel typed into a blank image reaches the record as the radio stores it.
TEST(CommitCellEdit, NewChannelEncodesIntoTheBlankImage) {
    const RadioImage blank = RadioImage::Blank();
    for (Language lang : {Language::English, Language::Chinese}) {
        ChannelGrid grid(lang);
        DecodeImageToGrid(blank, grid, lang);
        ASSERT_EQ(CommitCellEdit(grid, 2, kColRxFreq, "146.525", lang), CommitResult::Accepted);
        RadioImage image = blank;
        EncodeGridToImage(grid, image);
        RadioImage expected = blank;
        const std::uint8_t record1[] = {0x00, 0x25, 0x65, 0x14, 0x00, 0x25, 0x65,
                                        0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF};
        std::copy(std::begin(record1), std::end(record1), expected.Record(1).begin());
        EXPECT_EQ(image, expected);

        // A refused frequency leaves the channel, and so its bytes, as they were.
        EXPECT_EQ(CommitCellEdit(grid, 2, kColRxFreq, "146.521", lang), CommitResult::StepError);
        RadioImage again = blank;
        EncodeGridToImage(grid, again);
        EXPECT_EQ(again, expected);
    }
}

}  // namespace
}  // namespace radio
