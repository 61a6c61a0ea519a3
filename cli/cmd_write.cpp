#include "cli/cmd_write.h"

#include <ostream>

#include "cli/cli_support.h"
#include "cli/cmd_backups.h"
#include "cli/cmd_read.h"
#include "cli/cmd_write_many.h"
#include "core/formats/backup_store.h"
#include "core/formats/image_check.h"
#include "core/formats/image_diff.h"

namespace radio::cli {

bool CheckBeforeWrite(Context& ctx, const std::string& file, const RadioImage& image, bool force) {
    const std::vector<Finding> findings = CheckWithConfig(ctx, image);
    for (const Finding& f : findings) Error(ctx, FormatFinding(f));
    if (!HasErrors(findings)) return true;
    if (force) {
        Error(ctx, file + " has " + CountFindings(findings) + "; writing anyway (--force)");
        return true;
    }
    Error(ctx, file + " has " + CountFindings(findings) +
                   "; nothing was written (--force writes anyway)");
    return false;
}

namespace {

// The read-back against what was sent; exit 0 only when the radio holds all of it.
int ReportVerify(Context& ctx, const RadioImage& written, const RadioImage& readBack) {
    const std::vector<ImageDifference> diffs = VerifyWrittenImage(written, readBack, ctx.lang);
    const std::string report = VerifyReport(diffs);
    if (diffs.empty()) {
        ctx.out << report << "\n";
        return FinishOutput(ctx);
    }
    // The first line says what happened; the differences below it, indented.
    std::size_t end = report.find('\n');
    Error(ctx, report.substr(0, end));
    while (end != std::string::npos) {
        const std::size_t next = report.find('\n', end + 1);
        ctx.err << "  " << report.substr(end + 1, next - end - 1) << "\n";
        end = next;
    }
    return kExitRefused;
}

// A write that stopped after its first block: the radio holds part of each image.
void PartlyWritten(Context& ctx, const std::string& port, const std::string& file) {
    Error(ctx,
          "the radio may now hold a partly written image (part new, part as before); "
          "write it again: radioprog write --port " +
              port + " " + file);
    const std::string folder = BackupFolderFor(ctx, std::nullopt);
    const std::vector<BackupEntry> backups =
        folder.empty() ? std::vector<BackupEntry>() : BackupStore(folder).List();
    if (!backups.empty()) {
        ctx.err << "  or put back what a radio held at the last read: radioprog write --port "
                << port << " " << backups.front().path << "\n";
    }
}

}  // namespace

int RunWrite(Context& ctx) {
    if (IsWriteMany(ctx)) return RunWriteMany(ctx);
    std::string port, file;
    TransferOptions options;
    if (!ParseTransferArgs(ctx, "write", port, file, &options)) return kExitUsage;
    RadioImage image;
    if (!LoadImage(ctx, file, image)) return kExitUsage;
    if (!CheckBeforeWrite(ctx, file, image, options.force)) return kExitRefused;

    RadioImage readBack;
    bool written = false, started = false;
    const LinkOutcome outcome = RunTerminalTransfer(
        ctx, port, true, image, options.verify ? &readBack : nullptr, &written, &started);
    if (outcome != LinkOutcome::Done) {
        if (written)
            Error(ctx, "the write is complete, but it was not verified");
        else if (started)
            PartlyWritten(ctx, port, file);
        return TransferExitStatus(outcome);
    }
    return options.verify ? ReportVerify(ctx, image, readBack) : kExitOk;
}

}  // namespace radio::cli
