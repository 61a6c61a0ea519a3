// Channel lists (CSV of radio programmers, radioprog dump's listing): whatever the bytes, every
// channel an import stores obeys the grid's rules, an import that stores nothing changes
// nothing and says why, every channel left out is counted, and what an import stored exports
// and imports again unchanged and complete.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/formats/channel_import.h"
#include "core/formats/channel_list.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_rows.h"

namespace {

// The rows of a grid as texts, for comparing two imports.
bool SameChannels(const radio::ChannelGrid& a, const radio::ChannelGrid& b) {
    for (int row = 1; row < radio::ChannelGrid::kRows; ++row) {
        if (a.RowTexts(row) != b.RowTexts(row)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const radio::ChannelList list = radio::ReadChannelList(bytes);
    if (!list.status) {
        FUZZ_CHECK(list.entries.empty(), "a refused file yields no channels");
        return 0;
    }
    // The first byte picks the mode, so both replace and merge onto a filled grid are fuzzed.
    const bool merge = size > 0 && (data[0] & 1);
    const radio::Language lang =
        size > 0 && (data[0] & 2) ? radio::Language::Chinese : radio::Language::English;
    radio::ChannelGrid start(lang);
    if (merge) {
        const radio::CommitResult put =
            radio::CommitCellEdit(start, 5, radio::kColRxFreq, "146.52500", lang);
        FUZZ_CHECK(put == radio::CommitResult::Accepted, "the seed channel is accepted");
    }
    const radio::ImportResult result = radio::ApplyImport(start, list, {merge, 0});
    FUZZ_CHECK((result.stored == 0) == !result.nothingImported.empty(),
               "an import says why exactly when it takes nothing");
    if (!result.nothingImported.empty()) {
        FUZZ_CHECK(result.changedRows.empty() && SameChannels(result.grid, start),
                   "an import that takes nothing changes nothing");
    }
    int skipped = 0;
    for (const radio::ImportFinding& f : result.findings) skipped += f.rowSkipped ? 1 : 0;
    FUZZ_CHECK(skipped == result.skipped, "every channel left out is counted");
    for (int row : result.changedRows) {
        FUZZ_CHECK(row >= 1 && row < radio::ChannelGrid::kRows, "changed rows lie in the grid");
    }
    for (int row = 1; row < radio::ChannelGrid::kRows; ++row) {
        radio::fuzz::CheckRowIsStorable(result.grid, row);
    }

    // Export what was stored and import it into a blank grid: nothing is lost either way.
    for (const bool csv : {true, false}) {
        const std::string out =
            csv ? radio::WriteChannelCsv(result.grid) : radio::WriteChannelTsv(result.grid);
        const radio::ChannelList again = radio::ReadChannelList(out);
        FUZZ_CHECK(again.status.ok, "an export reads back");
        const radio::ImportResult back = radio::ApplyImport(radio::ChannelGrid(lang), again, {});
        FUZZ_CHECK(SameChannels(back.grid, result.grid), "export then import keeps every channel");
        FUZZ_CHECK(back.findings.empty(), "an export of stored channels imports without findings");
        bool any = false;
        for (int row = 1; row < radio::ChannelGrid::kRows; ++row) any = any || back.grid.InUse(row);
        FUZZ_CHECK(!any || back.Complete(), "an export of stored channels imports complete");
    }
    return 0;
}
