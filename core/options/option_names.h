#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/config/language.h"
#include "core/options/option_values.h"

namespace radio {

// The names of one option as users meet them: the Option Features dialog's label, the printed
// sheet's English label where it is spelled otherwise ("Time Out Timer"), and the Chinese one.
struct OptionName {
    int controlId;             // list id, kIdBeep or kIdPowerOnName
    std::string_view dialog;   // "Time-Out Timer"
    std::string_view sheet;    // "Time Out Timer"; empty where it is the dialog's
    std::string_view chinese;  // "超时定时器"
};

// The 15 lists in dialog order, then Beep and Power-on Name.
const std::vector<OptionName>& OptionNames();

// The control a name stands for, in any of its spellings, ignoring letter case and a trailing
// colon ("time out timer:", "Time-Out Timer", "超时定时器"); 0 when none.
int FindOptionControl(std::string_view name);

// The name to show for a control: the dialog's label, or the Chinese one.
std::string_view OptionLabel(int controlId, Language lang);

// A list entry as the printed sheet writes it in `lang`: "Off" is "关" in Chinese; numbers,
// steps and codes are the same in both.
std::string_view EntryText(std::string_view entry, Language lang);

// The entry of `list` a value names, in either language, ignoring letter case; -1 when none.
int FindEntry(const OptionList& list, std::string_view value);

// Every option as the dialog would show it for `image`, one "NAME\tVALUE" line per control in
// OptionNames' order (Beep "On"/"Off", the power-on name as text), in `lang`.
std::vector<std::pair<std::string, std::string>> ShownOptions(const RadioImage& image,
                                                              Language lang);

}  // namespace radio
