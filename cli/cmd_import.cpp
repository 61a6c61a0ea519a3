#include <iostream>
#include <optional>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/formats/channel_import.h"
#include "core/formats/column_map.h"
#include "core/formats/stock_lists.h"
#include "core/image/atomic_file.h"
#include "qt/data_paths.h"

namespace radio::cli {

namespace {

struct ImportArgs {
    std::string image, list;
    ImportOptions options;
    bool dryRun = false;
    bool truncate = false;
    std::string stock;               // --stock NAME: a stock list instead of IN.csv
    std::optional<std::string> map;  // --map TEXT, or "guess"
};

// "--name VALUE" or "--name=VALUE" at args[i]; false when `a` is not that option.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
               std::string& value, std::string& problem) {
    const std::string& a = args[i];
    if (a == name) {
        if (i + 1 >= args.size()) {
            problem = std::string(name) + " needs a value";
        } else {
            value = args[++i];
        }
        return true;
    }
    if (a.starts_with(std::string(name) + "=")) {
        value = a.substr(name.size() + 1);
        return true;
    }
    return false;
}

// Options may stand anywhere after the command; returns the problem, or "" when all is well.
std::string ParseImportArgs(const std::vector<std::string>& args, ImportArgs& out) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value, problem;
        if (TakeValue(args, i, "--stock", value, problem)) {
            if (!problem.empty()) return problem + " (radioprog stock lists them)";
            out.stock = value;
        } else if (TakeValue(args, i, "--map", value, problem)) {
            if (!problem.empty()) return problem + ": FIELD=COLUMN,... or guess";
            out.map = value;
        } else if (a == "--merge") {
            out.options.merge = true;
        } else if (a == "--dry-run") {
            out.dryRun = true;
        } else if (a == "--truncate") {
            out.truncate = true;
        } else if (a == "--start" || a.starts_with("--start=")) {
            std::string value = a.size() > 7 ? a.substr(8) : "";
            if (a == "--start") {
                if (i + 1 >= args.size()) return "--start needs a ROW";
                value = args[++i];
            }
            const auto row = ParseIndex(value);
            if (!row || *row < 1 || *row > kChannelCount)
                return "--start takes a ROW 1-200 (1 is the channel Pr), not '" + value + "'";
            out.options.startRow = *row;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else {
            files.push_back(a);
        }
    }
    if (!out.stock.empty()) {
        if (out.map) return "--map reads IN.csv, --stock a stock list: give one of them";
        if (files.size() != 1) return "import --stock NAME takes FILE.dat alone";
        out.image = files[0];
        return {};
    }
    if (files.size() != 2) return "import takes FILE.dat and IN.csv (- for standard input)";
    out.image = files[0];
    out.list = files[1];
    return {};
}

// At most one byte past the limit is read, so an oversized input is seen without loading it.
bool ReadList(Context& ctx, const std::string& path, std::string& bytes) {
    if (path == "-") {
        std::string chunk(64 * 1024, '\0');
        while (bytes.size() <= kMaxChannelListBytes &&
               std::cin.read(chunk.data(), static_cast<std::streamsize>(chunk.size())).gcount() > 0)
            bytes.append(chunk.data(), static_cast<std::size_t>(std::cin.gcount()));
        if (std::cin.bad()) {
            Error(ctx, "cannot read the standard input");
            return false;
        }
        return true;
    }
    const Status status = ReadFilePrefix(path, kMaxChannelListBytes + 1, bytes);
    if (!status) Error(ctx, status.message);
    return status.ok;
}

// "1 row", "2 rows".
std::string Count(std::size_t n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// --map guess: the map as --map takes it, then the first channels as they would land.
int PrintGuess(Context& ctx, const ColumnMap& map, const DelimitedTable& table,
               const ImportResult& result) {
    ctx.out << "map: " << ColumnMapText(map, table.header.fields) << "\n";
    ctx.out << ChannelGrid::Heading(0, ctx.lang);
    for (int col = 1; col <= kChannelColumns; ++col)
        ctx.out << '\t' << ChannelGrid::Heading(col, ctx.lang);
    ctx.out << '\n';
    constexpr std::size_t kPreviewRows = 10;
    for (std::size_t i = 0; i < result.importedRows.size() && i < kPreviewRows; ++i) {
        const int row = result.importedRows[i];
        ctx.out << TrimBlanks(ChannelGrid::RowLabel(row));
        for (int col = 1; col <= kChannelColumns; ++col)
            ctx.out << '\t' << result.grid.Text(row, col);
        ctx.out << '\n';
    }
    Error(ctx, "map guess: " + Count(result.importedRows.size(), "channel") +
                   " would be imported; nothing written");
    return FinishOutput(ctx);
}

}  // namespace

int RunImport(Context& ctx) {
    ImportArgs args;
    if (std::string problem = ParseImportArgs(ctx.args, args); !problem.empty())
        return UsageError(ctx, "import", problem);
    std::string shownName = args.list == "-" ? "<stdin>" : args.list;
    std::optional<StockList> stock;
    if (!args.stock.empty()) {
        for (StockList& l : FindStockLists(DataFolders()))
            if (l.name == args.stock) stock = std::move(l);
        if (!stock) {
            std::string names;
            for (const StockList& l : FindStockLists(DataFolders()))
                names += (names.empty() ? "" : ", ") + l.name;
            return UsageError(ctx, "import",
                              "no stock list '" + args.stock + "' (there are: " +
                                  (names.empty() ? std::string("none installed") : names) + ")");
        }
        args.list = stock->path;
        shownName = args.stock;
    }

    if (!stock && RefuseOutputOverInput(ctx, args.image, args.list)) return kExitRefused;
    RadioImage image;
    OpenedFile file;
    const bool writes = !args.dryRun && !(args.map && *args.map == "guess");
    if (!writes) {
        if (!LoadImage(ctx, args.image, image)) return kExitUsage;  // saves nothing: no lock
    } else if (const int status = OpenForChange(ctx, args.image, image, file); status != kExitOk) {
        return status;
    }
    std::string bytes;
    if (!ReadList(ctx, args.list, bytes)) return kExitUsage;
    if (bytes.size() > kMaxChannelListBytes) {
        Error(ctx, shownName + " is larger than " +
                       std::to_string(kMaxChannelListBytes / (1024 * 1024)) +
                       " MB, far more than a channel list; " + args.image + " is unchanged");
        return kExitRefused;
    }
    const DelimitedTable table = ReadDelimitedTable(bytes);
    ColumnMap map;
    if (args.map && table.status) {
        if (*args.map == "guess") {
            map = GuessColumnMap(table.header.fields);
        } else if (Status st = ParseColumnMap(*args.map, table.header.fields, map); !st) {
            return UsageError(ctx, "import", "--map: " + st.message);
        }
    }
    const ChannelList list = stock      ? ReadStockList(bytes)
                             : args.map ? ReadMappedList(table, map)
                                        : ReadChannelList(bytes);
    if (!list.status) {
        Error(ctx, shownName + ": " + list.status.message + "; " + args.image + " is unchanged");
        // Columns named anything are read through a map.
        if (!args.map && !stock && table.status && ShapeOfHeader(table) == HeaderShape::Unknown)
            Error(ctx,
                  "name its columns with --map \"rx=COLUMN,tx=COLUMN,...\" (fields: "
                  "loc, rx, tx, offset, duplex, txtone, rxtone, dcs, power, bandwidth, mode, "
                  "scan, name), or see a guess with --map guess");
        return kExitRefused;
    }

    ChannelGrid grid(ctx.lang);
    DecodeImageToGrid(image, grid, ctx.lang);
    const ImportResult result = ApplyImport(grid, list, args.options);
    for (const ImportFinding& f : result.findings)
        ctx.err << shownName << ":" << f.line << ": " << ImportFindingText(f) << "\n";
    if (!result.nothingImported.empty()) {
        Error(ctx,
              "nothing imported: " + result.nothingImported + "; " + args.image + " is unchanged");
        return kExitRefused;
    }
    // Rows of the file that hold a channel and found no place: the import is not what the
    // file says, and a script must be able to tell.
    const std::string notTaken =
        result.skipped == 0 ? std::string()
                            : Count(static_cast<std::size_t>(result.skipped), "channel") + " of " +
                                  shownName + " not imported (see the findings above)";

    if (args.map && *args.map == "guess") return PrintGuess(ctx, map, table, result);
    if (args.dryRun) {
        ctx.out << "ROW\tCOLUMN\tOLD\tNEW\n";
        for (int row : result.changedRows) {
            for (int col = 1; col <= kChannelColumns; ++col) {
                const std::string& before = grid.Text(row, col);
                const std::string& after = result.grid.Text(row, col);
                if (before == after) continue;
                ctx.out << row << '\t' << ChannelGrid::Heading(col, ctx.lang) << '\t' << before
                        << '\t' << after << '\n';
            }
        }
        Error(ctx, "dry run: " + Count(result.changedRows.size(), "row") + " would change; " +
                       args.image + " is unchanged");
        if (!notTaken.empty()) Error(ctx, notTaken);
        const int written = FinishOutput(ctx);
        return written != kExitOk ? written : result.Complete() ? kExitOk : kExitRefused;
    }

    if (!MaySaveOver(ctx, args.image, file.size, args.truncate)) return kExitRefused;
    // Only the rows the import changed are encoded: the others keep their bytes.
    for (int row : result.changedRows) EncodeChannelRow(result.grid.RowTexts(row), image, row - 1);
    if (!SaveImage(ctx, args.image, image, &file)) return kExitRefused;
    Error(ctx, args.image + ": " + Count(static_cast<std::size_t>(result.stored), "channel") +
                   " imported, " + Count(result.changedRows.size(), "row") + " changed, " +
                   Count(result.findings.size(), "finding"));
    if (!notTaken.empty()) {
        Error(ctx, notTaken);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace radio::cli
