#include <ostream>
#include <sstream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/formats/band_check.h"
#include "core/formats/image_check.h"

namespace radio::cli {

std::vector<Finding> CheckWithConfig(Context& ctx, const RadioImage& image) {
    std::vector<Finding> findings = CheckImage(image);
    // The band bytes against Program.ini's choice; an unreadable configuration has none.
    CIniFile ini;
    std::ostringstream quiet;
    Context silent{{}, ctx.lang, ctx.configPath, ctx.settingsPath, ctx.out, quiet};
    if (LoadConfig(silent, ini)) {
        if (auto band = CheckBandBytes(image, ini)) findings.push_back(std::move(*band));
    }
    return findings;
}

int RunCheck(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "check", "check takes one FILE");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;
    const std::vector<Finding> findings = CheckWithConfig(ctx, image);
    for (const Finding& f : findings) ctx.out << FormatFinding(f) << "\n";
    if (const int status = FinishOutput(ctx); status != kExitOk) return status;
    return findings.empty() ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
