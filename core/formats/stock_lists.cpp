#include "core/formats/stock_lists.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/formats/delimited_text.h"

namespace radio {

namespace {

namespace fs = std::filesystem;

// Calls `line` with each line of `bytes` (without its end) and its offset.
template <typename Fn>
void ForEachLine(std::string_view bytes, Fn line) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view text = bytes.substr(start, end - start);
        if (text.ends_with('\r')) text.remove_suffix(1);
        line(text, start);
        start = end + 1;
    }
}

}  // namespace

void ReadStockNotes(std::string_view bytes, StockList& list) {
    ForEachLine(bytes, [&](std::string_view text, std::size_t) {
        if (!text.starts_with('#')) return;
        const std::string_view note = TrimBlanks(text.substr(1));
        if (note.starts_with("Source:"))
            list.source = std::string(TrimBlanks(note.substr(7)));
        else if (list.description.empty())
            list.description = std::string(note);
    });
}

std::vector<StockList> FindStockLists(const std::vector<std::string>& dataFolders) {
    std::map<std::string, StockList> found;
    for (const std::string& folder : dataFolders) {
        std::error_code ec;
        const fs::path dir = fs::path(folder) / kStockFolderName;
        for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
            if (!e.is_regular_file(ec) || e.path().extension() != ".csv") continue;
            StockList list;
            list.name = e.path().stem().string();
            if (found.contains(list.name)) continue;
            list.path = e.path().string();
            // The notes stand at the top; a few KB hold them.
            std::ifstream in(e.path(), std::ios::binary);
            std::string head(4096, '\0');
            in.read(head.data(), static_cast<std::streamsize>(head.size()));
            head.resize(static_cast<std::size_t>(in.gcount()));
            ReadStockNotes(head, list);
            found.emplace(list.name, std::move(list));
        }
    }
    std::vector<StockList> lists;
    for (auto& [name, list] : found) lists.push_back(std::move(list));
    return lists;
}

ChannelList ReadStockList(std::string_view bytes) {
    // Blanking the notes keeps the line numbers findings name.
    std::string text(bytes);
    ForEachLine(bytes, [&](std::string_view line, std::size_t at) {
        if (line.starts_with('#'))
            std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(at), line.size(), ' ');
    });
    return ReadChannelCsv(text);
}

}  // namespace radio
