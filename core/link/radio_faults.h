#pragma once

#include <set>
#include <string>
#include <string_view>

#include "core/image/status.h"

namespace radio {

// The blocks one kind of fault hits. A kind given more than once hits every block named, so
// `block == faults.dropWriteBlock` asks whether `block` is one of them; assigning a number
// names that one block alone (a negative one: none).
class FaultBlocks {
  public:
    FaultBlocks() = default;
    FaultBlocks(int block) {  // NOLINT: one block reads as naturally as the number
        if (block >= 0) m_blocks.insert(block);
    }
    void Add(int block) { m_blocks.insert(block); }
    bool Has(int block) const { return m_blocks.count(block) != 0; }
    bool empty() const { return m_blocks.empty(); }
    friend bool operator==(int block, const FaultBlocks& blocks) { return blocks.Has(block); }

  private:
    std::set<int> m_blocks;
};

// Misbehaviour a VirtualRadio can be told to show, so every failure path of the link can be
// exercised without a broken radio. Attempts count the wake-ups the radio heard, from 1;
// blocks are numbered by address / 8 (the band frame is block 1022). Repeated kinds all
// apply: block faults hit every block named, and of repeated attempt limits the one that
// holds longest (the latest ack-from and no-confirm-before, the earliest no-confirm-from).
struct RadioFaults {
    bool silent = false;              // never answers anything
    bool wrongByteBeforeAck = false;  // answers a wake-up with a stray byte, then 0x06
    int ackFromAttempt = 1;           // wake-ups before this one go unanswered
    int noConfirmBefore = 0;          // no confirmation on attempts below this
    int noConfirmFrom = 0;            // no confirmation on this attempt and later (0: never)
    bool scrambledHeader = false;     // read replies start with 4 bytes unlike the request
    bool pullAtIdent = false;         // the cable comes out when identification is asked
    FaultBlocks shortReplyBlock;      // this block's read reply is one byte short
    FaultBlocks garbageAckBlock;      // this block is acknowledged with a garbage byte
    FaultBlocks muteBlock;            // from this block's request on, the radio stays silent
    FaultBlocks pullBlock;            // the cable comes out when this block is requested
    FaultBlocks dropWriteBlock;       // this block's write is acknowledged but not stored
    FaultBlocks corruptWriteBlock;    // this block is stored with bit 0 of its first byte flipped
};

// Parses a comma-separated list such as "ack-from:6,no-confirm-from:6" (see FaultSyntax()).
// On error `faults` is left as it was and the message names the offending item.
Status ParseFaults(std::string_view faultList, RadioFaults& faults);

// The accepted fault names, one per line, for usage texts.
std::string_view FaultSyntax();

}  // namespace radio
