#include "core/link/radio_faults.h"

#include <charconv>

namespace radio {
namespace {

bool ParseCount(std::string_view text, int& value) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

// Applies one "name" or "name:value" item.
bool ApplyItem(std::string_view item, RadioFaults& f) {
    const auto colon = item.find(':');
    const std::string_view name = item.substr(0, colon);
    const bool hasValue = colon != std::string_view::npos;
    int value = 0;
    if (hasValue && !ParseCount(item.substr(colon + 1), value)) return false;

    if (!hasValue) {
        if (name == "silent") return f.silent = true;
        if (name == "wrong-first-ack") return f.wrongByteBeforeAck = true;
        if (name == "scrambled-header") return f.scrambledHeader = true;
        if (name == "pull-at-ident") return f.pullAtIdent = true;
        return false;
    }
    struct Attempts {
        std::string_view name;
        int RadioFaults::*field;
        int minimum;
        bool latest;  // the larger of two values wins (else the smaller)
    };
    static constexpr Attempts kAttempts[] = {
        {"ack-from", &RadioFaults::ackFromAttempt, 1, true},
        {"no-confirm-before", &RadioFaults::noConfirmBefore, 1, true},
        {"no-confirm-from", &RadioFaults::noConfirmFrom, 1, false},
    };
    for (const auto& n : kAttempts) {
        if (n.name != name || value < n.minimum) continue;
        int& field = f.*n.field;
        // The defaults (1, 0, 0) mean "no fault": the larger value wins over them anyway, and
        // no-confirm-from's 0 means "never".
        if (n.latest ? value > field : (field == 0 || value < field)) field = value;
        return true;
    }
    struct Blocks {
        std::string_view name;
        FaultBlocks RadioFaults::*field;
    };
    static const Blocks kBlocks[] = {
        {"short-reply", &RadioFaults::shortReplyBlock},
        {"garbage-ack", &RadioFaults::garbageAckBlock},
        {"mute", &RadioFaults::muteBlock},
        {"pull", &RadioFaults::pullBlock},
        {"drop-write", &RadioFaults::dropWriteBlock},
        {"corrupt-write", &RadioFaults::corruptWriteBlock},
    };
    for (const auto& b : kBlocks) {
        if (b.name == name) {
            (f.*b.field).Add(value);
            return true;
        }
    }
    return false;
}

}  // namespace

Status ParseFaults(std::string_view faultList, RadioFaults& faults) {
    RadioFaults parsed = faults;
    while (!faultList.empty()) {
        const auto comma = faultList.find(',');
        const std::string_view item = faultList.substr(0, comma);
        if (!ApplyItem(item, parsed)) {
            return Status::Error("unknown fault \"" + std::string(item) + "\"");
        }
        if (comma == std::string_view::npos) break;
        faultList.remove_prefix(comma + 1);
    }
    faults = parsed;
    return Status::Ok();
}

std::string_view FaultSyntax() {
    return "  silent                 never answer\n"
           "  wrong-first-ack        answer the wake-up with a stray byte before 0x06\n"
           "  ack-from:N             leave wake-ups 1..N-1 unanswered\n"
           "  no-confirm-before:N    withhold the confirmation on attempts 1..N-1\n"
           "  no-confirm-from:N      withhold the confirmation from attempt N on\n"
           "  pull-at-ident          close the line when identification is asked\n"
           "  scrambled-header       start read replies with 4 unrelated bytes\n"
           "  short-reply:K          send block K's read reply one byte short\n"
           "  garbage-ack:K          acknowledge block K with a garbage byte\n"
           "  mute:K                 fall silent from block K's request on\n"
           "  pull:K                 close the line when block K is requested\n"
           "  drop-write:K           acknowledge block K's write but do not store it\n"
           "  corrupt-write:K        store block K's write with one bit changed\n"
           "  (blocks are address / 8; the band frame is block 1022; join faults with ','\n"
           "   or give --fault again: every one applies, a kind named twice hits both blocks)\n";
}

}  // namespace radio
