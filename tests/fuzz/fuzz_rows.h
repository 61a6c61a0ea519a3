#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/edit_rules.h"
#include "tests/fuzz/fuzz_check.h"

namespace radio::fuzz {

// Checks what the cell rule promises about a row after any edit: frequencies in band, on
// step and in the grid's form; list columns hold entries of the grid's language; names are
// radio names; and the row stores and reads back exactly as shown.
inline void CheckRowIsStorable(const ChannelGrid& grid, int row) {
    const Language lang = grid.language();
    const ChannelTexts texts = grid.RowTexts(row);
    // A cell still showing what was decoded holds the file's own bytes: only edits must obey.
    auto decoded = [&](int col) {
        const RowOrigin* origin = grid.Origin(row);
        return origin && origin->texts[static_cast<std::size_t>(col - 1)] ==
                             texts[static_cast<std::size_t>(col - 1)];
    };
    for (int col : {kColRxFreq, kColTxFreq}) {
        const std::string& text = texts[static_cast<std::size_t>(col - 1)];
        if (text.empty() || decoded(col)) continue;
        const std::int64_t units = FrequencyUnits(text);
        FUZZ_CHECK(FrequencyInBands(units), "a stored frequency is in band");
        FUZZ_CHECK(FrequencyOnStep(units), "a stored frequency is on step");
        FUZZ_CHECK(text == FrequencyUnitsToText(units), "a stored frequency is in standard form");
        FUZZ_CHECK(text.size() == 9 && text[3] == '.', "a frequency reads ddd.ddddd");
    }
    if (!grid.InUse(row)) return;
    for (int col = kColRxTone; col <= kColBandwidth; ++col) {
        const std::string& text = texts[static_cast<std::size_t>(col - 1)];
        const std::vector<std::string> items = ColumnItems(col, lang);
        FUZZ_CHECK(decoded(col) || std::ranges::find(items, text) != items.end(),
                   "an edited list cell holds an entry");
    }
    std::string name = texts[kColName - 1];
    FUZZ_CHECK(decoded(kColName) || !CheckRadioName(name, offset::kNameSize),
               "an edited name is a radio name");

    RadioImage image = RadioImage::Blank();
    if (const RowOrigin* origin = grid.Origin(row)) {
        std::ranges::copy(origin->record, image.Record(row - 1).begin());
        std::ranges::copy(origin->name, image.NameBytes(row - 1).begin());
    }
    FUZZ_CHECK(EncodeGridRow(grid, row, image) == 0, "every edited text is stored");
    FUZZ_CHECK(DecodeChannelRow(image, row - 1, lang) == texts, "the file holds what is shown");
}

}  // namespace radio::fuzz
