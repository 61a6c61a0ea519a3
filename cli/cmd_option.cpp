#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/options/option_values.h"

namespace radio::cli {

namespace {

constexpr std::string_view kBeep = "Beep";
constexpr std::string_view kPowerOnName = "Power-on Name";

std::string ControlNames() {
    std::vector<std::string> names;
    for (const OptionList& list : OptionLists()) names.emplace_back(list.label);
    names.emplace_back(kBeep);
    names.emplace_back(kPowerOnName);
    return Join(names, ", ");
}

}  // namespace

int RunOption(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const auto& args = ctx.args;
    if (args.size() < 2) return UsageError(ctx, "option", "option takes FILE and NAME=VALUE pairs");
    const std::string& path = args[0];

    RadioImage image;
    OpenedFile file;
    if (const int status = OpenForChange(ctx, path, image, file); status != kExitOk) return status;
    // Start from what the dialog would show, as if the user changed some controls and pressed OK.
    OptionValues values = ReadOptions(image);

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos) {
            return UsageError(ctx, "option",
                              "'" + arg + "' is not NAME=VALUE; names: " + ControlNames());
        }
        const std::string name = arg.substr(0, eq);
        std::string value = arg.substr(eq + 1);

        if (EqualsNoCase(name, kBeep)) {
            if (EqualsNoCase(value, "on")) {
                values.beep = true;
            } else if (EqualsNoCase(value, "off")) {
                values.beep = false;
            } else {
                return UsageError(ctx, "option", "Beep takes on or off, not '" + value + "'");
            }
            continue;
        }
        if (EqualsNoCase(name, kPowerOnName)) {
            if (auto problem = CheckRadioName(value, offset::kPowerOnNameSize)) {
                return UsageError(ctx, "option", "Power-on Name " + *problem);
            }
            values.powerOnName = value;
            continue;
        }
        const OptionList* list = nullptr;
        for (const OptionList& l : OptionLists()) {
            if (EqualsNoCase(name, l.label)) list = &l;
        }
        if (!list) {
            return UsageError(ctx, "option",
                              "unknown control '" + name + "'; names: " + ControlNames());
        }
        int index = kNoSelection;
        for (std::size_t k = 0; k < list->entries.size(); ++k) {
            if (EqualsNoCase(value, list->entries[k])) index = static_cast<int>(k);
        }
        if (index == kNoSelection) {
            return UsageError(ctx, "option",
                              std::string(list->label) + " takes one of: " +
                                  Join(list->entries, ", ") + " (not '" + value + "')");
        }
        values.*(list->field) = index;
    }

    if (!MaySaveOver(ctx, path, file.size, truncate)) return kExitRefused;
    WriteOptions(image, values);
    return SaveImage(ctx, path, image, &file) ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
