// The cell-edit rule: any text typed into any column of an empty and of a used channel.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_rows.h"

using namespace radio;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Language lang = data[0] & 1 ? Language::Chinese : Language::English;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    ChannelGrid start(lang);
    ChannelTexts used = {"145.00000", "145.60000", "67.0",   "D023N", "Low",
                         "Unlock",    "No",        "Narrow", "RPT"};
    if (lang == Language::Chinese) {
        for (int col = kColRxTone; col <= kColBandwidth; ++col)
            used[col - 1] = *ResolveListEntry(col, used[col - 1], lang);
    }
    start.SetRowTexts(3, used);

    for (int row : {2, 3}) {
        for (int col = kColRxFreq; col <= kColName; ++col) {
            ChannelGrid grid = start;
            const ChannelTexts before = grid.RowTexts(row);
            const CommitResult result = CommitCellEdit(grid, row, col, text, lang);
            const ChannelTexts after = grid.RowTexts(row);
            if (result != CommitResult::Accepted)
                FUZZ_CHECK(after == before, "a refused entry leaves the row as it was");
            for (int other = 1; other <= kChannelCount; ++other) {
                if (other != row)
                    FUZZ_CHECK(grid.RowTexts(other) == start.RowTexts(other), "other rows stay");
            }
            fuzz::CheckRowIsStorable(grid, row);
        }
    }
    return 0;
}
