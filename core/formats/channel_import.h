#pragma once

#include <vector>

#include "core/codec/channel_grid.h"
#include "core/formats/channel_list.h"

namespace radio {

struct ImportOptions {
    // Replace (false): rows the file does not list become empty. Merge (true): only the
    // locations of the file change.
    bool merge = false;
    // 0: each channel goes to the row of its location. Otherwise the grid row (1-200, 1 is
    // Pr) the file's lowest channel goes to; the others keep their distance to it.
    int startRow = 0;
};

struct ImportResult {
    ChannelGrid grid;                     // the channel table after the import
    std::vector<ImportFinding> findings;  // in file order, with the rows their channels went to
    std::vector<int> changedRows;         // grid rows whose texts differ from before
    int stored = 0;                       // channels of the file that found a row
    int skipped = 0;  // records of the file with a channel that is not taken (see findings)
    // An import must take something: when no channel of the file is stored, why not ("the
    // file lists no channels", "frequencies look like Hz: 146520000"), and `grid` is
    // `current` unchanged. Empty when something was taken.
    std::string nothingImported;
    std::vector<int> importedRows;  // the grid rows the stored channels went to, ascending
    Phrase nothingImportedPhrase;   // `nothingImported` to be translated
    // Everything of the file was taken, or left out on purpose (empty locations).
    bool Complete() const { return nothingImported.empty() && skipped == 0; }
};

// Puts the channels of `list` into a copy of `current`, in the grid's language. Whoever
// shows the result refuses it when `nothingImported` is set and says when it is not
// Complete().
ImportResult ApplyImport(const ChannelGrid& current, const ChannelList& list,
                         const ImportOptions& options);

// A finding as users read it after an import: about a channel moved to another row, it names
// the grid's channel first and the file's own location in brackets ("channel 112 (file
// location 12): tone 69.4 ..."); any other finding as the file reader wrote it.
std::string ImportFindingText(const ImportFinding& finding);
// The same, for a translation.
Phrase ImportFindingPhrase(const ImportFinding& finding);

}  // namespace radio
