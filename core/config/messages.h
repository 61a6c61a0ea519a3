#pragma once

#include <string_view>

#include "core/config/language.h"

namespace radio {

// The program's message texts. They are English whatever the display language is and are
// shown word for word; details may be added below them.
enum MessageId : int {
    kMsgOutOfRange = 61448,  // "Out of range,please input again."
    kMsgCommunicationError = 61451,
    kMsgDataCleared = 61452,  // "All data will be Cleared!"
    kMsgCannotOpenPort = 61453,
    kMsgProgramInterrupt = 61454,
    kMsgStepError = 61456,
    kMsgCaution = 61458,  // caption of input error boxes
    kMsgNotAnEntry = 61460,
    kMsgNameRefused = 61461,
};

// Text of a message id; empty for ids the program does not have.
std::string_view MessageText(int id);

// What a frequency entry must be, in the display language: the line shown below a refused
// frequency's message, whose own text names the steps only in part.
std::string_view FrequencyRuleText(Language lang);

}  // namespace radio
