#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/formats/channel_import.h"
#include "core/image/atomic_file.h"

namespace radio::cli {

namespace {

struct ImportArgs {
    std::string image, list;
    ImportOptions options;
    bool dryRun = false;
    bool truncate = false;
};

// Options may stand anywhere after the command; returns the problem, or "" when all is well.
std::string ParseImportArgs(const std::vector<std::string>& args, ImportArgs& out) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--merge") {
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

}  // namespace

int RunImport(Context& ctx) {
    ImportArgs args;
    if (std::string problem = ParseImportArgs(ctx.args, args); !problem.empty())
        return UsageError(ctx, "import", problem);
    const std::string shownName = args.list == "-" ? "<stdin>" : args.list;

    if (RefuseOutputOverInput(ctx, args.image, args.list)) return kExitRefused;
    RadioImage image;
    OpenedFile file;
    if (args.dryRun) {
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
    const ChannelList list = ReadChannelList(bytes);
    if (!list.status) {
        Error(ctx, shownName + ": " + list.status.message + "; " + args.image + " is unchanged");
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
