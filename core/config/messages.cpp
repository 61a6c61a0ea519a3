#include "core/config/messages.h"

namespace radio {

std::string_view MessageText(int id) {
    switch (id) {
        case kMsgOutOfRange:
            return "Out of range,please input again.";
        case kMsgCommunicationError:
            return "Communication Error,Please check all the connections and the radio power";
        case kMsgDataCleared:
            return "All data will be Cleared!";
        case kMsgCannotOpenPort:
            return "Could not Open the Port,Please check whether the Port are occupied or the "
                   "device are ok";
        case kMsgProgramInterrupt:
            return "Program Interrupt, Please reset the radio and try again";
        case kMsgStepError:
            return "Error data Value, please input according the step value(6.25K/5k).";
        case kMsgCaution:
            return "Caution";
        case kMsgNotAnEntry:
            return "Not an entry of the list, please choose one of the list.";
        case kMsgNameRefused:
            return "Invalid name, please use only 0-9, A-Z, - and _.";
        default:
            return {};
    }
}

std::string_view FrequencyRuleText(Language lang) {
    return Pick(lang,
                "Frequencies must be multiples of 2.5 kHz or 6.25 kHz, in 136-175 MHz or "
                "400-520 MHz.",
                "频率须为 2.5 kHz 或 6.25 kHz 的整数倍，范围为 136-175 MHz 或 400-520 MHz。");
}

}  // namespace radio
