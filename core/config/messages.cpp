#include "core/config/messages.h"

#include "core/config/phrase.h"

namespace radio {

std::string_view MessageText(int id) {
    switch (id) {
        case kMsgOutOfRange:
            return QT_TRANSLATE_NOOP("radio", "Out of range,please input again.");
        case kMsgCommunicationError:
            return QT_TRANSLATE_NOOP(
                "radio",
                "Communication Error,Please check all the connections and the radio power");
        case kMsgDataCleared:
            return QT_TRANSLATE_NOOP("radio", "All data will be Cleared!");
        case kMsgCannotOpenPort:
            return QT_TRANSLATE_NOOP(
                "radio",
                "Could not Open the Port,Please check whether the Port are occupied or the "
                "device are ok");
        case kMsgProgramInterrupt:
            return QT_TRANSLATE_NOOP("radio",
                                     "Program Interrupt, Please reset the radio and try again");
        case kMsgStepError:
            return QT_TRANSLATE_NOOP(
                "radio", "Error data Value, please input according the step value(6.25K/5k).");
        case kMsgCaution:
            return QT_TRANSLATE_NOOP("radio", "Caution");
        case kMsgNotAnEntry:
            return QT_TRANSLATE_NOOP("radio",
                                     "Not an entry of the list, please choose one of the list.");
        case kMsgNameRefused:
            return QT_TRANSLATE_NOOP("radio", "Invalid name, please use only 0-9, A-Z, - and _.");
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
