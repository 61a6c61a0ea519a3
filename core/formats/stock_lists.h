#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/formats/channel_list.h"

// Stock lists: channel lists shipped with the programs (PMR446, weather, marine ...), CSV files
// in the common layout under "stock/" of the data folders. Lines starting with '#' are notes:
// the first one describes the list, one starting "# Source:" names where its frequencies come
// from.
namespace radio {

inline constexpr std::string_view kStockFolderName = "stock";

struct StockList {
    std::string name;  // the file name without ".csv": "pmr446"
    std::string description;
    std::string source;
    std::string path;
};

// The note lines of a stock file.
void ReadStockNotes(std::string_view bytes, StockList& list);

// The lists of the "stock" folder of each of `dataFolders`, by name; a name found in an
// earlier folder hides the same name in a later one (the build folder before the
// installation's).
std::vector<StockList> FindStockLists(const std::vector<std::string>& dataFolders);

// The channels of a stock file: its notes are left out, line numbers stay those of the file.
ChannelList ReadStockList(std::string_view bytes);

}  // namespace radio
