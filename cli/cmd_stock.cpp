#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/formats/stock_lists.h"
#include "qt/data_paths.h"

namespace radio::cli {

int RunStock(Context& ctx) {
    if (!ctx.args.empty()) return UsageError(ctx, "stock", "stock takes no arguments");
    const std::vector<StockList> lists = FindStockLists(DataFolders());
    if (lists.empty()) {
        std::string folders;
        for (const std::string& f : DataFolders())
            folders += (folders.empty() ? "" : ", ") + f + "/" + std::string(kStockFolderName);
        Error(ctx, "no stock lists found (looked in " + folders + ")");
        return kExitRefused;
    }
    for (const StockList& l : lists) ctx.out << l.name << '\t' << l.description << '\n';
    return FinishOutput(ctx);
}

}  // namespace radio::cli
