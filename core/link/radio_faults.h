#pragma once

#include <string>
#include <string_view>

#include "core/image/status.h"

namespace radio {

// Misbehaviour a VirtualRadio can be told to show, so every failure path of the link can be
// exercised without a broken radio. Attempts count the wake-ups the radio heard, from 1;
// blocks are numbered by address / 8 (the band frame is block 1022).
struct RadioFaults {
    bool silent = false;              // never answers anything
    bool wrongByteBeforeAck = false;  // answers a wake-up with a stray byte, then 0x06
    int ackFromAttempt = 1;           // wake-ups before this one go unanswered
    int noConfirmBefore = 0;          // no confirmation on attempts below this
    int noConfirmFrom = 0;            // no confirmation on this attempt and later (0: never)
    bool scrambledHeader = false;     // read replies start with 4 bytes unlike the request
    bool pullAtIdent = false;         // the cable comes out when identification is asked
    int shortReplyBlock = -1;         // this block's read reply is one byte short
    int garbageAckBlock = -1;         // this block is acknowledged with a garbage byte
    int muteBlock = -1;               // from this block's request on, the radio stays silent
    int pullBlock = -1;               // the cable comes out when this block is requested
    int dropWriteBlock = -1;          // this block's write is acknowledged but not stored
    int corruptWriteBlock = -1;       // this block is stored with bit 0 of its first byte flipped
};

// Parses a comma-separated list such as "ack-from:6,no-confirm-from:6" (see FaultSyntax()).
// On error `faults` is left as it was and the message names the offending item.
Status ParseFaults(std::string_view faultList, RadioFaults& faults);

// The accepted fault names, one per line, for usage texts.
std::string_view FaultSyntax();

}  // namespace radio
