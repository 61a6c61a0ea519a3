// How long exporting and importing a full table of 200 channels takes, through the CSV layout
// and dump's listing. A user waits for the import preview; it should feel instant (well under
// 100 ms). Run by hand: channel_list_speed
#include <chrono>
#include <cstdio>
#include <string>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/tone_table.h"
#include "core/formats/channel_import.h"
#include "core/formats/channel_list.h"

namespace {

using namespace radio;
using SteadyClock = std::chrono::steady_clock;

// Every row in use, each with a cross tone, a split and a name: the most work per channel.
ChannelGrid FullTable() {
    ChannelGrid grid;
    const std::vector<std::string> tones = BuildToneTable(Language::English);
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        const auto units = kBand1Low + 2500 * row;
        (void)CommitCellEdit(grid, row, kColRxFreq, FrequencyUnitsToText(units), Language::English);
        (void)CommitCellEdit(grid, row, kColTxFreq, FrequencyUnitsToText(kBand2Low + 2500 * row),
                             Language::English);
        (void)CommitCellEdit(grid, row, kColRxTone, tones[1 + row % 260], Language::English);
        (void)CommitCellEdit(grid, row, kColTxTone, tones[1 + (row * 7) % 260], Language::English);
        (void)CommitCellEdit(grid, row, kColName, "CH" + std::to_string(row), Language::English);
    }
    return grid;
}

template <typename Fn>
double MillisecondsPerRun(int runs, Fn&& fn) {
    const auto start = SteadyClock::now();
    for (int i = 0; i < runs; ++i) fn();
    const std::chrono::duration<double, std::milli> took = SteadyClock::now() - start;
    return took.count() / runs;
}

}  // namespace

int main() {
    const ChannelGrid grid = FullTable();
    constexpr int kRuns = 50;
    std::size_t sink = 0;
    for (const char* format : {"CSV", "TSV"}) {
        const bool csv = std::string(format) == "CSV";
        const std::string text = csv ? WriteChannelCsv(grid) : WriteChannelTsv(grid);
        const double write = MillisecondsPerRun(
            kRuns, [&] { sink += (csv ? WriteChannelCsv(grid) : WriteChannelTsv(grid)).size(); });
        const double read = MillisecondsPerRun(kRuns, [&] {
            const ImportResult r = ApplyImport(ChannelGrid(), ReadChannelList(text), {});
            sink += r.changedRows.size() + r.findings.size();
        });
        std::printf("%s: %zu bytes; export %.2f ms, import (read, rules, preview rows) %.2f ms\n",
                    format, text.size(), write, read);
    }
    return sink == 0 ? 1 : 0;
}
