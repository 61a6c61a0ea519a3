#include <algorithm>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/options/option_names.h"
#include "core/options/option_values.h"

namespace radio::cli {

namespace {

std::string ControlNames() {
    std::vector<std::string> names;
    for (const OptionName& n : OptionNames()) names.emplace_back(n.dialog);
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
    // As if the user changed these controls of the dialog and pressed OK: only their fields
    // are written.
    OptionValues values = ReadOptions(image);
    std::vector<int> named;

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos) {
            return UsageError(ctx, "option",
                              "'" + arg + "' is not NAME=VALUE; names: " + ControlNames());
        }
        const std::string name = arg.substr(0, eq);
        std::string value = arg.substr(eq + 1);
        const int id = FindOptionControl(name);
        if (id == 0) {
            return UsageError(ctx, "option",
                              "unknown control '" + name + "'; names: " + ControlNames());
        }
        if (std::find(named.begin(), named.end(), id) == named.end()) named.push_back(id);

        if (id == kIdBeep) {
            const OptionList onOff{kIdBeep, "Beep", {"Off", "On"}, nullptr};
            const int index = FindEntry(onOff, value);
            if (index < 0)
                return UsageError(ctx, "option", "Beep takes on or off, not '" + value + "'");
            values.beep = index == 1;
            continue;
        }
        if (id == kIdPowerOnName) {
            if (auto problem = CheckRadioName(value, offset::kPowerOnNameSize)) {
                return UsageError(ctx, "option", "Power-on Name " + *problem);
            }
            values.powerOnName = value;
            continue;
        }
        const OptionList* list = nullptr;
        for (const OptionList& l : OptionLists()) {
            if (l.id == id) list = &l;
        }
        const int index = FindEntry(*list, value);
        if (index < 0) {
            return UsageError(ctx, "option",
                              std::string(list->label) + " takes one of: " +
                                  Join(list->entries, ", ") + " (not '" + value + "')");
        }
        values.*(list->field) = index;
    }

    if (!MaySaveOver(ctx, path, file.size, truncate)) return kExitRefused;
    WriteOptionControls(image, values, named);
    return SaveImage(ctx, path, image, &file) ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
